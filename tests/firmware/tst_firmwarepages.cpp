#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "chineseconfig.h"
#include "connectflag.h"
#include "devicestype.h"
#include "firmwareentity.h"
#include "firmwarepages.h"
#include "firmwareparameterpage.h"
#include "firmwarerunpage.h"
#include "iapentity.h"
#include "iapparameterpage.h"
#include "language.h"
#include "mcombobox.h"
#include "mspinbox.h"
#include "serialportbusy.h"
#include "settingswork.h"
#include "testworkdir.h"

namespace {
QStringList warnings(const QSignalSpy& spy) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(1).toString();
    return list;
}
const QByteArray kConfig = chineseConfig() +
                           "[ZEK_ENCODER]\nbootAreaSize=12288\nappAreaSize=24576\n"
                           "configAreaSize=2048\nidAreaSize=2048\n"
                           "[ZEK_MT6826S]\nbootAreaSize=8192\nappAreaSize=40960\n"
                           "configAreaSize=1024\nidAreaSize=512\n";
}  // namespace

class TestFirmwarePages : public QObject {
    Q_OBJECT
private slots:
    void iapInputsLockedWhileUpgradeRuns();
    void init();
    void cleanup();
    void iapStartChecksInOrder();
    void iapStartWithoutConnectionAsksForOne();
    void generationStartChecksInOrder_data();
    void generationStartChecksInOrder();
    void cancellingSaveDialogStillFinishes();
    void choosingSaveFileStartsGeneration();
    void buttonsIgnoredWhileJobHoldsPort();
    void watermarkChangeUpdatesSizes();

private:
    std::unique_ptr<TestWorkDir> dir;
    std::unique_ptr<SettingsWork> work;
};

void TestFirmwarePages::init() {
    dir = std::make_unique<TestWorkDir>(kConfig);
    Language::instance()->load();
    DevicesType::instance()->reload();
    DevicesType::instance()->setConnectedType(DevicesType::ZEK_ENCODER);
    work = std::make_unique<SettingsWork>();
}

void TestFirmwarePages::cleanup() {
    work.reset();
    dir.reset();
}

void TestFirmwarePages::iapStartChecksInOrder() {
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    FirmwareRunPage page(work.get(), FirmwareRunPage::Iap);
    QSignalSpy shown(work.get(), &SettingsWork::showMsg);
    QSignalSpy started(work.get(), &SettingsWork::startIap);
    QSignalSpy saved(work.get(), &SettingsWork::setIapArgments);
    IapEntity* entity = work->getIapEntity();
    entity->setDevicesName(QString());
    entity->setTransformName(QString());
    entity->setCaxisName(QString());
    entity->setFirmwarePath(QString());

    const QStringList expected{"请选择设备型号", "请选择传输方式", "请选择目标设备所在轴号",
                               "请选择升级固件"};
    page.startButton->click();
    entity->setDevicesName("ZEK_ENCODER");
    page.startButton->click();
    entity->setTransformName("Ymodem_1K");
    page.startButton->click();
    entity->setCaxisName("First_Caxis");
    page.startButton->click();
    QCOMPARE(warnings(shown), expected);
    QCOMPARE(started.count(), 0);
    QCOMPARE(saved.count(), 4);  // saved before every check

    entity->setFirmwarePath("/tmp/update.bin");
    page.startButton->click();
    QCOMPARE(started.count(), 1);
    QVERIFY(!page.startButton->isEnabled());
    emit work->finish();
    QVERIFY(page.startButton->isEnabled());
}

void TestFirmwarePages::iapStartWithoutConnectionAsksForOne() {
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
    FirmwareRunPage page(work.get(), FirmwareRunPage::Iap);
    QSignalSpy notConnected(work.get(), &SettingsWork::devicesNotConnect);
    QSignalSpy shown(work.get(), &SettingsWork::showMsg);
    page.startButton->click();
    auto* box = page.findChild<QMessageBox*>("connectWarning");
    QVERIFY(box);
    QCOMPARE(box->text(), QString("请连接设备"));
    QCOMPARE(notConnected.count(), 0);
    box->accept();
    QCOMPARE(notConnected.count(), 1);
    QCOMPARE(shown.count(), 0);
}

void TestFirmwarePages::generationStartChecksInOrder_data() {
    QTest::addColumn<QStringList>("fields");  // mode, watermark, boot, app
    QTest::addColumn<QString>("warning");
    QTest::addRow("no mode") << QStringList{"", "ZEK_ENCODER", "b", "a"} << "请选择模式";
    QTest::addRow("no watermark") << QStringList{"Factory_Firmware", "", "b", "a"} << "请选择水印";
    QTest::addRow("upgrade without boot file")
        << QStringList{"Upgrade_Firmware", "ZEK_ENCODER", "", "a"} << "请选择boot固件";
    QTest::addRow("no app file") << QStringList{"Factory_Firmware", "ZEK_ENCODER", "b", ""}
                                 << "请选择app固件";
}

void TestFirmwarePages::generationStartChecksInOrder() {
    QFETCH(QStringList, fields);
    QFETCH(QString, warning);
    FirmwareRunPage page(work.get(), FirmwareRunPage::Generation);
    QSignalSpy shown(work.get(), &SettingsWork::showMsg);
    FirmwareEntity* entity = work->getFirmwareEntity();
    entity->setModeName(fields.at(0));
    entity->setWatermarkName(fields.at(1));
    entity->setBootFirmwarePath(fields.at(2));
    entity->setAppFirmwarePath(fields.at(3));
    page.startButton->click();
    QCOMPARE(warnings(shown), QStringList{warning});
    QVERIFY(!page.findChild<QFileDialog*>());
}

void TestFirmwarePages::cancellingSaveDialogStillFinishes() {
    FirmwareRunPage page(work.get(), FirmwareRunPage::Generation);
    QSignalSpy finished(work.get(), &SettingsWork::finish);
    QSignalSpy started(work.get(), &SettingsWork::startFirmware);
    FirmwareEntity* entity = work->getFirmwareEntity();
    entity->setModeName("Upgrade_Firmware");
    entity->setWatermarkName("ZEK_ENCODER");
    entity->setBootFirmwarePath("b.bin");
    entity->setAppFirmwarePath("a.bin");
    page.startButton->click();
    auto* dialog = page.findChild<QFileDialog*>("saveFirmwareDialog");
    QVERIFY(dialog);
    dialog->reject();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(started.count(), 0);
}

void TestFirmwarePages::choosingSaveFileStartsGeneration() {
    FirmwareRunPage page(work.get(), FirmwareRunPage::Generation);
    QSignalSpy finished(work.get(), &SettingsWork::finish);
    QSignalSpy started(work.get(), &SettingsWork::startFirmware);
    QSignalSpy saved(work.get(), &SettingsWork::setFirmwareArgments);
    FirmwareEntity* entity = work->getFirmwareEntity();
    entity->setModeName("Upgrade_Firmware");
    entity->setWatermarkName("ZEK_ENCODER");
    entity->setBootFirmwarePath("b.bin");
    entity->setAppFirmwarePath("a.bin");
    page.startButton->click();
    auto* dialog = page.findChild<QFileDialog*>("saveFirmwareDialog");
    QVERIFY(dialog);
    const QString target = dir->filePath("out.bin");
    emit dialog->fileSelected(target);
    QCOMPARE(entity->getSavePath(), target);
    QCOMPARE(started.count(), 1);
    QCOMPARE(saved.count(), 2);  // before the checks, and with the chosen path
}

void TestFirmwarePages::buttonsIgnoredWhileJobHoldsPort() {
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    FirmwareRunPage iap(work.get(), FirmwareRunPage::Iap);
    FirmwareRunPage generation(work.get(), FirmwareRunPage::Generation);
    QSignalSpy iapSaved(work.get(), &SettingsWork::setIapArgments);
    QSignalSpy firmwareSaved(work.get(), &SettingsWork::setFirmwareArgments);
    QSignalSpy shown(work.get(), &SettingsWork::showMsg);
    int holder = 0;
    QVERIFY(SerialPortBusy::instance()->claim(&holder));
    for (QPushButton* button :
         {iap.saveButton, iap.startButton, generation.saveButton, generation.startButton})
        button->click();
    SerialPortBusy::instance()->release(&holder);
    QCOMPARE(iapSaved.count() + firmwareSaved.count() + shown.count(), 0);
    iap.saveButton->click();
    QCOMPARE(iapSaved.count(), 1);
}

void TestFirmwarePages::watermarkChangeUpdatesSizes() {
    FirmwareParameterPage page(work.get());
    page.watermarkBox->setCurrentText("ZEK_MT6826S");
    QCOMPARE(work->getFirmwareEntity()->getWatermarkName(), QString("ZEK_MT6826S"));
    QCOMPARE(page.bootSize->value(), 8192);
    QCOMPARE(page.appSize->value(), 40960);
    QCOMPARE(page.configSize->value(), 1024);
    QCOMPARE(page.idSize->value(), 512);
    page.watermarkBox->setCurrentText("ZEK_ENCODER");
    QCOMPARE(page.appSize->value(), 24576);
    QVERIFY(!page.appSize->isEnabled());
}

void TestFirmwarePages::iapInputsLockedWhileUpgradeRuns() {
    registerFirmwarePages();
    work->build({"IAP升级"}, {{{"参数设置", "IAP参数"}, {"运行", "保存 & 开始"}}});
    auto* page = work->findChild<IapParameterPage*>();
    QVERIFY(page);
    QListWidget* list = work->pageList();
    const auto listRow = [&](const QString& name) {
        const int entry = work->rowOf("IAP升级", name);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(SettingsWork::RowRole).toInt() == entry)
                return i;
        return -1;
    };
    // Device, protocol, axis, path, then the chooser button.
    const auto enabled = [page] {
        QList<bool> states;
        for (QWidget* w : {static_cast<QWidget*>(page->deviceBox),
                           static_cast<QWidget*>(page->protocolBox),
                           static_cast<QWidget*>(page->axisBox),
                           static_cast<QWidget*>(page->firmwarePath),
                           static_cast<QWidget*>(page->chooseButton)})
            states << w->isEnabled();
        return states;
    };
    const QList<bool> all(5, true), none(5, false);

    list->setCurrentRow(listRow("IAP参数"));
    QCOMPARE(enabled(), all);
    // While the upgrade reads the record on its thread, nothing on the page may change it.
    emit work->startIap(work->getIapEntity());
    QCOMPARE(enabled(), none);
    list->setCurrentRow(listRow("保存 & 开始"));
    list->setCurrentRow(listRow("IAP参数"));
    QCOMPARE(enabled(), none);
    emit work->finish();
    QCOMPARE(enabled(), all);
    // Off its entry, the inputs are disabled again; the chooser button stays usable.
    list->setCurrentRow(listRow("保存 & 开始"));
    QCOMPARE(enabled(), (QList<bool>{false, false, false, false, true}));
}

QTEST_MAIN(TestFirmwarePages)
#include "tst_firmwarepages.moc"
