// The whole program as an operator drives it: the main window on the default configuration,
// the simulated rig, encoder and BiSS master behind the serial dialog, and every job run from
// its pages in the workspace, checked by what the window shows.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "bissentity.h"
#include "bissmastermodepage.h"
#include "bissmasterbehaviour.h"
#include "bissslavedatapage.h"
#include "bisspositionchart.h"
#include "calibrationentity.h"
#include "calibrationresultpage.h"
#include "calibrationrunpage.h"
#include "calibrationwork.h"
#include "devicestype.h"
#include "encoderbehaviour.h"
#include "firmwareentity.h"
#include "firmwareparameterpage.h"
#include "firmwarepathpage.h"
#include "mdoublespinbox.h"
#include "firmwarerunpage.h"
#include "iapentity.h"
#include "iapparameterpage.h"
#include "language.h"
#include "mainwindow.h"
#include "mcombobox.h"
#include "mspinbox.h"
#include "permissioncontroller.h"
#include "rigbehaviour.h"
#include "recordsettings.h"
#include "recordstore.h"
#include "rigparameterpage.h"
#include "serialdialog.h"
#include "serialportbusy.h"
#include "settingswork.h"
#include "simdevice.h"
#include "startup.h"
#include "testresultpage.h"
#include "testspeedpage.h"
#include "testworkdir.h"
#include "virtualports.h"
#include "windowboxes.h"

namespace {
QFileDialog* visibleFileDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

QStringList topLevelTexts(QTreeWidget* tree) {
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(0);
    return texts;
}

QString lastLogLine(QTextEdit* log) {
    QStringList lines = log->toPlainText().split('\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void calibrationZeroCalibrateTest();
    void firmwareGenerationThenIap();
    void bissMasterStatusAndContinuousData();
    void everyJobLeftItsRecord();

private:
    // Opens the serial dialog from the window and connects to the device as the operator would.
    void connectTo(SimDevice& device, const QString& type);
    // Clicks a page in the navigation tree of an area, as the operator does to reach it.
    void navigate(const QString& area, const QString& page);
    template <typename Page>
    Page* pageAt(const QString& area, const QString& name) const;
    // The calibration job's log name: its left tab.
    QString calibrationTag() const { return window->leftTabNames().value(0); }

    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<SimDevice> rig;
    std::unique_ptr<SimDevice> encoder;
    std::unique_ptr<SimDevice> master;
    std::unique_ptr<MainWindow> window;
};

void TestEndToEnd::initTestCase() {
    work = std::make_unique<TestWorkDir>();
    QVERIFY(Startup::writeDefaultConfigIfMissing());
    Language::instance()->load();
    DevicesType::instance()->reload();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    rig = std::make_unique<SimDevice>(SimDevice::Rig);
    encoder = std::make_unique<SimDevice>(SimDevice::Encoder);
    master = std::make_unique<SimDevice>(SimDevice::BissMaster);
    {
        auto lock = rig->lock();
        auto& pace = static_cast<RigBehaviour*>(rig->behaviour())->settings;
        pace.phaseMs = 20;
        pace.gapMs = 5;
    }
    {
        auto lock = encoder->lock();
        static_cast<EncoderBehaviour*>(encoder->behaviour())->boot.bootDelayMs = 50;
    }
    for (SimDevice* device : {rig.get(), encoder.get(), master.get()}) QVERIFY(device->isValid());
    VirtualPorts::add(SimDevice::kindName(SimDevice::Rig), rig->portPath());
    VirtualPorts::add(SimDevice::kindName(SimDevice::Encoder), encoder->portPath());
    VirtualPorts::add(SimDevice::kindName(SimDevice::BissMaster), master->portPath());
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestEndToEnd::cleanupTestCase() {
    closeBoxes();
    window.reset();  // joins the job threads before the devices go
    for (SimDevice* device : {rig.get(), encoder.get(), master.get()})
        VirtualPorts::remove(device->portPath());
    master.reset();
    encoder.reset();
    rig.reset();
    work.reset();
}

void TestEndToEnd::connectTo(SimDevice& device, const QString& type) {
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    window->serialPortViewBind();
    QPointer<SerialDialog> dialog = window->serialDialog();
    QVERIFY(dialog && dialog->isVisible());
    auto* ports = dialog->findChild<QComboBox*>("serialPortNum");
    QString kind;
    for (SimDevice::Kind k : {SimDevice::Rig, SimDevice::Encoder, SimDevice::BissMaster})
        if (ports->findText(SimDevice::kindName(k) + " (" + device.portPath() + ")") >= 0)
            kind = SimDevice::kindName(k);
    const int at = ports->findText(kind + " (" + device.portPath() + ")");
    QVERIFY2(at >= 0, qPrintable(device.portPath()));
    ports->setCurrentIndex(at);
    dialog->findChild<QComboBox*>("baudRate")->setCurrentText("115200");
    dialog->findChild<QComboBox*>("devicesType")->setCurrentText(type);
    const int before = window->debugLog()->toPlainText().count("设备类型匹配成功。");
    QTest::mouseClick(dialog->findChild<QPushButton*>("connect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 10000);
    QTRY_COMPARE(window->debugLog()->toPlainText().count("设备类型匹配成功。"), before + 1);
    QCOMPARE(window->progressBar()->property("SuccessFlag").toString(), QString("success"));
}

void TestEndToEnd::navigate(const QString& area, const QString& page) {
    const int tab = window->leftTabNames().indexOf(area);
    QVERIFY2(tab >= 0, qPrintable(area));
    window->leftTabWidget()->setCurrentIndex(tab);
    auto* tree = window->leftTabWidget()->widget(tab)->findChild<QTreeWidget*>();
    QVERIFY(tree);
    const QList<QTreeWidgetItem*> found =
        tree->findItems(page, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!found.isEmpty(), qPrintable(page));
    QTreeWidgetItem* item = found.first();
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
    tree->scrollToItem(item);
    const QRect rect = tree->visualItemRect(item);
    QVERIFY(rect.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    const QListWidget* list = window->settingsWork()->pageList();
    const int row = window->settingsWork()->rowOf(area, page);
    QVERIFY(row >= 0);
    QTRY_VERIFY(list->currentItem() != nullptr);
    QCOMPARE(window->contentsTabWidget()->currentWidget(), window->settingsWork());
}

template <typename Page>
Page* TestEndToEnd::pageAt(const QString& area, const QString& name) const {
    SettingsWork* w = window->settingsWork();
    const int row = w->rowOf(area, name);
    if (row < 0)
        return nullptr;
    for (int i = 0; i < w->pageList()->count(); ++i) {
        QListWidgetItem* item = w->pageList()->item(i);
        if (item->data(SettingsWork::RowRole).toInt() != row)
            continue;
        QWidget* holder = w->pageList()->itemWidget(item);
        if (auto* page = qobject_cast<Page*>(holder))
            return page;
        if (holder)
            return holder->findChild<Page*>();
    }
    return nullptr;
}

void TestEndToEnd::calibrationZeroCalibrateTest() {
    connectTo(*rig, "CALIBRATION");
    const QString area = calibrationTag();
    auto* tree = window->leftTabWidget()->widget(0)->findChild<QTreeWidget*>();

    // A small calibration: 16 reference points at 1400, four test runs at 1000.
    navigate(area, "对拖工装参数");
    auto* rigPage = pageAt<RigParameterPage>(area, "对拖工装参数");
    QVERIFY(rigPage);
    QTRY_VERIFY(rigPage->pointBox()->isEnabled());
    rigPage->pointBox()->setCurrentText("16");
    rigPage->speedBox()->setCurrentText("1400");
    const char* runs[] = {"第一次测试", "第二次测试", "第三次测试", "第四次测试"};
    for (const char* run : runs) {
        navigate(area, run);
        auto* speedPage = pageAt<TestSpeedPage>(area, run);
        QVERIFY2(speedPage, run);
        QTRY_VERIFY(speedPage->speedBox()->isEnabled());
        speedPage->speedBox()->setCurrentIndex(speedPage->speedBox()->count() - 1);
        QVERIFY(!speedPage->speedBox()->currentText().isEmpty());
    }
    QCOMPARE(window->settingsWork()->getCalibrationEntity()->getPointNum(), 16);

    struct Step {
        CalibrationRunPage::Run run;
        const char* result;  // the log's last line
        const char* box;     // the start of the box's text
    };
    const Step steps[] = {{CalibrationRunPage::Zero, "对零完毕。", "对零成功"},
                          {CalibrationRunPage::Calibrate, "校准完毕。", "校准效果验证成功"},
                          {CalibrationRunPage::Test, "测试完毕。", "测试验证成功"}};
    for (const Step& step : steps) {
        navigate(area, "对零 & 校准 & 测试");
        auto* runPage = pageAt<CalibrationRunPage>(area, "对零 & 校准 & 测试");
        QVERIFY(runPage);
        QPushButton* button = runPage->button(step.run);
        QTRY_VERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(lastLogLine(window->debugLog()).contains(step.result), 20000);
        QVERIFY2(lastLogLine(window->debugLog()).startsWith(">>>>>>>>> " + area),
                 qPrintable(lastLogLine(window->debugLog())));
        QCOMPARE(window->progressBar()->property("SuccessFlag").toString(), QString("success"));
        QVERIFY(window->debugLog()->isEnabled());
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = boxWithText(step.box)));
        QCOMPARE(box->icon(), QMessageBox::Information);
        box->close();
        QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());

        if (step.run == CalibrationRunPage::Calibrate) {
            QVERIFY(topLevelTexts(tree).contains("校准结果"));
            QVERIFY(!topLevelTexts(tree).contains("测试结果"));
            // The rebuilt workspace shows the run's figures and takes the operator's clicks.
            auto* result = pageAt<CalibrationResultPage>(area, "校准INL数据");
            QVERIFY(result);
            QVERIFY(!result->finalField()->text().isEmpty());
            navigate(area, "校准INL数据");
            const int tabs = window->contentsTabWidget()->count();
            QTRY_VERIFY(result->phaseButton(0)->isEnabled());
            QTest::mouseClick(result->phaseButton(0), Qt::LeftButton);
            QTRY_COMPARE(window->contentsTabWidget()->count(), tabs + 1);
            QVERIFY(qobject_cast<CalibrationWork*>(window->contentsTabWidget()->currentWidget()));
        } else if (step.run == CalibrationRunPage::Test) {
            QVERIFY(topLevelTexts(tree).contains("测试结果"));
            QVERIFY(!topLevelTexts(tree).contains("校准结果"));
            QVERIFY(pageAt<TestResultPage>(area, "测试INL数据"));
            QVERIFY(!pageAt<CalibrationResultPage>(area, "校准INL数据"));
        }
    }
}

void TestEndToEnd::firmwareGenerationThenIap() {
    const QString area = window->leftTabNames().value(1);
    QCOMPARE(area, QString("固件生成"));
    const QString boot = work->filePath("boot.bin");
    const QString app = work->filePath("app.bin");
    QByteArray appBytes(3000, '\0');
    for (int i = 0; i < appBytes.size(); ++i) appBytes[i] = char(i * 7 + 3);
    QVERIFY(writeFile(boot, QByteArray(1000, '\x5A')));
    QVERIFY(writeFile(app, appBytes));

    // A newer version than the encoder runs (0.02), or the upgrade is refused as needless.
    navigate(area, "固件参数");
    auto* parameters = pageAt<FirmwareParameterPage>(area, "固件参数");
    QVERIFY(parameters);
    QTRY_VERIFY(parameters->versionBox->isEnabled());
    parameters->versionBox->setValue(0.03);
    QCOMPARE(window->settingsWork()->getFirmwareEntity()->getVersion(), 0.03);

    navigate(area, "固件路径");
    auto* paths = pageAt<FirmwarePathPage>(area, "固件路径");
    QVERIFY(paths);
    QTRY_VERIFY(paths->bootPath->isEnabled());
    paths->bootPath->clear();
    QTest::keyClicks(paths->bootPath, boot);
    paths->appPath->clear();
    QTest::keyClicks(paths->appPath, app);
    QCOMPARE(window->settingsWork()->getFirmwareEntity()->getAppFirmwarePath(), app);

    navigate(area, "保存 & 开始");
    auto* run = pageAt<FirmwareRunPage>(area, "保存 & 开始");
    QVERIFY(run);
    QTest::mouseClick(run->startButton, Qt::LeftButton);
    QFileDialog* save = nullptr;
    QTRY_VERIFY((save = visibleFileDialog()));
    QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
    const QString image = work->filePath("upgrade.bin");
    save->selectFile(image);
    static_cast<QDialog*>(save)->accept();
    QMessageBox* box = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((box = boxWithText("固件生成成功")), 10000);
    box->close();
    QVERIFY(lastLogLine(window->debugLog()).contains("固件生成成功"));
    QCOMPARE(window->progressBar()->property("SuccessFlag").toString(), QString("success"));
    const QByteArray generated = readFile(image);
    QVERIFY(generated.contains(appBytes));

    // IAP: the image just made goes into the encoder.
    const QString iap = window->leftTabNames().value(2);
    navigate(iap, "IAP参数");
    auto* iapPage = pageAt<IapParameterPage>(iap, "IAP参数");
    QVERIFY(iapPage);
    QTRY_VERIFY(iapPage->chooseButton->isEnabled());
    QTest::mouseClick(iapPage->chooseButton, Qt::LeftButton);
    QFileDialog* open = nullptr;
    QTRY_VERIFY((open = visibleFileDialog()));
    open->selectFile(image);
    static_cast<QDialog*>(open)->accept();
    QTRY_COMPARE(iapPage->firmwarePath->text(), image);
    QCOMPARE(window->settingsWork()->getIapEntity()->getFirmwarePath(), image);

    connectTo(*encoder, "ZEK_ENCODER");
    navigate(iap, "保存 & 开始");
    auto* start = pageAt<FirmwareRunPage>(iap, "保存 & 开始");
    QVERIFY(start && start != run);
    QTest::mouseClick(start->startButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT((box = boxWithText("升级")), 30000);
    QCOMPARE(box->text(), QString("升级完成。"));
    box->close();
    QCOMPARE(window->progressBar()->property("SuccessFlag").toString(), QString("success"));
    QTRY_VERIFY(start->startButton->isEnabled());
    const auto lock = encoder->lock();
    auto* received = static_cast<EncoderBehaviour*>(encoder->behaviour());
    QCOMPARE(received->completedTransfers, 1);
    QCOMPARE(received->receivedImage, generated);
    QCOMPARE(received->version, QString("0.03"));  // it runs the new image
}

void TestEndToEnd::bissMasterStatusAndContinuousData() {
    QVERIFY(visibleBoxes().isEmpty());
    connectTo(*master, "BiSS_Master");
    const QString area = window->leftTabNames().value(3);
    QCOMPARE(area, QString("BiSS调试"));

    // Setting the master's mode ends in its information box; closing it reads the master. The
    // master talks BiSS-C already: the program learns that before it would switch, so asking
    // for BISS_C leaves the master as it is.
    navigate(area, "主机通信模式");
    auto* mode = pageAt<BissMasterModePage>(area, "主机通信模式");
    QVERIFY(mode);
    QTRY_VERIFY(mode->modeBox->isEnabled());
    mode->modeBox->setCurrentIndex(mode->modeBox->findText("BISS_C"));
    QVERIFY(mode->modeBox->currentIndex() > 0);
    mode->multiTurnBox->setValue(16);
    mode->singleTurnBox->setValue(17);
    QSignalSpy masterAsked(window->settingsWork(), &SettingsWork::getMasterStatusSignal);
    QSignalSpy slaveAsked(window->settingsWork(), &SettingsWork::getSlaverStatusSignal);
    QTest::mouseClick(mode->setButton, Qt::LeftButton);
    QMessageBox* box = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((box = visibleBoxes().value(0)), 10000);
    QCOMPARE(box->icon(), QMessageBox::Information);
    box->close();
    QTRY_COMPARE(masterAsked.size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT((box = boxWithText("获取Master成功。")), 10000);
    QCOMPARE(box->windowTitle(), QString("提示"));
    QCOMPARE(slaveAsked.size(), 0);
    QCOMPARE(mode->modeBox->currentText(), QString("BISS_C"));
    box->close();
    QTRY_VERIFY(slaveAsked.size() >= 1);
    QTRY_VERIFY_WITH_TIMEOUT(window->debugLog()->toPlainText().contains("获取BiSS从机状态成功。"),
                             10000);
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());

    navigate(area, "从机反馈数据");
    auto* data = pageAt<BissSlaveDataPage>(area, "从机反馈数据");
    QVERIFY(data);
    QTRY_VERIFY(data->continuousBox->isEnabled());
    QSignalSpy polled(window->settingsWork(), &SettingsWork::getSlaverDataSignal);
    // A click while the status poll holds the port is ignored: the operator clicks again.
    BissEntity* record = window->settingsWork()->getBissEntity();
    for (int attempt = 0; attempt < 5 && !record->getContinuousRead(); ++attempt) {
        QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
        // On the box's indicator: the check box is wider than its label, and a click beside
        // the label is no click at all.
        QTest::mouseClick(data->continuousBox, Qt::LeftButton, {},
                          QPoint(8, data->continuousBox->height() / 2));
    }
    QVERIFY(record->getContinuousRead());
    QVERIFY(visibleBoxes().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(data->continuousBox->isChecked(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(data->chart->sampleCount() >= 3, 10000);
    const QString first = data->singleTurnField->text();
    QTRY_VERIFY_WITH_TIMEOUT(data->singleTurnField->text() != first, 5000);
    QVERIFY(polled.size() >= 3);

    // Switching off is ignored, like every click, while a poll holds the port.
    for (int attempt = 0; attempt < 5 && record->getContinuousRead(); ++attempt) {
        QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
        QTest::mouseClick(data->continuousBox, Qt::LeftButton, {},
                          QPoint(8, data->continuousBox->height() / 2));
    }
    QVERIFY(!record->getContinuousRead());
    QTRY_VERIFY_WITH_TIMEOUT(!data->continuousBox->isChecked(), 5000);
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    polled.clear();
    QVERIFY(!polled.wait(800));  // switched off, nothing polls any more
    QVERIFY(visibleBoxes().isEmpty());
}

// The jobs above, run from the window, each left a production record; the polls (reads) none.
void TestEndToEnd::everyJobLeftItsRecord() {
    QStringList jobs;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            RecordStore store;
            jobs.clear();
            if (!store.openLocal(RecordSettings::localPath(), false))
                return false;
            const auto rows = store.query({}, 0, nullptr, true);
            for (const ProductionRecord& r : rows.value_or(QList<ProductionRecord>())) {
                if (r.outcome != "good" || r.log.isEmpty())
                    return false;
                jobs.prepend(r.job);
            }
            return jobs.size() == 9;
        }(),
        10000);
    QCOMPARE(jobs, (QStringList{"connect", "zero", "calibrate", "test", "firmware", "connect",
                                "iap", "connect", "set-master"}));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
