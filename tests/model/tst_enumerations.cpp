#include <QSerialPort>
#include <QtTest>

#include "absresloverresolution.h"
#include "bissslaveregedit.h"
#include "connectflag.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "language.h"
#include "mode.h"
#include "permissioncontroller.h"
#include "readconfig.h"
#include "serialportbusy.h"
#include "testworkdir.h"
#include "transformways.h"

class TestEnumerations : public QObject {
    Q_OBJECT
private slots:
    void registryMergesConfiguration();
    void registryAddKeepsNameOrder();
    void registryLookups_data();
    void registryLookups();
    void plainKeyLists();
    void plainLookups_data();
    void plainLookups();
    void defaults();
    void permissionPersistence_data();
    void permissionPersistence();
    void languagePersistence_data();
    void languagePersistence();
    void serialPortBusy();
};

void TestEnumerations::registryMergesConfiguration() {
    TestWorkDir work(
        "[DevicesTypeEnum]\nCALIBRATION=249\nZEK_ENCODER=250\nZEK_CUSTOM01=77\n"
        "[EncoderCaxis]\nThird_Caxis=2\n");
    DevicesType* types = DevicesType::instance();
    types->reload();
    QCOMPARE(types->keyToValue("ZEK_CUSTOM01"), 77);
    QVERIFY(types->containsValue(77));
    QStringList sorted = types->keyList();
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(types->keyList(), sorted);
    QCOMPARE(types->keyList().size(), 9);
    // Values follow the name order.
    QCOMPARE(types->valueList().at(types->keyList().indexOf("BiSS_Master")), 191);

    EncoderCaxis* axes = EncoderCaxis::instance();
    axes->reload();
    QCOMPARE(axes->keyList(), (QStringList{"First_Caxis", "Sencond_Caxis", "Third_Caxis"}));
    QCOMPARE(axes->valueList(), (QList<int>{0, 1, 2}));
    axes->reload();
}

void TestEnumerations::registryAddKeepsNameOrder() {
    TestWorkDir work;
    DevicesType* types = DevicesType::instance();
    types->reload();
    types->addDevicesType("NEW_DEVICE1", 200);
    const QStringList keys = types->keyList();
    QCOMPARE(keys.indexOf("NEW_DEVICE1"), keys.indexOf("FENOXA_BISS") + 1);
    QCOMPARE(types->valueToKey(200), QString("NEW_DEVICE1"));
    // The whole registry, built-ins included, is now in the group.
    const QMap<QString, int> stored = ReadConfig::readIntMap("DevicesTypeEnum");
    QCOMPARE(stored.size(), 9);
    QCOMPARE(stored.value("ABSRESLOVER"), 221);
    QCOMPARE(stored.value("NEW_DEVICE1"), 200);
    types->reload();
    QCOMPARE(types->keyToValue("NEW_DEVICE1"), 200);
    work.writeConfig("");
    types->reload();
}

void TestEnumerations::registryLookups_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("nameOfValue");
    QTest::addRow("ZEK_ENCODER") << "ZEK_ENCODER" << 250 << "ZEK_ENCODER";
    QTest::addRow("BiSS_Master") << "BiSS_Master" << 191 << "BiSS_Master";
    QTest::addRow("unknown name gives 0") << "NO_SUCH_TYPE" << 0 << "";
    QTest::addRow("case-sensitive") << "zek_encoder" << 0 << "";
    QTest::addRow("empty name") << "" << 0 << "";
}

void TestEnumerations::registryLookups() {
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(QString, nameOfValue);
    TestWorkDir work;
    DevicesType::instance()->reload();
    QCOMPARE(DevicesType::instance()->keyToValue(name), value);
    QCOMPARE(DevicesType::instance()->valueToKey(value), nameOfValue);
}

void TestEnumerations::plainKeyLists() {
    QCOMPARE(AbsResloverResolution::keyList(), (QStringList{"L256", "L1024", "L4096", "L16384"}));
    QCOMPARE(AbsResloverResolution::valueList(), (QList<int>{0, 2, 1, 3}));
    QCOMPARE(Language::keyList(), (QStringList{"en", "zh", "yue", "jp", "de"}));
    QCOMPARE(BissSlaveRegEdit::keyList().at(6), QString("FENOXA_COMMAND_ADDR"));
    QCOMPARE(TransformWays::valueList(), (QList<int>{128, 1024}));
}

void TestEnumerations::plainLookups_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("fromKey");
    QTest::addColumn<QString>("fromValue");
    QTest::addRow("register 74") << "FENOXA_COMMAND_ADDR" << 74 << 74 << "FENOXA_COMMAND_ADDR";
    QTest::addRow("unknown key -1") << "NOPE" << 99 << -1 << "";
    QTest::addRow("qualified key refused")
        << "BissSlaveRegEdit::BANK_ADDR" << 0 << -1 << "BANK_ADDR";
}

void TestEnumerations::plainLookups() {
    QFETCH(QString, key);
    QFETCH(int, value);
    QFETCH(int, fromKey);
    QFETCH(QString, fromValue);
    QCOMPARE(BissSlaveRegEdit::keyToValue(key), fromKey);
    QCOMPARE(BissSlaveRegEdit::valueToKey(value), fromValue);
}

void TestEnumerations::defaults() {
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::CONNECTED));
    QCOMPARE(DevicesType::instance()->getConnectedType(), 250);
    QCOMPARE(DevicesType::instance()->getSlaveType(), 250);
    QCOMPARE(TransformWays::instance()->getValue(), 128);
    QCOMPARE(Mode::instance()->currentKey(), QString("Factory_Firmware"));
}

void TestEnumerations::permissionPersistence_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<int>("loaded");
    QTest::addRow("no entry: ADMINISTRATOR") << QByteArray() << 0;
    QTest::addRow("USER") << QByteArray("[PermissionController]\npermission=2\n") << 2;
    QTest::addRow("non-numeric") << QByteArray("[PermissionController]\npermission=boss\n") << 0;
}

void TestEnumerations::permissionPersistence() {
    QFETCH(QByteArray, config);
    QFETCH(int, loaded);
    TestWorkDir work(config);
    PermissionController* permission = PermissionController::instance();
    permission->load();
    QCOMPARE(permission->getPermission(), loaded);
    permission->setPermission(PermissionController::DEBUGPERSON);
    permission->save();
    QCOMPARE(ReadConfig::readValue("PermissionController", "permission"), QString("1"));
}

void TestEnumerations::languagePersistence_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<int>("loaded");
    QTest::addRow("default file's Chinese read as zh")
        << QByteArray("[Language]\nLanguageType=Chinese\n") << 1;
    QTest::addRow("English by name") << QByteArray("[Language]\nLanguageType=English\n") << 0;
    QTest::addRow("unknown name") << QByteArray("[Language]\nLanguageType=Klingon\n") << -1;
    QTest::addRow("missing") << QByteArray() << -1;
    QTest::addRow("jp") << QByteArray("[Language]\nLanguageType=jp\n") << 3;
}

void TestEnumerations::languagePersistence() {
    QFETCH(QByteArray, config);
    QFETCH(int, loaded);
    TestWorkDir work(config);
    Language* language = Language::instance();
    language->load();
    QCOMPARE(language->getValue(), loaded);
    QCOMPARE(language->currentKey(), Language::valueToKey(loaded));
    language->setValue(Language::de);
    language->save();
    QCOMPARE(ReadConfig::readValue("Language", "LanguageType"), QString("de"));
}

void TestEnumerations::serialPortBusy() {
    SerialPortBusy* busy = SerialPortBusy::instance();
    int a = 0, b = 0;
    QVERIFY(!busy->isOpen());
    QVERIFY(busy->claim(&a));
    QVERIFY(busy->isOpen());
    QVERIFY(!busy->claim(&b));  // another owner is refused
    QVERIFY(busy->claim(&a));   // the same owner nests
    busy->release(&b);          // not b's to give back
    busy->release(&a);
    QVERIFY(busy->isOpen());
    busy->release(&a);
    QVERIFY(!busy->isOpen());
    QVERIFY(busy->claim(&b));
    busy->releaseAll(&b);
    QVERIFY(!busy->isOpen());
}

QTEST_GUILESS_MAIN(TestEnumerations)
#include "tst_enumerations.moc"
