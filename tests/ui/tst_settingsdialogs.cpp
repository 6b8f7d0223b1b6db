#include <QComboBox>
#include <QCryptographicHash>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "chineseconfig.h"
#include "devicesdialog.h"
#include "devicestype.h"
#include "language.h"
#include "mcombobox.h"
#include "pageregistry.h"
#include "permissioncontroller.h"
#include "readconfig.h"
#include "settingswork.h"
#include "testworkdir.h"
#include "themesetdialog.h"
#include "workspacesetdialog.h"

namespace {
struct DeviceInput {
    QString name = QStringLiteral("NEW_ENCODER");
    QString id = QStringLiteral("A0");
    int boot = 12288, app = 24576, config = 2048, idArea = 2048;
    double targetInl = 0.1;
    int resolution = 17;
};

void fill(DevicesDialog& dialog, const DeviceInput& in) {
    dialog.findChild<QLineEdit*>("devicesName")->setText(in.name);
    auto* id = dialog.findChild<QComboBox*>("devicesID");
    id->setCurrentIndex(id->findText(in.id));
    QCOMPARE(id->currentText(), in.id);
    dialog.findChild<QSpinBox*>("bootAreaSize")->setValue(in.boot);
    dialog.findChild<QSpinBox*>("appAreaSize")->setValue(in.app);
    dialog.findChild<QSpinBox*>("configAreaSize")->setValue(in.config);
    dialog.findChild<QSpinBox*>("idAreaSize")->setValue(in.idArea);
    dialog.findChild<QDoubleSpinBox*>("targetINL")->setValue(in.targetInl);
    dialog.findChild<QSpinBox*>("resolution")->setValue(in.resolution);
}

QByteArray passwordConfig(const QByteArray& stored) {
    return chineseConfig() + "[PermissionController]\npermission=0\n[admin]\npassword=" + stored +
           "\n";
}

QByteArray sha256Of(const QByteArray& password) {
    return "sha256:" + QCryptographicHash::hash(password, QCryptographicHash::Sha256).toHex();
}

// A file named config where the folder should be: nothing can be written below it.
std::unique_ptr<TestWorkDir> unwritableConfig() {
    auto dir = std::make_unique<TestWorkDir>(QByteArray(), false);
    QFile blocker(dir->filePath("config"));
    blocker.open(QIODevice::WriteOnly);
    return dir;
}
}  // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void deviceInputRules_data();
    void deviceInputRules();
    void deviceGroupAndRegistryWritten_data();
    void deviceGroupAndRegistryWritten();
    void registeredTypeReachesDeviceLists();
    void brokenRegistryGroupStillRefusesDuplicates();
    void unwritableConfigReportsFailure();
    void permissionPassword_data();
    void permissionPassword();
    void languageDialogOffline_data();
    void languageDialogOffline();
    void languageSwitchOfflineAndBack();
    void languageDialogListsServiceLanguages();

private:
    std::unique_ptr<TestWorkDir> dir;
};

void TestSettingsDialogs::init() {
    dir = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    PermissionController::instance()->load();
    DevicesType::instance()->reload();
}

void TestSettingsDialogs::cleanup() {
    dir.reset();
    PageRegistry::clear();
    Language::instance()->setValue(Language::zh);
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
}

void TestSettingsDialogs::deviceInputRules_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QList<int>>("sizes");  // boot, app, config, id, resolution
    QTest::addColumn<QString>("message");
    const QList<int> good{2048, 2048, 2048, 2048, 17};
    QTest::addRow("10 characters") << "ABCDEFGHIJ"
                                   << "A0" << good << "设备名称长度必须为11位字符";
    QTest::addRow("12 characters") << "ABCDEFGHIJKL"
                                   << "A0" << good << "设备名称长度必须为11位字符";
    QTest::addRow("11 with a hyphen") << "ABCDE-GHIJK"
                                      << "A0" << good << "设备名称包含特殊字符";
    QTest::addRow("leading digit") << "1BCDEFGHIJK"
                                   << "A0" << good << "设备名称包含特殊字符";
    QTest::addRow("ID of a built-in type") << "NEW_ENCODER"
                                           << "F9" << good << "设备ID重复";
    QTest::addRow("name of a built-in type") << "ZEK_ENCODER"
                                             << "A0" << good << "设备名称重复";
    QTest::addRow("boot area 0 first")
        << "NEW_ENCODER"
        << "A0" << QList<int>{0, 0, 0, 0, 0} << "boot 分区长度应大于0";
    QTest::addRow("then app area 0")
        << "NEW_ENCODER"
        << "A0" << QList<int>{2048, 0, 0, 0, 0} << "app 分区长度应大于0";
    QTest::addRow("then config area 0")
        << "NEW_ENCODER"
        << "A0" << QList<int>{2048, 2048, 0, 0, 0} << "config 分区长度应大于0";
    QTest::addRow("then id area 0")
        << "NEW_ENCODER"
        << "A0" << QList<int>{2048, 2048, 2048, 0, 0} << "id 分区长度应大于0";
    QTest::addRow("then resolution 0")
        << "NEW_ENCODER"
        << "A0" << QList<int>{2048, 2048, 2048, 2048, 0} << "分辨率应大于0";
}

void TestSettingsDialogs::deviceInputRules() {
    QFETCH(QString, name);
    QFETCH(QString, id);
    QFETCH(QList<int>, sizes);
    QFETCH(QString, message);
    const QByteArray before = dir->readConfig();
    DevicesDialog dialog;
    dialog.show();
    DeviceInput in;
    in.name = name;
    in.id = id;
    in.boot = sizes.at(0);
    in.app = sizes.at(1);
    in.config = sizes.at(2);
    in.idArea = sizes.at(3);
    in.resolution = sizes.at(4);
    fill(dialog, in);
    QSignalSpy msgs(&dialog, &DevicesDialog::showMsg);
    QSignalSpy review(&dialog, &DevicesDialog::review);
    QTest::mouseClick(dialog.findChild<QPushButton*>("add"), Qt::LeftButton);
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.at(0).at(0).value<QMessageBox::Icon>(), QMessageBox::Warning);
    QCOMPARE(msgs.at(0).at(1).toString(), message);
    QCOMPARE(review.count(), 0);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dir->readConfig(), before);
    QCOMPARE(DevicesType::instance()->keyToValue("ZEK_ENCODER"), 250);
}

void TestSettingsDialogs::deviceGroupAndRegistryWritten_data() {
    QTest::addColumn<double>("inl");
    QTest::addColumn<int>("stored");
    QTest::addRow("0.1 is 100") << 0.1 << 100;
    QTest::addRow("0.29 is 290, not 289") << 0.29 << 290;
    QTest::addRow("1.005 is 1005") << 1.005 << 1005;
    QTest::addRow("0 is 0") << 0.0 << 0;
}

void TestSettingsDialogs::deviceGroupAndRegistryWritten() {
    QFETCH(double, inl);
    QFETCH(int, stored);
    DevicesDialog dialog;
    dialog.show();
    DeviceInput in;
    in.targetInl = inl;
    fill(dialog, in);
    QSignalSpy msgs(&dialog, &DevicesDialog::showMsg);
    QSignalSpy review(&dialog, &DevicesDialog::review);
    QTest::mouseClick(dialog.findChild<QPushButton*>("add"), Qt::LeftButton);
    QCOMPARE(msgs.count(), 0);
    QCOMPARE(review.count(), 1);
    QVERIFY(!dialog.isVisible());
    const QMap<QString, int> group = ReadConfig::readIntMap("NEW_ENCODER");
    const QMap<QString, int> expected{{"bootAreaSize", 12288},  {"appAreaSize", 24576},
                                      {"configAreaSize", 2048}, {"idAreaSize", 2048},
                                      {"TargetInl", stored},    {"Resolution", 17}};
    QCOMPARE(group, expected);
    QCOMPARE(ReadConfig::readIntMap("DevicesTypeEnum").value("NEW_ENCODER"), 0xA0);
    // The built-ins travel along into the group, as the registry writes itself whole.
    QCOMPARE(ReadConfig::readIntMap("DevicesTypeEnum").value("BiSS_Master"), 191);
    QCOMPARE(DevicesType::instance()->valueToKey(0xA0), QString("NEW_ENCODER"));
}

void TestSettingsDialogs::registeredTypeReachesDeviceLists() {
    // A page of the kind the job areas build: a device list reloaded on devicesTypeUpdate().
    MComboBox* devices = nullptr;
    PageRegistry::registerPage("设备", [&](SettingsWork* work) {
        devices = new MComboBox;
        devices->addItems(DevicesType::instance()->keyList());
        QObject::connect(work, &SettingsWork::devicesTypeUpdate, devices, [d = devices] {
            d->clear();
            d->addItems(DevicesType::instance()->keyList());
        });
        return devices;
    });
    SettingsWork work;
    work.build({"IAP升级"}, {{{"参数设置", "设备"}}});
    QVERIFY(devices);
    QCOMPARE(devices->findText("NEW_ENCODER"), -1);

    DevicesDialog dialog;
    connect(&dialog, &DevicesDialog::review, &work, &SettingsWork::devicesTypeUpdate);
    fill(dialog, DeviceInput());
    dialog.on_add_clicked();
    QVERIFY(DevicesType::instance()->keyList().contains("NEW_ENCODER"));
    QVERIFY(devices->findText("NEW_ENCODER") >= 0);
    // A later process reads the type back from the file.
    DevicesType::instance()->reload();
    QCOMPARE(DevicesType::instance()->keyToValue("NEW_ENCODER"), 0xA0);
}

void TestSettingsDialogs::brokenRegistryGroupStillRefusesDuplicates() {
    dir->writeConfig(chineseConfig() +
                     "[DevicesTypeEnum]\nNOT_A_NUMBER=abc\nTOO_BIG_TYPE=300\n"
                     "SAME_AS_ZEK1=250\nSAME_AS_ZEK2=250\nNEGATIVE_ONE=-1\n");
    DevicesType::instance()->reload();
    DevicesDialog dialog;
    for (const char* taken : {"FA", "F9", "BF"}) {
        DeviceInput in;
        in.id = taken;
        fill(dialog, in);
        QSignalSpy msgs(&dialog, &DevicesDialog::showMsg);
        dialog.on_add_clicked();
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.at(0).at(1).toString(), QString("设备ID重复"));
    }
    DeviceInput in;
    in.id = "A1";
    fill(dialog, in);
    QSignalSpy review(&dialog, &DevicesDialog::review);
    dialog.on_add_clicked();
    QCOMPARE(review.count(), 1);
    QCOMPARE(DevicesType::instance()->keyToValue("NEW_ENCODER"), 0xA1);
}

void TestSettingsDialogs::unwritableConfigReportsFailure() {
    dir.reset();
    auto blocked = unwritableConfig();
    DevicesType::instance()->reload();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);

    DevicesDialog devices;
    fill(devices, DeviceInput());
    QSignalSpy deviceMsgs(&devices, &DevicesDialog::showMsg);
    QSignalSpy review(&devices, &DevicesDialog::review);
    devices.on_add_clicked();
    QCOMPARE(review.count(), 0);
    QCOMPARE(deviceMsgs.count(), 1);
    QCOMPARE(deviceMsgs.at(0).at(0).value<QMessageBox::Icon>(), QMessageBox::Critical);
    QVERIFY(deviceMsgs.at(0).at(1).toString().startsWith("配置文件写入失败"));
    QVERIFY(!DevicesType::instance()->keyList().contains("NEW_ENCODER"));

    // No admin group can be read, so the empty password is right; the save still fails.
    WorkSpaceSetDialog permission;
    permission.resetDelayMs = 0;
    permission.findChild<QComboBox*>("permissionBox")->setCurrentIndex(2);
    QSignalSpy permissionMsgs(&permission, &WorkSpaceSetDialog::showMsg);
    QSignalSpy permissionReset(&permission, &WorkSpaceSetDialog::reset);
    permission.on_confirm_clicked();
    QCOMPARE(permissionMsgs.count(), 1);
    QCOMPARE(permissionMsgs.at(0).at(0).value<QMessageBox::Icon>(), QMessageBox::Critical);
    QCOMPARE(PermissionController::instance()->getPermission(),
             int(PermissionController::ADMINISTRATOR));

    ThemeSetDialog language;
    language.resetDelayMs = 0;
    language.findChild<QComboBox*>("languageBox")->setCurrentIndex(0);
    const int before = Language::instance()->getValue();
    QSignalSpy languageMsgs(&language, &ThemeSetDialog::showMsg);
    QSignalSpy languageReset(&language, &ThemeSetDialog::reset);
    language.on_sure_clicked();
    QCOMPARE(languageMsgs.count(), 1);
    QCOMPARE(Language::instance()->getValue(), before);

    // With no delay a reset would come with the next pass of the event loop.
    QVERIFY(!permissionReset.wait(50));
    QCOMPARE(languageReset.count(), 0);
}

void TestSettingsDialogs::permissionPassword_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addRow("plain, right") << passwordConfig("Zek-2024") << "Zek-2024" << true;
    QTest::addRow("plain, wrong case") << passwordConfig("Zek-2024") << "zek-2024" << false;
    QTest::addRow("plain, empty typed") << passwordConfig("Zek-2024") << "" << false;
    QTest::addRow("sha256, right") << passwordConfig(sha256Of("Zek-2024")) << "Zek-2024" << true;
    QTest::addRow("sha256, wrong") << passwordConfig(sha256Of("Zek-2024")) << "Zek-2025" << false;
    QTest::addRow("sha256, the stored digest typed as password")
        << passwordConfig(sha256Of("Zek-2024")) << QString::fromLatin1(sha256Of("Zek-2024"))
        << false;
    QTest::addRow("sha256, upper-case digest")
        << passwordConfig(sha256Of("密码").toUpper().replace("SHA256:", "sha256:")) << "密码"
        << true;
    QTest::addRow("no admin group, empty typed") << chineseConfig() << "" << true;
}

void TestSettingsDialogs::permissionPassword() {
    QFETCH(QByteArray, config);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    dir->writeConfig(config);
    PermissionController::instance()->load();
    WorkSpaceSetDialog dialog;
    dialog.resetDelayMs = 0;
    dialog.show();
    QCOMPARE(dialog.findChild<QComboBox*>("permissionBox")->currentIndex(), 0);
    dialog.findChild<QComboBox*>("permissionBox")->setCurrentIndex(1);
    dialog.findChild<QLineEdit*>("passwordEdit")->setText(typed);
    QSignalSpy msgs(&dialog, &WorkSpaceSetDialog::showMsg);
    QSignalSpy reset(&dialog, &WorkSpaceSetDialog::reset);
    QTest::mouseClick(dialog.findChild<QPushButton*>("confirm"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());  // closes either way
    PermissionController::instance()->load();
    if (accepted) {
        QCOMPARE(msgs.count(), 0);
        QVERIFY(reset.wait(1000));
        QCOMPARE(PermissionController::instance()->getPermission(),
                 int(PermissionController::DEBUGPERSON));
    } else {
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.at(0).at(0).value<QMessageBox::Icon>(), QMessageBox::Warning);
        QCOMPARE(msgs.at(0).at(1).toString(), QString("密码错误"));
        QCOMPARE(PermissionController::instance()->getPermission(),
                 int(PermissionController::ADMINISTRATOR));
        QVERIFY(!reset.wait(20));
    }
}

namespace {
QStringList itemsOf(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

// Chooses the language by its name and confirms as an operator would; true when the choice was
// saved and the restart asked for.
bool choose(ThemeSetDialog& dialog, const QString& name) {
    auto* box = dialog.findChild<QComboBox*>("languageBox");
    const int index = box->findText(name);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    dialog.resetDelayMs = 0;
    QSignalSpy reset(&dialog, &ThemeSetDialog::reset);
    QTest::mouseClick(dialog.findChild<QPushButton*>("sure"), Qt::LeftButton);
    return reset.wait(1000);
}

QByteArray offlineConfig(const QByteArray& language) {
    QTcpServer closed;  // a port on this machine that nothing listens on
    closed.listen(QHostAddress::LocalHost);
    const QByteArray port = QByteArray::number(closed.serverPort());
    closed.close();
    return "[BaiduTranslate]\nurl=http://127.0.0.1:" + port +
           "/api/trans/vip/translate?\nappid=12345678901234567\nsecret=abcdefghij0123456789\n"
           "[Language]\nLanguageType=" +
           language + "\n";
}
}  // namespace

void TestSettingsDialogs::languageDialogOffline_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("preselected");
    const QStringList both{"中文", "English"};
    QTest::addRow("default file's Chinese") << QByteArray("Chinese") << both << "中文";
    QTest::addRow("zh") << QByteArray("zh") << both << "中文";
    QTest::addRow("en") << QByteArray("en") << both << "English";
    QTest::addRow("a service language stays listed")
        << QByteArray("de") << QStringList{"中文", "English", "Deutsch"} << "Deutsch";
    QTest::addRow("unknown name") << QByteArray("Klingon") << both << "中文";
}

// No translation service: the dialog opens at once with the languages that need none, the
// current one chosen, and says why there are no others.
void TestSettingsDialogs::languageDialogOffline() {
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, items);
    QFETCH(QString, preselected);
    dir->writeConfig(offlineConfig(stored));
    Language::instance()->load();
    ThemeSetDialog dialog;
    auto* box = dialog.findChild<QComboBox*>("languageBox");
    QCOMPARE(itemsOf(box), items);
    QCOMPARE(box->currentText(), preselected);
    auto* note = dialog.findChild<QLabel*>("serviceNote");
    const QString asking = note->text();
    QTRY_VERIFY_WITH_TIMEOUT(note->text() != asking, 15000);
    QCOMPARE(itemsOf(box), items);
}

// Offline, from the default file: to English, then (in the restarted, English program) back.
void TestSettingsDialogs::languageSwitchOfflineAndBack() {
    dir->writeConfig(offlineConfig("Chinese"));
    Language::instance()->load();
    {
        ThemeSetDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("主题设置"));
        QVERIFY(choose(dialog, "English"));
    }
    QCOMPARE(ReadConfig::readValue("Language", "LanguageType"), QString("en"));

    Language::instance()->load();  // what the restart reads
    {
        ThemeSetDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("Language Settings"));
        QCOMPARE(dialog.findChild<QPushButton*>("sure")->text(), QString("OK"));
        QCOMPARE(dialog.findChild<QPushButton*>("cancel")->text(), QString("Cancel"));
        QCOMPARE(dialog.findChild<QComboBox*>("languageBox")->currentText(), QString("English"));
        QVERIFY(choose(dialog, "中文"));
    }
    QCOMPARE(ReadConfig::readValue("Language", "LanguageType"), QString("zh"));
    Language::instance()->load();
    ThemeSetDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("主题设置"));
}

// With the service reachable its other languages are offered too, and can be chosen.
void TestSettingsDialogs::languageDialogListsServiceLanguages() {
    QTcpServer service;
    QVERIFY(service.listen(QHostAddress::LocalHost));
    int requests = 0;
    connect(&service, &QTcpServer::newConnection, &service, [&] {
        QTcpSocket* socket = service.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
            if (!socket->readAll().contains("needIntervene=1"))
                return;  // the body has not all arrived
            ++requests;
            const QByteArray body = R"({"trans_result":[{"src":"x","dst":"Hello"}]})";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    });
    dir->writeConfig(
        "[BaiduTranslate]\nurl=http://127.0.0.1:" + QByteArray::number(service.serverPort()) +
        "/api/trans/vip/translate?\nappid=12345678901234567\n"
        "secret=abcdefghij0123456789\n[Language]\nLanguageType=zh\n");
    Language::instance()->load();
    ThemeSetDialog dialog;
    auto* box = dialog.findChild<QComboBox*>("languageBox");
    QTRY_COMPARE_WITH_TIMEOUT(itemsOf(box),
                              (QStringList{"中文", "English", "粵語", "日本語", "Deutsch"}), 15000);
    QCOMPARE(requests, 1);
    QCOMPARE(box->currentText(), QString("中文"));
    QVERIFY(dialog.findChild<QLabel*>("serviceNote")->isHidden());
    QVERIFY(choose(dialog, "日本語"));
    QCOMPARE(ReadConfig::readValue("Language", "LanguageType"), QString("jp"));
}

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"
