#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include "chineseconfig.h"
#include "cliprocess.h"
#include "rigbehaviour.h"
#include "simdevice.h"
#include "testworkdir.h"

namespace {
QByteArray config() {
    return chineseConfig() +
           "[ZEK_ENCODER]\nTargetInl=100\nResolution=17\n"
           "[CalibrationEntity]\npointNum=64\nencoderLine=2048\ncalibrationSpeed=1400\n"
           "[CalibrationEntityList]\n1\\testSpeed=400\n2\\testSpeed=400\n3\\testSpeed=400\n"
           "4\\testSpeed=400\nsize=4\n";
}

struct Rig {
    Rig() : device(SimDevice::Rig) {}
    RigBehaviour::Settings& settings() {
        return static_cast<RigBehaviour*>(device.behaviour())->settings;
    }
    SimDevice device;
};
}  // namespace

class TestRigCli : public QObject {
    Q_OBJECT
private slots:
    void validation_data();
    void validation();
    void calibrateEventsAndRecord();
    void exitCodeFollowsTheRig_data();
    void exitCodeFollowsTheRig();
    void storedNumbersOutOfRangeAreNeverSent_data();
    void storedNumbersOutOfRangeAreNeverSent();
    void worksInAnEmptyFolder();
};

void TestRigCli::validation_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::addRow("no job") << QStringList{"rig"} << "COMMAND must be one of";
    QTest::addRow("unknown job") << QStringList{"rig", "spin", "--port", "x"} << "COMMAND";
    QTest::addRow("no port") << QStringList{"rig", "zero"} << "rig needs --port";
    QTest::addRow("points 0") << QStringList{"rig", "zero", "--port", "x", "--points", "0"}
                              << "校准参考点数量不能为0,请重新输入";
    QTest::addRow("line 0") << QStringList{"rig", "calibrate", "--port", "x", "--line", "0"}
                            << "对拖编码器线数不能为0,请重新输入";
    QTest::addRow("speed 0") << QStringList{"rig", "test", "--port", "x", "--speed", "0"}
                             << "校准速度不能为0,请重新输入";
    QTest::addRow("a test speed 0")
        << QStringList{"rig", "test", "--port", "x", "--test-speeds", "400,0,400,400"}
        << "测试速度不能为0,请重新输入";
    QTest::addRow("three test speeds")
        << QStringList{"rig", "test", "--port", "x", "--test-speeds", "400,400,400"}
        << "four numbers";
    QTest::addRow("points not a number")
        << QStringList{"rig", "zero", "--port", "x", "--points", "many"} << "--points";
    // What the pages would refuse is refused here: nothing wraps into a 16-bit field.
    QTest::addRow("points not offered")
        << QStringList{"rig", "zero", "--port", "x", "--points", "100"} << "校准参考点数量 [ 100 ]";
    QTest::addRow("points past 16 bits")
        << QStringList{"rig", "zero", "--port", "x", "--points", "70000"} << "[ 70000 ]";
    QTest::addRow("line past 16 bits")
        << QStringList{"rig", "params", "--port", "x", "--line", "65536"} << "[ 65536 ]";
    QTest::addRow("speed past 16 bits")
        << QStringList{"rig", "params", "--port", "x", "--speed", "40000"} << "校准速度 [ 40000 ]";
    QTest::addRow("negative speed")
        << QStringList{"rig", "params", "--port", "x", "--speed", "-40000"} << "[ -40000 ]";
    QTest::addRow("test speed past 16 bits")
        << QStringList{"rig", "test", "--port", "x", "--test-speeds", "1000,1000,32768,1000"}
        << "测试速度 [ 32768 ]";
}

void TestRigCli::validation() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    TestWorkDir work(config());
    const Run run = cli(args);
    QCOMPARE_EXIT(run, 2);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QVERIFY(run.out.isEmpty());
}

void TestRigCli::calibrateEventsAndRecord() {
    TestWorkDir work(config());
    Rig rig;
    const QString recordPath = work.filePath("record.json");
    const Run run = cli({"rig", "calibrate", "--port", rig.device.portPath(), "--points", "32",
                         "--json", "--record", recordPath});
    QCOMPARE_EXIT(run, 0);
    const QList<QJsonObject> all = jsonLines(run.out);
    QStringList results;
    for (const QJsonObject& e : all)
        if (e.value("type") == "result")
            results << e.value("name").toString();
    QCOMPARE(results, (QStringList{"calibrationCompInlResult", "calibrationResult"}));
    QCOMPARE(all.at(all.size() - 2).value("type").toString(), QString("record"));
    const QJsonObject record = all.at(all.size() - 2).value("record").toObject();
    QCOMPARE(record.value("pointNum").toInt(), 32);
    QCOMPARE(record.value("encoderType").toInt(), 250);
    QCOMPARE(record.value("rigVerdict").toBool(), true);
    QCOMPARE(record.value("inlCurves").toObject().value("FINAL").toArray().size(), 32);
    QCOMPARE(record.value("phaseCoefficients").toObject().value("ROUGH").toArray().size(), 8);
    QCOMPARE(all.last().value("code").toInt(), 0);
    // The parameters were saved as the run panel saves them, and the file holds the record.
    QVERIFY(work.readConfig().contains("pointNum=32"));
    QFile file(recordPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QJsonDocument::fromJson(file.readAll()).object(), record);
}

void TestRigCli::exitCodeFollowsTheRig_data() {
    QTest::addColumn<QString>("job");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<int>("parameterReply");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("lastResult");
    QTest::addRow("test judged good") << "test" << 0x06 << 0x06 << 0 << "测试完毕。";
    QTest::addRow("test judged bad") << "test" << 0x15 << 0x06 << 3 << "测试完毕。";
    QTest::addRow("zero judged bad") << "zero" << 0x15 << 0x06 << 3 << "对零完毕。";
    QTest::addRow("parameters refused") << "calibrate" << 0x06 << 0x15 << 1 << "校准失败。";
    QTest::addRow("params alone") << "params" << 0x15 << 0x06 << 0 << "参数设置完毕。";
}

void TestRigCli::exitCodeFollowsTheRig() {
    QFETCH(QString, job);
    QFETCH(int, verdict);
    QFETCH(int, parameterReply);
    QFETCH(int, code);
    QFETCH(QString, lastResult);
    TestWorkDir work(config());
    Rig rig;
    rig.settings().verdict = quint8(verdict);
    rig.settings().parameterReply = quint8(parameterReply);
    const Run run = cli({"rig", job, "--port", rig.device.portPath(), "--json"});
    QCOMPARE_EXIT(run, code);
    QString last;
    for (const QJsonObject& e : jsonLines(run.out))
        if (e.value("type") == "result")
            last = e.value("text").toString();
    QCOMPARE(last, lastResult);
}

void TestRigCli::storedNumbersOutOfRangeAreNeverSent_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("refusal");
    QTest::addRow("points overflowing the block size")
        << "[CalibrationEntity]\npointNum=1073741824\nencoderLine=2048\ncalibrationSpeed=1400\n"
        << "[CalibrationEntity] pointNum = 1073741824" << "校准参考点数量不能为0,请重新输入";
    QTest::addRow("points past 16 bits")
        << "[CalibrationEntity]\npointNum=70000\nencoderLine=2048\ncalibrationSpeed=1400\n"
        << "[CalibrationEntity] pointNum = 70000" << "校准参考点数量不能为0,请重新输入";
    QTest::addRow("line past 16 bits")
        << "[CalibrationEntity]\npointNum=64\nencoderLine=65536\ncalibrationSpeed=1400\n"
        << "[CalibrationEntity] encoderLine = 65536" << "对拖编码器线数不能为0,请重新输入";
    QTest::addRow("negative speed")
        << "[CalibrationEntity]\npointNum=64\nencoderLine=2048\ncalibrationSpeed=-40000\n"
        << "[CalibrationEntity] calibrationSpeed = -40000" << "校准速度不能为0,请重新输入";
    QTest::addRow("array size of 2^31 - 1")
        << "[CalibrationEntity]\npointNum=64\nencoderLine=2048\ncalibrationSpeed=1400\n"
           "[CalibrationEntityList]\n1\\testSpeed=400\nsize=2147483647\n"
        << "[CalibrationEntityList] testSpeed" << "测试速度不能为0,请重新输入";
}

void TestRigCli::storedNumbersOutOfRangeAreNeverSent() {
    QFETCH(QString, stored);
    QFETCH(QString, named);
    QFETCH(QString, refusal);
    QString text = stored;
    if (!text.contains("CalibrationEntityList"))
        text += "[CalibrationEntityList]\n1\\testSpeed=400\n2\\testSpeed=400\n"
                "3\\testSpeed=400\n4\\testSpeed=400\nsize=4\n";
    TestWorkDir work(chineseConfig() + text.toUtf8());
    Rig rig;
    const Run run = cli({"rig", "params", "--port", rig.device.portPath()}, 20000);
    QCOMPARE_EXIT(run, 2);
    const QString out = QString::fromUtf8(run.out + run.err);
    QVERIFY2(out.contains(named), qPrintable(out));
    QVERIFY2(out.contains(refusal), qPrintable(out));
    QVERIFY(rig.device.received().isEmpty());
}

void TestRigCli::worksInAnEmptyFolder() {
    // No config/ at all: the command writes the default first, as the program does.
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Rig rig;
    const Run run = cli({"rig", "params", "--port", rig.device.portPath(), "--points", "64",
                         "--line", "2048", "--speed", "1400", "--test-speeds",
                         "200,1000,1400,1000"});
    QDir::setCurrent(previous);
    QVERIFY2(run.code == 0, run.out.constData());
    QVERIFY(QFile::exists(dir.filePath("config/config.ini")));
}

QTEST_GUILESS_MAIN(TestRigCli)
#include "tst_rigcli.moc"
