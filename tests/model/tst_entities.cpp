#include <QtTest>

#include "calibrationentity.h"
#include "devicesareaconfig.h"
#include "devicestype.h"
#include "entitystore.h"
#include "fileworkentity.h"
#include "firmwareentity.h"
#include "iapentity.h"
#include "readconfig.h"
#include "serialportentity.h"
#include "testworkdir.h"

namespace {
const QByteArray kDefaults =
    "[SerialPortEntity]\nBaudRate=115200\nDevicesType=CALIBRATION\n"
    "SerialPortNum=USB-SERIAL CH340 (COM8)\n"
    "[ZEK_ENCODER]\nbootAreaSize=12288\nappAreaSize=24576\nconfigAreaSize=2048\n"
    "idAreaSize=2048\nTargetInl=100\n"
    "[FirmwareEntity]\nmodeName=Upgrade_Firmware\nversion=0.02\nwatermarkName=ZEK_ENCODER\n"
    "savePath=/tmp/out.bin\n"
    "[CalibrationEntity]\nencoderLine=2048\nmaxInl=0.1\npointNum=256\n";
}

class TestEntities : public QObject {
    Q_OBJECT
private slots:
    void init() { DevicesType::instance()->setConnectedType(DevicesType::ZEK_ENCODER); }
    void calibrationDefaults();
    void recentList_data();
    void recentList();
    void recentListSavedAsLastTen();
    void serialPortEntity_data();
    void serialPortEntity();
    void firmwareAreaSizes_data();
    void firmwareAreaSizes();
    void firmwareRoundTrip();
    void calibrationRoundTrip();
    void calibrationEmptySpeedList();
    void iapNamesConnectedType();
    void areaConfigFollowsConnectedType();
};

void TestEntities::calibrationDefaults() {
    CalibrationEntity entity;
    QCOMPARE(entity.getCalibrationSpeed(), 1400);
    QCOMPARE(entity.getTestSpeed(), (QList<quint16>{400, 400, 400, 400}));
    QCOMPARE(entity.getTestMaxInl(), (QList<float>{0, 0, 0, 0}));
    QCOMPARE(entity.getInlCurves().keys().size(), 7);
    QVERIFY(entity.getInlCurves().contains("FOURTH"));
}

void TestEntities::recentList_data() {
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("after");
    QTest::addRow("known path changes nothing")
        << QStringList{"a", "b"} << "a" << QStringList{"a", "b"};
    QTest::addRow("new path goes last")
        << QStringList{"a", "b"} << "c" << QStringList{"a", "b", "c"};
    QTest::addRow("case-sensitive") << QStringList{"a"} << "A" << QStringList{"a", "A"};
}

void TestEntities::recentList() {
    QFETCH(QStringList, start);
    QFETCH(QString, path);
    QFETCH(QStringList, after);
    FileWorkEntity entity;
    entity.setRecentList(start);
    entity.setFilePath(path);
    QCOMPARE(entity.getRecentList(), after);
    QCOMPARE(entity.getFilePath(), path);
}

void TestEntities::recentListSavedAsLastTen() {
    TestWorkDir work;
    FileWorkEntity entity;
    QStringList twelve;
    for (int i = 1; i <= 12; ++i) twelve << QStringLiteral("/fw/%1.bin").arg(i);
    entity.setRecentList(twelve);
    entity.setFilePath("/fw/12.bin");
    EntityStore::saveFileWorkEntity(&entity);
    std::unique_ptr<FileWorkEntity> loaded(EntityStore::loadFileWorkEntity());
    QCOMPARE(loaded->getFilePath(), QString("/fw/12.bin"));
    QCOMPARE(loaded->getRecentList(), twelve.mid(2));
}

void TestEntities::serialPortEntity_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("type");
    QTest::addRow("default file") << kDefaults << "USB-SERIAL CH340 (COM8)" << 115200 << 249;
    QTest::addRow("unknown type") << QByteArray(
                                         "[SerialPortEntity]\nDevicesType=WHO\nBaudRate=9600\n")
                                  << "" << 9600 << 0;
    QTest::addRow("baud not a number")
        << QByteArray("[SerialPortEntity]\nBaudRate=fast\n") << "" << 0 << 0;
}

void TestEntities::serialPortEntity() {
    QFETCH(QByteArray, config);
    QFETCH(QString, port);
    QFETCH(int, baud);
    QFETCH(int, type);
    TestWorkDir work(config);
    DevicesType::instance()->reload();
    std::unique_ptr<SerialPortEntity> entity(EntityStore::loadSerialPortEntity());
    QCOMPARE(entity->getSerialPortNum(), port);
    QCOMPARE(entity->getBaudRate(), baud);
    QCOMPARE(DevicesType::instance()->getConnectedType(), type);

    DevicesType::instance()->setConnectedType(DevicesType::BiSS_Master);
    entity->setBaudRate(921600);
    EntityStore::saveSerialPortEntity(entity.get());
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "DevicesType"), QString("BiSS_Master"));
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "BaudRate"), QString("921600"));
}

void TestEntities::firmwareAreaSizes_data() {
    QTest::addColumn<QString>("device");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addRow("ZEK_ENCODER") << "ZEK_ENCODER" << QList<int>{12288, 24576, 2048, 2048};
    QTest::addRow("no area group") << "ZEK_MT6826S" << QList<int>{0, 0, 0, 0};
    QTest::addRow("empty name") << "" << QList<int>{0, 0, 0, 0};
}

void TestEntities::firmwareAreaSizes() {
    QFETCH(QString, device);
    QFETCH(QList<int>, sizes);
    TestWorkDir work(kDefaults);
    FirmwareEntity entity;
    entity.setWatermarkName(device);
    QCOMPARE((QList<int>{entity.getBootAreaSize(), entity.getAppAreaSize(),
                         entity.getConfigAreaSize(), entity.getIdAreaSize()}),
             sizes);
}

void TestEntities::firmwareRoundTrip() {
    TestWorkDir work(kDefaults);
    std::unique_ptr<FirmwareEntity> entity(EntityStore::loadFirmwareEntity());
    QCOMPARE(entity->getModeName(), QString("Upgrade_Firmware"));
    QCOMPARE(entity->getVersion(), 0.02);
    QCOMPARE(entity->getAppAreaSize(), 24576);
    entity->setVersion(1.5);
    entity->setWatermarkName("ZEK_MT6835G");
    EntityStore::saveFirmwareEntity(entity.get());
    QCOMPARE(ReadConfig::readValue("FirmwareEntity", "version"), QString("1.5"));
    QCOMPARE(ReadConfig::readValue("FirmwareEntity", "bootAreaSize"), QString());
    std::unique_ptr<FirmwareEntity> again(EntityStore::loadFirmwareEntity());
    QCOMPARE(again->getWatermarkName(), QString("ZEK_MT6835G"));
    QCOMPARE(again->getBootAreaSize(), 0);
}

void TestEntities::calibrationRoundTrip() {
    TestWorkDir work(kDefaults);
    std::unique_ptr<CalibrationEntity> entity(EntityStore::loadCalibrationEntity());
    QCOMPARE(entity->getPointNum(), 256);
    QCOMPARE(entity->getEncoderLine(), 2048);
    QCOMPARE(entity->getMaxInl(), 0.1f);
    entity->setTestSpeed({100, 200, 300, 32767});
    entity->setCalibrationSpeed(900);
    EntityStore::saveCalibrationEntity(entity.get());
    std::unique_ptr<CalibrationEntity> again(EntityStore::loadCalibrationEntity());
    QCOMPARE(again->getTestSpeed(), (QList<quint16>{100, 200, 300, 32767}));
    QCOMPARE(again->getCalibrationSpeed(), 900);
    QVERIFY(EntityStore::takeLoadProblems().isEmpty());
    // A speed that would wrap in its signed 16-bit field is refused with its key, and not used.
    entity->setTestSpeed({100, 200, 300, 65535});
    EntityStore::saveCalibrationEntity(entity.get());
    again.reset(EntityStore::loadCalibrationEntity());
    QCOMPARE(again->getTestSpeed(), (QList<quint16>{0, 0, 0, 0}));
    const QStringList problems = EntityStore::takeLoadProblems();
    QCOMPARE(problems.size(), 1);
    QVERIFY(problems.first().contains("[CalibrationEntityList] testSpeed"));
}

void TestEntities::calibrationEmptySpeedList() {
    TestWorkDir work;
    std::unique_ptr<CalibrationEntity> entity(EntityStore::loadCalibrationEntity());
    QCOMPARE(entity->getTestSpeed(), (QList<quint16>{0, 0, 0, 0}));
    QCOMPARE(entity->getCalibrationSpeed(), 0);
}

void TestEntities::iapNamesConnectedType() {
    TestWorkDir work("[IapEntity]\ndevicesName=ZEK_MT6826S\ntransformName=Ymodem_1K\n");
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    IapEntity fresh(nullptr, "ignored", "Ymodem_128", "First_Caxis", "/fw/u.bin");
    QCOMPARE(fresh.getDevicesName(), QString("CALIBRATION"));
    std::unique_ptr<IapEntity> loaded(EntityStore::loadIapEntity());
    QCOMPARE(loaded->getDevicesName(), QString("ZEK_MT6826S"));
    QCOMPARE(loaded->getTransformName(), QString("Ymodem_1K"));
}

void TestEntities::areaConfigFollowsConnectedType() {
    TestWorkDir work(kDefaults);
    DevicesAreaConfig config;
    QCOMPARE(config.getDevicesName(), QString("ZEK_ENCODER"));
    QCOMPARE(config.value("TargetInl"), 100);
    config.setValue("Resolution", 17);
    config.save();
    QCOMPARE(ReadConfig::readIntMap("ZEK_ENCODER").value("Resolution"), 17);
}

QTEST_GUILESS_MAIN(TestEntities)
#include "tst_entities.moc"
