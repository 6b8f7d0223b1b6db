#include <cmath>

#include <QElapsedTimer>
#include <QSerialPort>
#include <QtTest>

#include "devicestype.h"
#include "language.h"
#include "rigcommands.h"
#include "rigfixture.h"
#include "testworkdir.h"
#include "ymodem.h"

namespace {
const QString kTimeout = QStringLiteral("失败！原因：等待设备的<响应>指令超时。");

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

// Short deadlines for the phase loops, so that a failing rig costs a test less than a second.
void shorten(RigCommands& rig, Ymodem& link) {
    link.replyTimeoutMs = 700;
    rig.firstStatusTimeoutMs = 900;
    rig.statusTimeoutMs = 800;
    rig.selfCalibrationTimeoutMs = 850;
    rig.testStepTimeoutMs = 750;
}
}  // namespace

class TestRigCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void parameterFrame_data();
    void parameterFrame();
    void rawToDegrees_data();
    void rawToDegrees();
    void parameterJobOnTheWire();
    void parameterFrameNotTaken_data();
    void parameterFrameNotTaken();
    void zeroReadsEchoAngleVerdict();
    void zekCalibrationFillsEveryMap();
    void selfCalibration_data();
    void selfCalibration();
    void rigVerdictBadIsACompletedJob();
    void testRunsFourTimes();
    void wrongFifthTestStatus();
    void badRigEndsTheJob_data();
    void badRigEndsTheJob();
    void portVanishesMidPhase();
    void resolutionOutOfRangeRefused();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestRigCommands::init() {
    work = std::make_unique<TestWorkDir>(rigConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
}

void TestRigCommands::cleanup() {
    work.reset();
}

void TestRigCommands::parameterFrame_data() {
    QTest::addColumn<float>("target");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QList<qint16>>("tests");
    QTest::addColumn<QByteArray>("frame");
    QTest::addRow("float little-endian, integers big-endian")
        << 0.1f << 2048 << 256 << 1400 << QList<qint16>{400, 400, 400, 400}
        << hex("55CDCCCC3D0800010005780190019001900190");
    QTest::addRow("no TargetInl gives 00 00 00 00")
        << 0.0f << 2048 << 256 << 1400 << QList<qint16>{200, 1000, 1400, 400}
        << hex("550000000008000100057800C803E805780190");
    QTest::addRow("negative speed, short list padded")
        << 0.08f << 1 << 16 << -200 << QList<qint16>{-1}
        << hex("550AD7A33D00010010FF38FFFF000000000000");
}

void TestRigCommands::parameterFrame() {
    QFETCH(float, target);
    QFETCH(int, line);
    QFETCH(int, points);
    QFETCH(int, speed);
    QFETCH(QList<qint16>, tests);
    QFETCH(QByteArray, frame);
    const QByteArray built =
        RigCommands::parameterFrame(target, quint16(line), quint16(points), qint16(speed), tests);
    QCOMPARE(built.size(), RigCommands::kParameterFrameSize);
    QCOMPARE(built.toHex(' '), frame.toHex(' '));
}

void TestRigCommands::rawToDegrees_data() {
    QTest::addColumn<quint32>("raw");
    QTest::addColumn<int>("bits");
    QTest::addColumn<double>("degrees");
    QTest::addRow("a full turn at 17 bits") << quint32(131072) << 17 << 360.0;
    QTest::addRow("364 counts at 17 bits") << quint32(364) << 17 << 0.999755859375;
    QTest::addRow("no Resolution: 1 count is a turn") << quint32(1) << 0 << 360.0;
    QTest::addRow("30 bits, top count") << quint32(0x3FFFFFFF) << 30 << 360.0;
}

void TestRigCommands::rawToDegrees() {
    QFETCH(quint32, raw);
    QFETCH(int, bits);
    QFETCH(double, degrees);
    QCOMPARE(double(RigCommands::rawToDegrees(raw, bits)), double(float(degrees)));
}

void TestRigCommands::parameterJobOnTheWire() {
    SimRig sim;
    Ymodem link;
    RigCommands rig(&link);
    QSignalSpy progress(&link, &Ymodem::setProgress);
    QVERIFY(
        rig.setCalibrationParameters(sim.port(), 115200, 2048, 256, 1400, {400, 400, 400, 400}));
    QCOMPARE(values(progress), (QList<int>{0, 30, 20, 60, 80}));
    const QList<QByteArray> wire = sim.device.received();
    QCOMPARE(wire.size(), 4);
    QCOMPARE(wire.at(0), Ymodem::linkFrame(0xDA, 0x00));
    QCOMPARE(wire.at(1), hex("7B"));
    QCOMPARE(wire.at(2).toHex(' '), hex("55CDCCCC3D0800010005780190019001900190").toHex(' '));
    QCOMPARE(wire.at(3), Ymodem::linkFrame(0xDF, 0x00));
    QVERIFY(!link.isPortOpen());
}

void TestRigCommands::parameterFrameNotTaken_data() {
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("message");
    QTest::addRow("refused") << 0x15 << "失败！原因：设备拒绝通信！";
    QTest::addRow("unanswered") << 0 << kTimeout;
}

void TestRigCommands::parameterFrameNotTaken() {
    QFETCH(int, reply);
    QFETCH(QString, message);
    SimRig sim;
    sim.settings().parameterReply = quint8(reply);
    Ymodem link;
    link.replyTimeoutMs = 400;
    RigCommands rig(&link);
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    QVERIFY(
        !rig.setCalibrationParameters(sim.port(), 115200, 2048, 256, 1400, {400, 400, 400, 400}));
    QCOMPARE(texts(messages).last(), message);
    QVERIFY(texts(messages).contains("发送校准设定参数..."));
    // No end signal after a frame the rig did not take.
    const QList<QByteArray> wire = sim.device.received();
    QCOMPARE(wire.size(), 3);
    QCOMPARE(wire.last().at(0), char(0x55));
    QVERIFY(!link.isPortOpen());
}

void TestRigCommands::zeroReadsEchoAngleVerdict() {
    SimRig sim;
    sim.settings().zeroAngle = 0x00004000;
    Ymodem link;
    RigCommands rig(&link);
    QSignalSpy progress(&link, &Ymodem::setProgress);
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    int type = 0;
    quint32 angle = 0;
    bool verdict = false;
    QVERIFY2(rig.zeroEncoder(sim.port(), 115200, type, angle, verdict),
             qPrintable(texts(messages).join(" | ")));
    QCOMPARE(type, 250);
    QCOMPARE(angle, quint32(16384));
    QVERIFY(verdict);
    QCOMPARE(values(progress), (QList<int>{0, 10, 20, 90, 100}));
    QVERIFY(texts(messages).contains("开始对零..."));
    QCOMPARE(sim.device.received().last(), hex("C2"));
}

void TestRigCommands::zekCalibrationFillsEveryMap() {
    SimRig sim;
    Ymodem link;
    RigCommands rig(&link);
    QSignalSpy progress(&link, &Ymodem::setProgress);
    int type = 0;
    bool verdict = false;
    RigCommands::CurveMap curves, coefficients;
    RigCommands::ValueMap maxInl, offsets;
    QVERIFY(rig.calibrateEncoder(sim.port(), 115200, 256, type, curves, coefficients, maxInl,
                                 offsets, verdict));
    QCOMPARE(type, 250);
    QVERIFY(verdict);
    QCOMPARE(values(progress), (QList<int>{0, 10, 20, 35, 50, 65, 80, 90}));
    const QStringList keys{"FINAL", "FINE", "ROUGH"};
    QCOMPARE(curves.keys(), keys);
    QCOMPARE(coefficients.keys(), keys);
    QCOMPARE(maxInl.keys(), keys);
    QCOMPARE(offsets.keys(), keys);
    for (const QString& key : keys) {
        QCOMPARE(curves.value(key).size(), 256);
        QCOMPARE(coefficients.value(key).size(), 8);
        // The maximum and the offset are told apart by the curve they belong to: the offset is
        // the curve's mean, the maximum its largest deviation from it.
        double mean = 0.0, worst = 0.0;
        for (float e : curves.value(key)) mean += e;
        mean /= 256;
        for (float e : curves.value(key)) worst = std::max(worst, std::abs(e - mean));
        QVERIFY2(std::abs(offsets.value(key) - mean) < 1e-5, qPrintable(key));
        QVERIFY2(std::abs(maxInl.value(key) - worst) < 1e-5, qPrintable(key));
    }
    // The calibration leaves the rig's error smaller phase by phase.
    QVERIFY(maxInl.value("FINAL") < maxInl.value("FINE"));
    QVERIFY(maxInl.value("FINE") < maxInl.value("ROUGH"));
    QCOMPARE(link.replyTimeoutMs, 3000);
}

void TestRigCommands::selfCalibration_data() {
    QTest::addColumn<int>("selfVerdict");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("progress");
    QTest::addRow("C0: calibrated")
        << 0xC0 << true << "当前校准速度为 [ 1400 ] RPM，设备反馈自校准成功。"
        << QList<int>{0, 10, 20, 35, 50, 65, 80, 95, 90};
    QTest::addRow("other byte: failed")
        << 0x3F << false << "当前校准速度为 [ 1400 ] RPM，设备反馈自校准失败，请检查校准环境。"
        << QList<int>{0, 10, 20, 35, 50};
}

void TestRigCommands::selfCalibration() {
    QFETCH(int, selfVerdict);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    QFETCH(QList<int>, progress);
    SimRig sim;
    sim.settings().encoderType = 251;
    sim.settings().selfCalibrationVerdict = quint8(selfVerdict);
    sim.settings().reportedSpeed = 1400;
    Ymodem link;
    RigCommands rig(&link);
    QSignalSpy progressSpy(&link, &Ymodem::setProgress);
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    int type = 0;
    bool verdict = false;
    RigCommands::CurveMap curves, coefficients;
    RigCommands::ValueMap maxInl, offsets;
    QCOMPARE(rig.calibrateEncoder(sim.port(), 115200, 256, type, curves, coefficients, maxInl,
                                  offsets, verdict),
             ok);
    QVERIFY(texts(messages).contains(message));
    QCOMPARE(values(progressSpy), progress);
    QVERIFY(coefficients.isEmpty());
    QVERIFY(offsets.isEmpty());
    QCOMPARE(curves.keys(), ok ? QStringList({"FINAL", "FINE", "ROUGH"}) : QStringList{"ROUGH"});
    // Readings in degrees: near each reference point, never past a turn.
    const QList<float> rough = curves.value("ROUGH");
    QCOMPARE(rough.size(), 256);
    for (int i = 0; i < rough.size(); ++i)
        QVERIFY2(std::abs(rough.at(i) - i * 1.40625) < 0.5, qPrintable(QString::number(i)));
}

void TestRigCommands::rigVerdictBadIsACompletedJob() {
    SimRig sim;
    sim.settings().verdict = 0x15;
    sim.settings().pointNum = 64;
    Ymodem link;
    RigCommands rig(&link);
    int type = 0;
    bool verdict = true;
    RigCommands::CurveMap curves, coefficients;
    RigCommands::ValueMap maxInl, offsets;
    QVERIFY(rig.calibrateEncoder(sim.port(), 115200, 64, type, curves, coefficients, maxInl,
                                 offsets, verdict));
    QVERIFY(!verdict);
    QCOMPARE(curves.value("FINAL").size(), 64);
}

void TestRigCommands::testRunsFourTimes() {
    SimRig sim;
    sim.settings().testMaxInl = {0.05f, 0.06f, 0.07f, 0.08f};
    sim.settings().pointNum = 128;
    Ymodem link;
    RigCommands rig(&link);
    QSignalSpy progress(&link, &Ymodem::setProgress);
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    int type = 0;
    bool verdict = false;
    RigCommands::CurveMap curves;
    QList<float> maxima{0, 0, 0, 0};
    QVERIFY(rig.testEncoder(sim.port(), 115200, 128, type, curves, maxima, verdict));
    QVERIFY(verdict);
    QCOMPARE(maxima, (QList<float>{0.05f, 0.06f, 0.07f, 0.08f}));
    QCOMPARE(curves.keys(), (QStringList{"FIRST", "FOURTH", "SECOND", "THIRD"}));
    for (const QList<float>& curve : curves) QCOMPARE(curve.size(), 128);
    QCOMPARE(values(progress), (QList<int>{0, 10, 20, 25, 30, 35, 40, 45, 50, 55, 60, 90, 100}));
    const QStringList all = texts(messages);
    QVERIFY(all.contains("第 [ 4 ] 次测试开始..."));
    QVERIFY(all.contains("获取第 [4] 次测试设备INL数据完成"));
    QCOMPARE(all.count("设置测试速度..."), 8);
}

void TestRigCommands::wrongFifthTestStatus() {
    SimRig sim;
    sim.settings().wrongStatusAt = 4;
    sim.settings().pointNum = 32;
    Ymodem link;
    RigCommands rig(&link);
    shorten(rig, link);
    QSignalSpy progress(&link, &Ymodem::setProgress);
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    int type = 0;
    bool verdict = false;
    RigCommands::CurveMap curves;
    QList<float> maxima{0, 0, 0, 0};
    QVERIFY(!rig.testEncoder(sim.port(), 115200, 32, type, curves, maxima, verdict));
    QCOMPARE(values(progress), (QList<int>{0, 10, 20, 25, 30, 35, 40}));
    QCOMPARE(texts(messages).last(), QString("获取测试数据失败，请检查设备连接是否正常！"));
    // The two runs already read stay in the containers.
    QCOMPARE(curves.keys(), (QStringList{"FIRST", "SECOND"}));
    QCOMPARE(link.replyTimeoutMs, 700);
}

void TestRigCommands::badRigEndsTheJob_data() {
    QTest::addColumn<int>("encoderType");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("at");
    QTest::addColumn<QString>("message");
    const QString anyData = "获取校准数据失败，请检查设备连接是否正常！";
    QTest::addRow("garbage status") << 250 << "wrong" << 1 << anyData;
    QTest::addRow("silent before the rough block") << 250 << "silent" << 1 << anyData;
    QTest::addRow("silent before the verdict")
        << 250 << "silent" << 4 << "获取校准结果失败，请检查设备连接是否正常！";
    QTest::addRow("truncated rough block")
        << 250 << "truncate" << 0 << "获取粗校准数据失败，请检查设备连接是否正常！";
    QTest::addRow("oversized rough block") << 250 << "oversize" << 0 << anyData;
    QTest::addRow("NaN in the fine block")
        << 250 << "nan" << 1 << "获取精校准数据失败，请检查设备连接是否正常！";
    QTest::addRow("self-calibration: NaN maximum")
        << 251 << "nan" << 0 << "获取设备数据失败，请检查设备连接是否正常！";
    QTest::addRow("self-calibration: silent during the self-calibration")
        << 251 << "silent" << 2 << anyData;
    QTest::addRow("self-calibration: truncated speed reply")
        << 251 << "truncate" << 1 << "获取自校准数据失败，请检查设备连接是否正常！";
}

void TestRigCommands::badRigEndsTheJob() {
    QFETCH(int, encoderType);
    QFETCH(QString, fault);
    QFETCH(int, at);
    QFETCH(QString, message);
    SimRig sim;
    RigBehaviour::Settings& s = sim.settings();
    s.encoderType = quint8(encoderType);
    s.pointNum = 64;
    if (fault == "wrong")
        s.wrongStatusAt = at;
    else if (fault == "silent")
        s.silentFrom = at;
    else if (fault == "truncate")
        s.truncateBlockAt = at;
    else if (fault == "oversize")
        s.oversizeBlockAt = at;
    else if (fault == "nan")
        s.nanBlockAt = at;
    Ymodem link;
    RigCommands rig(&link);
    shorten(rig, link);
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    int type = 0;
    bool verdict = true;
    RigCommands::CurveMap curves, coefficients;
    RigCommands::ValueMap maxInl, offsets;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!rig.calibrateEncoder(sim.port(), 115200, 64, type, curves, coefficients, maxInl,
                                  offsets, verdict));
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(texts(messages).last(), message);
    QVERIFY(!link.isPortOpen());
    // The long deadlines ended with the loop that set them.
    QCOMPARE(link.replyTimeoutMs, 700);
    // A damaged block is never stored.
    for (const QList<float>& curve : curves)
        for (float v : curve) QVERIFY(std::isfinite(v));
}

void TestRigCommands::portVanishesMidPhase() {
    SimRig sim;
    sim.settings().silentFrom = 2;
    sim.settings().pointNum = 64;
    Ymodem link;
    RigCommands rig(&link);
    shorten(rig, link);
    rig.statusTimeoutMs = 20000;
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    // The rig goes away while the host waits for the fine calibration status.
    connect(&link, &Ymodem::setProgress, this, [&](int value) {
        if (value == 50)
            sim.device.vanish();
    });
    int type = 0;
    bool verdict = true;
    RigCommands::CurveMap curves, coefficients;
    RigCommands::ValueMap maxInl, offsets;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!rig.calibrateEncoder(sim.port(), 115200, 64, type, curves, coefficients, maxInl,
                                  offsets, verdict));
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(texts(messages).last(), QString("获取校准数据失败，请检查设备连接是否正常！"));
    QCOMPARE(curves.keys(), QStringList{"ROUGH"});
}

void TestRigCommands::resolutionOutOfRangeRefused() {
    SimRig sim;
    sim.settings().encoderType = 252;  // ZEK_MT6835G, configured with Resolution=31
    Ymodem link;
    RigCommands rig(&link);
    QSignalSpy messages(&link, &Ymodem::msgSignal);
    QVERIFY(
        !rig.setCalibrationParameters(sim.port(), 115200, 2048, 256, 1400, {400, 400, 400, 400}));
    QCOMPARE(texts(messages).last(),
             QString("设备 [ ZEK_MT6835G ] 的分辨率配置 Resolution = 31 超出 0..30 的范围，"
                     "请检查配置文件。"));
    // Refused before the rig was given anything to run with.
    QCOMPARE(sim.device.received().size(), 2);
}

QTEST_GUILESS_MAIN(TestRigCommands)
#include "tst_rigcommands.moc"
