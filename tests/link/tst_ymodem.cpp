#include <QElapsedTimer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

#include "chineseconfig.h"
#include "connectflag.h"
#include "crc16ccitt.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "identifyingbehaviour.h"
#include "language.h"
#include "simdevice.h"
#include "testworkdir.h"
#include "ymodem.h"

namespace {
QStringList messages(const QSignalSpy& spy) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(0).toString();
    return list;
}
QString portText(const SimDevice& sim) {
    return QStringLiteral("Simulated (%1)").arg(sim.portPath());
}
const QString kTimeout = QStringLiteral("失败！原因：等待设备的<响应>指令超时。");
}  // namespace

class TestYmodem : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void crc_data();
    void crc();
    void xorCheck_data();
    void xorCheck();
    void commandBytesByType_data();
    void commandBytesByType();
    void linkFrameLayout();
    void openUsesNameButShowsWholeText();
    void readWord32WaitsForFourthByte();
    void readWord32GivesUpAtDeadline();
    void silentDeviceReaderTakesTheDeadline();
    void silentHandshakeTriesTwice();
    void refusedFirstHandshakeThenAccepted();
    void bootModeModelAndVersion();
    void normalReplyEchoEitherByte();
    void deviceId_data();
    void deviceId();
    void oddStatusFailsModel();
    void connectProgressAndBytes();
    void badDeviceEndsJobClosed_data();
    void badDeviceEndsJobClosed();
    void staleBytesNeverAnswerARequest_data();
    void staleBytesNeverAnswerARequest();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestYmodem::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
}

void TestYmodem::init() {
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
}

void TestYmodem::crc_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("crc");
    QTest::addRow("check value") << QByteArray("123456789") << 9 << 0x31C3;
    QTest::addRow("empty") << QByteArray() << 0 << 0;
    QTest::addRow("negative count") << QByteArray("123") << -4 << 0;
    QTest::addRow("prefix only") << QByteArray("123456789xyz") << 9 << 0x31C3;
    QTest::addRow("count past the end") << QByteArray("123456789") << 50 << 0x31C3;
    QTest::addRow("one zero byte") << QByteArray(1, '\0') << 1 << 0;
    QTest::addRow("A") << QByteArray("A") << 1 << 0x58E5;
}

void TestYmodem::crc() {
    QFETCH(QByteArray, data);
    QFETCH(int, count);
    QFETCH(int, crc);
    QCOMPARE(int(crc16ccitt::compute(data, count)), crc);
}

void TestYmodem::xorCheck_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("check");
    QTest::addRow("34 12 CD") << QByteArray("\x34\x12\xCD") << 3 << 0xEB;
    QTest::addRow("count 0") << QByteArray("\x34\x12") << 0 << 0;
    QTest::addRow("count 256 is 0") << QByteArray(300, '\x01') << 256 << 0;
    QTest::addRow("count 257 is 1") << QByteArray(300, '\x5A') << 257 << 0x5A;
}

void TestYmodem::xorCheck() {
    QFETCH(QByteArray, data);
    QFETCH(int, count);
    QFETCH(int, check);
    QCOMPARE(int(crc16ccitt::xorCheck(data, count)), check);
}

void TestYmodem::commandBytesByType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("modeSwitch");
    const QByteArray ordinary("\x7A\x34\x12\xCD\xAB\x3A", 6);
    for (const QString& name : DevicesType::instance()->keyList()) {
        const int type = DevicesType::instance()->keyToValue(name);
        if (type == DevicesType::BiSS_Master)
            QTest::addRow("%s", qPrintable(name))
                << type << 0x0D << 0x0C << QByteArray("\x0E\x34\x12\xCD\xAB\x4E", 6);
        else
            QTest::addRow("%s", qPrintable(name)) << type << 0xF1 << 0x92 << ordinary;
    }
}

void TestYmodem::commandBytesByType() {
    QFETCH(int, type);
    QFETCH(int, status);
    QFETCH(int, model);
    QFETCH(QByteArray, modeSwitch);
    QCOMPARE(int(Ymodem::statusRequestByte(type)), status);
    QCOMPARE(int(Ymodem::normalModelRequestByte(type)), model);
    QCOMPARE(Ymodem::modeSwitchFrame(type), modeSwitch);
}

void TestYmodem::linkFrameLayout() {
    QByteArray expected(133, '\0');
    expected[0] = char(0xDA);
    expected[2] = 0x5A;
    expected[3] = 0x66;
    expected[4] = 0x01;
    QCOMPARE(Ymodem::linkFrame(0xDA, 0x01), expected);
    QCOMPARE(Ymodem::linkFrame(0xDF, 0x00).left(5), QByteArray("\xDF\x00\x5A\x66\x00", 5));
}

void TestYmodem::openUsesNameButShowsWholeText() {
    Ymodem link;
    QSignalSpy spy(&link, &Ymodem::msgSignal);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);
    QVERIFY(!link.openSerialPort("USB-SERIAL CH340 (COM8)", 115200));
    QCOMPARE(link.serialPort->portName(), QString("COM8"));
    // The system's reason follows the failure line.
    QCOMPARE(messages(spy).value(0), QString("打开 [ USB-SERIAL CH340 (COM8) ] 失败！"));
    QCOMPARE(messages(spy).size(), 2);
    QVERIFY(!messages(spy).at(1).isEmpty());
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::DISCONNECTED));

    SimDevice rig(SimDevice::Rig);
    spy.clear();
    QVERIFY(link.openSerialPort(portText(rig), 115200));
    QCOMPARE(messages(spy), QStringList{"打开 [ " + portText(rig) + " ] 成功！"});
    QVERIFY(SimDevice::kindName(SimDevice::Rig).size() > 0);
    link.closeSerialPort();
    QVERIFY(!link.isPortOpen());
}

void TestYmodem::readWord32WaitsForFourthByte() {
    SimDevice rig(SimDevice::Rig);
    SimDevice::Faults faults;
    faults.splitChunk = 3;
    faults.splitGapMs = 300;
    rig.setFaults(faults);
    Ymodem link;
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    link.sendByte(0x92);  // answered by 92 00 F9 00, written as 3 bytes, a pause, then 1
    quint32 value = 0;
    QVERIFY(link.readWord32(value));
    QCOMPARE(value, quint32(0x00F90092));
    link.closeSerialPort();
}

void TestYmodem::readWord32GivesUpAtDeadline() {
    SimDevice rig(SimDevice::Rig);
    SimDevice::Faults faults;
    faults.splitChunk = 3;
    faults.splitGapMs = 1500;
    rig.setFaults(faults);
    Ymodem link;
    link.replyTimeoutMs = 300;
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    link.sendByte(0x92);
    quint32 value = 0xDEADBEEF;
    QVERIFY(!link.readWord32(value));
    QCOMPARE(value, quint32(0xDEADBEEF));  // outputs untouched
    link.closeSerialPort();
}

void TestYmodem::silentDeviceReaderTakesTheDeadline() {
    SimDevice rig(SimDevice::Rig);
    SimDevice::Faults faults;
    faults.silent = true;
    rig.setFaults(faults);
    Ymodem link;
    QCOMPARE(link.replyTimeoutMs, 3000);
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(link.readByte(), 0);
    QVERIFY2(clock.elapsed() >= 2900 && clock.elapsed() < 4000,
             qPrintable(QString::number(clock.elapsed())));
    link.closeSerialPort();
}

void TestYmodem::silentHandshakeTriesTwice() {
    SimDevice rig(SimDevice::Rig);
    SimDevice::Faults faults;
    faults.silent = true;
    rig.setFaults(faults);
    Ymodem link;
    QSignalSpy spy(&link, &Ymodem::msgSignal);
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    spy.clear();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!link.handshake(0));
    QVERIFY2(clock.elapsed() >= 5800 && clock.elapsed() < 7500,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(messages(spy), (QStringList{"发送握手信号...", "尝试连接第 1次...", kTimeout,
                                         "尝试连接第 2次...", kTimeout}));
    link.closeSerialPort();
}

void TestYmodem::refusedFirstHandshakeThenAccepted() {
    SimDevice rig(SimDevice::Rig);
    rig.identity()->handshakeReplies = {0x15, 0x06};
    Ymodem link;
    QSignalSpy spy(&link, &Ymodem::msgSignal);
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    spy.clear();
    EncoderCaxis::instance()->setValue(EncoderCaxis::Sencond_Caxis);
    QVERIFY(link.handshake(-1));
    QCOMPARE(messages(spy),
             (QStringList{"发送握手信号...", "尝试连接第 1次...", "失败！原因：设备拒绝通信！",
                          "尝试连接第 2次...", "握手成功！"}));
    // Attempt 1 used First_Caxis, attempt 2 Sencond_Caxis; the accepted one stays current.
    QCOMPARE(rig.identity()->handshakeAxes, (QList<quint8>{0, 1}));
    QCOMPARE(EncoderCaxis::instance()->getValue(), 1);
    QCOMPARE(rig.received().first(), Ymodem::linkFrame(0xDA, 0x00));
    link.closeSerialPort();
}

void TestYmodem::bootModeModelAndVersion() {
    SimDevice encoder(SimDevice::Encoder);
    encoder.identity()->status = IdentifyingBehaviour::kBoot;
    Ymodem link;
    QVERIFY(link.openSerialPort(encoder.portPath(), 115200));
    QVERIFY(link.getDevicesStatus());
    QCOMPARE(DevicesStatus::instance()->getValue(), int(DevicesStatus::BOOT));
    int type = 0;
    QString version;
    QVERIFY(link.getDevicesModel(type, version));
    QCOMPARE(type, 250);
    QCOMPARE(version, QString("0.02"));
    QCOMPARE(encoder.received().last(), QByteArray("w"));
    link.closeSerialPort();
}

void TestYmodem::normalReplyEchoEitherByte() {
    SimDevice rig(SimDevice::Rig);
    rig.identity()->normalModelEcho = 0x0C;  // replies 0C 00 F9 00 to a request of 92
    Ymodem link;
    QSignalSpy spy(&link, &Ymodem::msgSignal);
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    QVERIFY(link.getDevicesStatus());
    int type = 0;
    QString version = "kept";
    QVERIFY(link.getDevicesModel(type, version));
    QCOMPARE(type, 249);
    QCOMPARE(version, QString("kept"));
    QCOMPARE(rig.received().last(), QByteArray("\x92"));
    QVERIFY(messages(spy).contains("获取设备状态成功，当前设备处于[NORMAL ] 状态。"));
    link.closeSerialPort();
}

void TestYmodem::deviceId_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("progress");
    QTest::addRow("rig F9") << QByteArray("\xF9") << true
                            << "获取设备ID成功！ 设备名称：[ CALIBRATION ]，设备ID：[ F9 ]" << 1;
    QTest::addRow("unknown AA") << QByteArray("\xAA") << false << "当前设备ID： [ AA ] ，未知设备。"
                                << 0;
    QTest::addRow("silence") << QByteArray() << false << "获取设备ID失败，请检查设备连接是否正常！"
                             << 0;
}

void TestYmodem::deviceId() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    QFETCH(int, progress);
    SimDevice rig(SimDevice::Rig);
    SimDevice::Faults faults;
    faults.garbage = reply;
    faults.silent = reply.isEmpty();
    rig.setFaults(faults);
    Ymodem link;
    link.replyTimeoutMs = 300;
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    QSignalSpy spy(&link, &Ymodem::msgSignal);
    QSignalSpy progressSpy(&link, &Ymodem::setProgress);
    link.sendByte(0x92);  // any command: the device answers with its ID byte
    int id = -7;
    QCOMPARE(link.getDevicesId(id), ok);
    QCOMPARE(id, ok ? 0xF9 : -7);
    QCOMPARE(messages(spy), QStringList{message});
    QCOMPARE(progressSpy.size(), progress);
    link.closeSerialPort();
}

void TestYmodem::oddStatusFailsModel() {
    SimDevice rig(SimDevice::Rig);
    rig.identity()->status = 0x07;
    Ymodem link;
    QSignalSpy spy(&link, &Ymodem::msgSignal);
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    QVERIFY(link.getDevicesStatus());
    QCOMPARE(DevicesStatus::instance()->getValue(), 7);
    int type = 0;
    QString version;
    QVERIFY(!link.getDevicesModel(type, version));
    QCOMPARE(messages(spy).last(), QString("获取设备型号失败！"));
    QVERIFY(messages(spy).contains("获取设备状态成功，当前设备处于[ ] 状态。"));
    link.closeSerialPort();
}

void TestYmodem::connectProgressAndBytes() {
    SimDevice rig(SimDevice::Rig);
    Ymodem link;
    QSignalSpy progress(&link, &Ymodem::setProgress);
    int type = 0;
    QVERIFY(link.connectDevice(type, portText(rig), 115200, -1));
    QCOMPARE(type, 249);
    QList<int> values;
    for (const auto& args : progress) values << args.at(0).toInt();
    QCOMPARE(values, (QList<int>{0, 20, 40, 60, 80}));
    const QList<QByteArray> wire = rig.received();
    QCOMPARE(wire.size(), 4);
    QCOMPARE(wire.at(0), Ymodem::linkFrame(0xDA, 0x00));
    QCOMPARE(wire.at(1), QByteArray("\xF1"));
    QCOMPARE(wire.at(2), QByteArray("\x92"));
    QCOMPARE(wire.at(3), Ymodem::linkFrame(0xDF, 0x00));
    QVERIFY(!link.isPortOpen());
}

void TestYmodem::badDeviceEndsJobClosed_data() {
    QTest::addColumn<int>("garbage");
    QTest::addColumn<int>("truncate");
    QTest::addColumn<int>("vanishAfter");
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("lastMessage");
    QTest::addRow("garbage") << 1 << -1 << -1 << QByteArray() << false << kTimeout;
    // The cut reply fails the model request; the end signal's own answer is still read as its
    // own, since what came before it is discarded.
    QTest::addRow("short model reply") << 0 << 2 << -1 << QByteArray() << false << "?";
    // Surplus bytes behind every reply never reach the reader of the next request.
    QTest::addRow("extra bytes") << 0 << -1 << -1 << QByteArray("\x55\x66\x77") << true
                                 << "结束指令发送成功。";
    QTest::addRow("vanishes after handshake") << 0 << -1 << 1 << QByteArray() << false << kTimeout;
    QTest::addRow("vanishes at once") << 0 << -1 << 0 << QByteArray() << false << "";
}

void TestYmodem::badDeviceEndsJobClosed() {
    QFETCH(int, garbage);
    QFETCH(int, truncate);
    QFETCH(int, vanishAfter);
    QFETCH(QByteArray, extra);
    QFETCH(bool, ok);
    QFETCH(QString, lastMessage);
    SimDevice rig(SimDevice::Rig);
    SimDevice::Faults faults;
    if (garbage)
        faults.garbage = QByteArray("\x00\xFF\x13\x37\x42", 5);
    faults.truncateTo = truncate;
    faults.extraBytes = extra;
    faults.vanishAfterCommands = vanishAfter > 0 ? vanishAfter : -1;
    rig.setFaults(faults);
    if (vanishAfter == 0)
        rig.vanish();
    Ymodem link;
    link.replyTimeoutMs = 500;
    QSignalSpy spy(&link, &Ymodem::msgSignal);
    int type = 0;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(link.connectDevice(type, rig.portPath(), 115200, 0), ok);
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(!link.isPortOpen());
    if (lastMessage == "?")
        QVERIFY(messages(spy).contains("获取设备型号失败！"));
    else if (!lastMessage.isEmpty())
        QCOMPARE(messages(spy).last(), lastMessage);
    else
        QVERIFY(messages(spy).value(messages(spy).size() - 2).endsWith(" ] 失败！"));
}

void TestYmodem::staleBytesNeverAnswerARequest_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("stale");
    // Each stale byte is what would be read as a wrong answer if it were kept: a NAK before a
    // handshake, a BOOT status before a status request, a wrong echo before a type request.
    QTest::addRow("handshake") << "handshake" << QByteArray("\x15");
    QTest::addRow("status") << "status" << QByteArray("\x01");
    QTest::addRow("model in normal mode") << "model" << QByteArray("\x55\x92\x00\x07");
    QTest::addRow("end signal after a NAK") << "end signal" << QByteArray("\x15\x43");
    QTest::addRow("end signal after a transfer's 'C'") << "end signal" << QByteArray("C");
}

void TestYmodem::staleBytesNeverAnswerARequest() {
    QFETCH(QString, command);
    QFETCH(QByteArray, stale);
    SimDevice rig(SimDevice::Rig);
    Ymodem link;
    link.replyTimeoutMs = 1000;
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    QVERIFY(link.openSerialPort(rig.portPath(), 115200));
    // The device's status is NORMAL for the model request.
    DevicesStatus::instance()->setValue(DevicesStatus::NORMAL);
    rig.inject(stale);
    // The stale bytes are in the host's input before the request is written.
    QTRY_VERIFY(link.serialPort->waitForReadyRead(10) || link.serialPort->bytesAvailable() > 0);
    int type = 0;
    QString version;
    bool ok = false;
    if (command == "handshake")
        ok = link.handshake(0);
    else if (command == "status")
        ok = link.getDevicesStatus() && DevicesStatus::instance()->getValue() == DevicesStatus::NORMAL;
    else if (command == "model")
        ok = link.getDevicesModel(type, version) && type == 249;
    else
        ok = link.sendEndSignal();
    QVERIFY(ok);
    link.closeSerialPort();
}

QTEST_GUILESS_MAIN(TestYmodem)
#include "tst_ymodem.moc"
