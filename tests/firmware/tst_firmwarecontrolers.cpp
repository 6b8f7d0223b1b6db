#include <QtTest>

#include "chineseconfig.h"
#include "connectflag.h"
#include "devicestype.h"
#include "entitystore.h"
#include "firmwarecontroler.h"
#include "firmwareentity.h"
#include "firmwaretestbench.h"
#include "firmwareupgrade.h"
#include "iapcontroler.h"
#include "iapentity.h"
#include "iapmode.h"
#include "language.h"
#include "serialportbusy.h"
#include "serialportentity.h"
#include "testworkdir.h"
#include "transformways.h"

namespace {
QList<int> values(const QSignalSpy& spy) {
    QList<int> list;
    for (const QList<QVariant>& args : spy) list << args.at(0).toInt();
    return list;
}
const QByteArray kConfig = chineseConfig() +
                           "[ZEK_ENCODER]\nbootAreaSize=12288\nappAreaSize=24576\n"
                           "configAreaSize=2048\nidAreaSize=2048\n";
}  // namespace

class TestFirmwareControlers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void generationThroughWorker_data();
    void generationThroughWorker();
    void upgradeThroughWorker();
    void failedUpgradeDisconnects();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestFirmwareControlers::init() {
    work = std::make_unique<TestWorkDir>(kConfig);
    Language::instance()->load();
    DevicesType::instance()->reload();
}

void TestFirmwareControlers::cleanup() {
    work.reset();
}

void TestFirmwareControlers::generationThroughWorker_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("progress");
    QTest::addRow("upgrade image")
        << "Upgrade_Firmware" << true << QList<int>{15, 25, 45, 65, 75, 85, 100};
    QTest::addRow("factory image")
        << "Factory_Firmware" << true << QList<int>{5, 10, 20, 25, 45, 55, 65, 75, 85, 100};
    QTest::addRow("no mode chosen") << "" << false << QList<int>{100};
}

void TestFirmwareControlers::generationThroughWorker() {
    QFETCH(QString, mode);
    QFETCH(bool, ok);
    QFETCH(QList<int>, progress);
    QVERIFY(writeFile(work->filePath("boot.bin"), patternBytes(5000)));
    QVERIFY(writeFile(work->filePath("app.bin"), patternBytes(9000)));
    FirmwareControler controler;
    QSignalSpy result(&controler, &FirmwareControler::generationResult);
    QSignalSpy log(&controler, &FirmwareControler::msgSignal);
    QSignalSpy bar(&controler, &FirmwareControler::setProgress);

    FirmwareEntity entity;
    entity.setModeName(mode);
    entity.setWatermarkName("ZEK_ENCODER");  // loads the area sizes of that device
    QCOMPARE(entity.getAppAreaSize(), 24576);
    entity.setVersion(0.02);
    entity.setBootFirmwarePath(work->filePath("boot.bin"));
    entity.setAppFirmwarePath(work->filePath("app.bin"));
    entity.setSavePath(work->filePath("out.bin"));
    controler.startGenerationSlot(&entity);
    QVERIFY(result.wait(5000));
    QCOMPARE(result.first().at(0).toString(),
             ok ? QString("固件生成成功") : QString("固件生成失败"));
    QCOMPARE(result.first().at(1).toBool(), ok);
    QCOMPARE(values(bar), progress);
    QCOMPARE(log.at(1).at(0).toString(), QString("Firmware Generation"));
    QCOMPARE(log.at(3).at(1).toString(), QString(" 开始生成固件"));
    QCOMPARE(QFile::exists(work->filePath("out.bin")), ok);
}

void TestFirmwareControlers::upgradeThroughWorker() {
    const QString path = work->filePath("update.bin");
    const QByteArray image = patternBytes(3000) + "ZEK_ENCODERV0.03";
    QVERIFY(writeFile(path, image));
    FirmwareTestBench bench;
    SerialPortEntity port(nullptr, bench.portText(), 115200);
    EntityStore::saveSerialPortEntity(&port);

    IapControler controler;
    FirmwareUpgrade* upgrade = controler.getWorker()->getUpgrade();
    upgrade->modeSwitchWaitMs = 30;
    upgrade->statusPassWaitMs = 5;
    upgrade->afterTransferWaitMs = 0;
    QSignalSpy result(&controler, &IapControler::connectResult);
    QSignalSpy log(&controler, &IapControler::msgSignal);
    QSignalSpy lines(&controler, &IapControler::msgSignals);
    QSignalSpy bar(&controler, &IapControler::setProgress);

    IapEntity entity(nullptr, "ZEK_ENCODER", "Ymodem_1K", "First_Caxis", path);
    entity.setDevicesName("ZEK_ENCODER");
    TransformWays::instance()->setValue(TransformWays::Ymodem_1K);
    controler.startIapSlot(&entity);
    QVERIFY(SerialPortBusy::instance()->isOpen());
    QVERIFY(result.wait(10000));
    QCOMPARE(result.first().at(0).toString(), QString("升级完成。"));
    QVERIFY(result.first().at(1).toBool());
    QCOMPARE(values(bar), (QList<int>{0, 0, 10, 20, 30, 33, 66, 100, 100}));
    QCOMPARE(log.first().at(0).toString(), QString("IAP"));
    QCOMPARE(log.last().at(1).toString(), QString("固件更新完成。"));
    QCOMPARE(lines.first().at(0).toString(), QString("IAP"));
    QCOMPARE(bench.encoder->receivedImage, image);
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::CONNECTED));
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
}

void TestFirmwareControlers::failedUpgradeDisconnects() {
    FirmwareTestBench bench;
    SerialPortEntity port(nullptr, bench.portText(), 115200);
    EntityStore::saveSerialPortEntity(&port);
    IapControler controler;
    QSignalSpy result(&controler, &IapControler::connectResult);
    IapEntity entity(nullptr, "ZEK_ENCODER", "Ymodem_128", "First_Caxis",
                     work->filePath("missing.bin"));
    entity.setDevicesName("ZEK_ENCODER");
    controler.startIapSlot(&entity);
    QVERIFY(result.wait(10000));
    QCOMPARE(result.first().at(0).toString(), QString("升级失败。"));
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
}

QTEST_GUILESS_MAIN(TestFirmwareControlers)
#include "tst_firmwarecontrolers.moc"
