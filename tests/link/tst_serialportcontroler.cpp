#include <QSignalSpy>
#include <QtTest>

#include "chineseconfig.h"
#include "connectflag.h"
#include "devicestype.h"
#include "identifyingbehaviour.h"
#include "language.h"
#include "readconfig.h"
#include "serialportcontroler.h"
#include "serialportentity.h"
#include "serialportmode.h"
#include "simdevice.h"
#include "testworkdir.h"
#include "ymodem.h"

namespace {
QStringList column(const QSignalSpy& spy, int index) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(index).toString();
    return list;
}
}  // namespace

class TestSerialPortControler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void connectAndCompare_data();
    void connectAndCompare();
    void connectFailureReportsNoComparison();
    void jobRunsOnWorkerThread();
    void configurationRoundTrip();
    void portTexts();
    void destroyingDuringJobJoinsPromptly();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestSerialPortControler::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
}

void TestSerialPortControler::init() {
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
}

void TestSerialPortControler::connectAndCompare_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("match");
    QTest::addColumn<QString>("compText");
    QTest::addRow("rig as CALIBRATION")
        << int(SimDevice::Rig) << "CALIBRATION" << true << "设备类型匹配成功。";
    QTest::addRow("encoder as CALIBRATION") << int(SimDevice::Encoder) << "CALIBRATION" << false
                                            << "设备类型匹配失败，请修改设备类型为：ZEK_ENCODER";
    QTest::addRow("BiSS master") << int(SimDevice::BissMaster) << "BiSS_Master" << true
                                 << "设备类型匹配成功。";
}

void TestSerialPortControler::connectAndCompare() {
    QFETCH(int, kind);
    QFETCH(QString, selected);
    QFETCH(bool, match);
    QFETCH(QString, compText);
    SimDevice device(static_cast<SimDevice::Kind>(kind));
    SerialPortControler controler;
    QSignalSpy messages(&controler, &SerialPortControler::msgSignal);
    QSignalSpy progress(&controler, &SerialPortControler::setProgress);
    QSignalSpy connected(&controler, &SerialPortControler::connectResult);
    QSignalSpy compared(&controler, &SerialPortControler::compResult);

    const QString port = QStringLiteral("Simulated (%1)").arg(device.portPath());
    SerialPortEntity entity(nullptr, port, 115200);
    DevicesType::instance()->setConnectedType(selected);
    // What a receiver of the first result finds: the flag is already set.
    int flagAtResult = -1;
    connect(&controler, &SerialPortControler::connectResult, this, [&flagAtResult] {
        if (flagAtResult < 0)
            flagAtResult = ConnectFlag::instance()->getDeviceConnection();
    });
    controler.connectSerialPort(&entity);
    QTRY_COMPARE_WITH_TIMEOUT(compared.size(), 1, 10000);
    QCOMPARE(flagAtResult, int(match ? ConnectFlag::CONNECTED : ConnectFlag::DISCONNECTED));

    QCOMPARE(messages.first().at(1).toString(),
             "正在连接设备: [" + selected + "] 串口: [" + port + "] 波特率：[115200] ");
    QVERIFY(column(messages, 0).removeAll("SerialPort") == messages.size());
    QCOMPARE(column(progress, 0), (QStringList{"0", "20", "40", "60", "80", "100"}));
    QCOMPARE(connected.size(), 1);
    QCOMPARE(connected.first().at(0).toString(), QString("通信完成。"));
    QCOMPARE(connected.first().at(1).toBool(), true);
    QCOMPARE(compared.first().at(0).toString(), compText);
    QCOMPARE(compared.first().at(1).toBool(), match);
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(),
             int(match ? ConnectFlag::CONNECTED : ConnectFlag::DISCONNECTED));
    // The settings were saved before the job.
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "SerialPortNum"), port);
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "DevicesType"), selected);
}

void TestSerialPortControler::connectFailureReportsNoComparison() {
    SerialPortControler controler;
    QSignalSpy connected(&controler, &SerialPortControler::connectResult);
    QSignalSpy compared(&controler, &SerialPortControler::compResult);
    QSignalSpy progress(&controler, &SerialPortControler::setProgress);
    SerialPortEntity entity(nullptr, "Gone (/dev/pts/no-such-port)", 9600);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    controler.connectSerialPort(&entity);
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, 5000);
    QCOMPARE(connected.first().at(0).toString(), QString("通信失败。"));
    QCOMPARE(connected.first().at(1).toBool(), false);
    QCOMPARE(column(progress, 0), (QStringList{"0", "100"}));
    QTest::qWait(50);
    QCOMPARE(compared.size(), 0);
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
}

void TestSerialPortControler::jobRunsOnWorkerThread() {
    SerialPortControler controler;
    SerialPortMode* worker = controler.getWorker();
    QVERIFY(worker->thread() != QThread::currentThread());
    QVERIFY(worker->getYmodem()->thread() == worker->thread());
    QVERIFY(controler.workerThread()->isRunning());
}

void TestSerialPortControler::configurationRoundTrip() {
    work->writeConfig(chineseConfig() +
                      "[SerialPortEntity]\nBaudRate=57600\nDevicesType=ZEK_MT6826S\n"
                      "SerialPortNum=USB-SERIAL CH340 (COM8)\n");
    SerialPortControler controler;
    QSignalSpy loaded(&controler,
                      qOverload<SerialPortEntity*>(&SerialPortControler::getConfigArgments));
    controler.getConfigArgments();
    QCOMPARE(loaded.size(), 1);
    auto* entity = loaded.first().at(0).value<SerialPortEntity*>();
    QCOMPARE(entity->getSerialPortNum(), QString("USB-SERIAL CH340 (COM8)"));
    QCOMPARE(entity->getBaudRate(), 57600);
    QCOMPARE(DevicesType::instance()->getConnectedType(), 251);
    entity->setBaudRate(9600);
    controler.setConfigArgments(entity);
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "BaudRate"), QString("9600"));
    work->writeConfig(chineseConfig());
}

void TestSerialPortControler::portTexts() {
    QCOMPARE(SerialPortMode::portTexts({}, {}), QStringList());
    QCOMPARE(SerialPortMode::portText("USB-SERIAL CH340", "COM8"),
             QString("USB-SERIAL CH340 (COM8)"));
    // A port without a description is shown by its name, never as " (ttyS0)".
    QCOMPARE(SerialPortMode::portText("", "ttyS0"), QString("ttyS0 (ttyS0)"));
    VirtualPorts::add("Simulated calibration rig", "/dev/pts/77");
    SerialPortControler controler;
    QSignalSpy list(&controler, qOverload<QStringList>(&SerialPortControler::getSerialPortList));
    controler.getSerialPortList();
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.first().at(0).toStringList().last(),
             QString("Simulated calibration rig (/dev/pts/77)"));
    VirtualPorts::remove("/dev/pts/77");
    QVERIFY(!SerialPortMode::portTexts({}, VirtualPorts::list())
                 .contains("Simulated calibration rig (/dev/pts/77)"));
}

void TestSerialPortControler::destroyingDuringJobJoinsPromptly() {
    SimDevice rig(SimDevice::Rig);
    SimDevice::Faults faults;
    faults.silent = true;
    rig.setFaults(faults);
    SerialPortEntity entity(nullptr, rig.portPath(), 115200);
    QElapsedTimer clock;
    {
        SerialPortControler controler;
        QSignalSpy messages(&controler, &SerialPortControler::msgSignal);
        controler.connectSerialPort(&entity);
        QTRY_VERIFY(column(messages, 1).contains("尝试连接第 1次..."));
        clock.start();
    }
    // The reader saw the stop request within one slice instead of waiting out two deadlines.
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestSerialPortControler)
#include "tst_serialportcontroler.moc"
