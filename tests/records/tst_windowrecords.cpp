// The production record from the window: the serial typed on the run and IAP pages goes into
// the records of the jobs it starts, a required serial is asked for, a record that cannot be
// stored is said in a box while the job's result still shows, the status bar counts what waits
// for the line's database, and the "生产记录" tab lists, opens charts from stored curves and
// exports CSV.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "calibrationentity.h"
#include "calibrationrunpage.h"
#include "calibrationwork.h"
#include "devicestype.h"
#include "encoderbehaviour.h"
#include "firmwarerunpage.h"
#include "historyview.h"
#include "iapentity.h"
#include "iapparameterpage.h"
#include "jobwiring.h"
#include "language.h"
#include "mainwindow.h"
#include "permissioncontroller.h"
#include "readconfig.h"
#include "recordstore.h"
#include "recordwriter.h"
#include "rigbehaviour.h"
#include "serialdialog.h"
#include "serialportbusy.h"
#include "settingswork.h"
#include "simdevice.h"
#include "startup.h"
#include "testworkdir.h"
#include "virtualports.h"
#include "windowboxes.h"

namespace {
QList<ProductionRecord> storedRecords() {
    RecordStore store;
    if (!store.openLocal(RecordSettings::localPath(), false))
        return {};
    return store.query({}, 0, nullptr, true).value_or(QList<ProductionRecord>());
}
}  // namespace

class TestWindowRecords : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void serialFromThePagesGoesIntoTheRecords();
    void requiredSerialIsAskedFor();
    void recordThatCannotBeStoredIsSaidInABox();
    void statusBarCountsRecordsWaitingForTheLine();
    void historyListsOpensChartsAndExports();

private:
    void makeWindow(const QByteArray& records = QByteArray());
    void connectTo(SimDevice& device, const QString& type);
    void showPage(const QString& area, const QString& page);
    template <typename Page>
    Page* pageAt(const QString& area, const QString& name) const;
    void runZero(const QString& serial);

    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<SimDevice> rig;
    std::unique_ptr<MainWindow> window;
};

void TestWindowRecords::init() {
    work = std::make_unique<TestWorkDir>();
    rig = std::make_unique<SimDevice>(SimDevice::Rig);
    {
        auto lock = rig->lock();
        auto& pace = static_cast<RigBehaviour*>(rig->behaviour())->settings;
        pace.phaseMs = 20;
        // A wide gap between a status byte and its data block (see tst_recordcli).
        pace.gapMs = 30;
    }
    VirtualPorts::add(SimDevice::kindName(SimDevice::Rig), rig->portPath());
}

void TestWindowRecords::cleanup() {
    closeBoxes();
    window.reset();
    VirtualPorts::remove(rig->portPath());
    rig.reset();
    work.reset();
}

void TestWindowRecords::makeWindow(const QByteArray& records) {
    Startup::writeDefaultConfigIfMissing();
    {
        // A small calibration set-up, as an operator would have saved it.
        QFile ini(ReadConfig::configPath());
        QVERIFY(ini.open(QIODevice::Append));
        ini.write("\n[CalibrationEntity]\npointNum=16\nencoderLine=2048\ncalibrationSpeed=1400\n"
                  "[CalibrationEntityList]\n1\\testSpeed=400\n2\\testSpeed=400\n"
                  "3\\testSpeed=400\n4\\testSpeed=400\nsize=4\n" +
                  records);
    }
    Language::instance()->load();
    DevicesType::instance()->reload();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestWindowRecords::connectTo(SimDevice& device, const QString& type) {
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    window->serialPortViewBind();
    QPointer<SerialDialog> dialog = window->serialDialog();
    QVERIFY(dialog);
    auto* ports = dialog->findChild<QComboBox*>("serialPortNum");
    const int at = ports->findText(SimDevice::kindName(SimDevice::Rig) + " (" + device.portPath() + ")");
    QVERIFY(at >= 0);
    ports->setCurrentIndex(at);
    dialog->findChild<QComboBox*>("baudRate")->setCurrentText("115200");
    dialog->findChild<QComboBox*>("devicesType")->setCurrentText(type);
    QTest::mouseClick(dialog->findChild<QPushButton*>("connect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 10000);
    QTRY_VERIFY(window->debugLog()->toPlainText().contains("设备类型匹配成功。"));
}

void TestWindowRecords::showPage(const QString& area, const QString& page) {
    SettingsWork* w = window->settingsWork();
    const int row = w->rowOf(area, page);
    QVERIFY(row >= 0);
    for (int i = 0; i < w->pageList()->count(); ++i)
        if (w->pageList()->item(i)->data(SettingsWork::RowRole).toInt() == row)
            w->pageList()->setCurrentRow(i);
}

template <typename Page>
Page* TestWindowRecords::pageAt(const QString& area, const QString& name) const {
    SettingsWork* w = window->settingsWork();
    const int row = w->rowOf(area, name);
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

void TestWindowRecords::runZero(const QString& serial) {
    const QString area = window->leftTabNames().value(0);
    showPage(area, "对零 & 校准 & 测试");
    auto* run = pageAt<CalibrationRunPage>(area, "对零 & 校准 & 测试");
    QVERIFY(run);
    QTRY_VERIFY(run->serialField()->isEnabled());
    run->serialField()->clear();
    // A scanner types the code and Enter.
    QTest::keyClicks(run->serialField(), serial);
    QTest::keyClick(run->serialField(), Qt::Key_Return);
    QCOMPARE(run->serialField()->text(), serial);
    QTRY_VERIFY(run->button(CalibrationRunPage::Zero)->isEnabled());
    run->button(CalibrationRunPage::Zero)->click();
}

void TestWindowRecords::serialFromThePagesGoesIntoTheRecords() {
    makeWindow();
    connectTo(*rig, "CALIBRATION");
    runZero("WIN-0001");
    QMessageBox* box = nullptr;
    QTRY_VERIFY2_WITH_TIMEOUT((box = boxWithText("对零成功")), 
                              qPrintable(window->debugLog()->toPlainText().right(800)), 20000);
    box->close();
    QTRY_COMPARE_WITH_TIMEOUT(storedRecords().size(), 2, 10000);
    const QList<ProductionRecord> records = storedRecords();
    QCOMPARE(records.at(0).job, QString("zero"));
    QCOMPARE(records.at(0).serial, QString("WIN-0001"));
    QCOMPARE(records.at(0).outcome, QString("good"));
    QCOMPARE(records.at(0).port, rig->portPath());
    QCOMPARE(records.at(0).details.value("pointNum").toInt(),
             window->settingsWork()->getCalibrationEntity()->getPointNum());
    QVERIFY(records.at(0).log.join('\n').contains("对零"));
    // The connect through the serial dialog is a job of its own.
    QCOMPARE(records.at(1).job, QString("connect"));
    QCOMPARE(records.at(1).outcome, QString("good"));

    // The IAP page's serial travels with the upgrade's task record.
    const QString iap = window->leftTabNames().value(2);
    showPage(iap, "IAP参数");
    auto* iapPage = pageAt<IapParameterPage>(iap, "IAP参数");
    QVERIFY(iapPage);
    QTRY_VERIFY(iapPage->serialNumber->isEnabled());
    QTest::keyClicks(iapPage->serialNumber, "IAP-77");
    QCOMPARE(window->settingsWork()->getIapEntity()->getSerialNumber(), QString("IAP-77"));
}

void TestWindowRecords::requiredSerialIsAskedFor() {
    makeWindow("[Records]\nserialRequired=true\n");
    connectTo(*rig, "CALIBRATION");
    rig->clearRecords();
    runZero(QString());
    QMessageBox* box = nullptr;
    QTRY_VERIFY((box = boxWithText("请输入编码器序列号")));
    box->close();
    QVERIFY(rig->received().isEmpty());  // nothing went to the rig
    QTRY_COMPARE(storedRecords().size(), 1);  // the connect alone

    const QString iap = window->leftTabNames().value(2);
    showPage(iap, "保存 & 开始");
    auto* start = pageAt<FirmwareRunPage>(iap, "保存 & 开始");
    QVERIFY(start);
    IapEntity* entity = window->settingsWork()->getIapEntity();
    entity->setDevicesName("ZEK_ENCODER");
    entity->setTransformName("Ymodem_128");
    entity->setCaxisName("First_Caxis");
    entity->setFirmwarePath(work->filePath("x.bin"));
    start->startButton->click();
    QTRY_VERIFY((box = boxWithText("请输入编码器序列号")));
    box->close();
    QVERIFY(start->startButton->isEnabled());

    runZero("REQ-9");
    QTRY_VERIFY_WITH_TIMEOUT((box = boxWithText("对零成功")), 20000);
    box->close();
    QTRY_COMPARE_WITH_TIMEOUT(storedRecords().size(), 2, 10000);
    QCOMPARE(storedRecords().first().serial, QString("REQ-9"));
}

void TestWindowRecords::recordThatCannotBeStoredIsSaidInABox() {
    // The records' place is taken by a file: no database can be made there.
    QVERIFY(QDir().mkpath("records"));
    QVERIFY(QDir().mkpath(RecordSettings::localPath()));
    makeWindow();
    connectTo(*rig, "CALIBRATION");
    QMessageBox* box = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((box = boxWithText("生产记录保存失败")), 10000);
    box->close();
    runZero("LOST-1");
    // The job's own result shows, and the lost record is said in the log and a box.
    QTRY_VERIFY_WITH_TIMEOUT(boxWithText("对零成功"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(boxWithText("生产记录保存失败"), 10000);
    QVERIFY(window->debugLog()->toPlainText().contains("生产记录保存失败"));
}

void TestWindowRecords::statusBarCountsRecordsWaitingForTheLine() {
    // A line database that does not answer (nothing listens on port 1).
    makeWindow("[Records]\ndriver=QPSQL\nhost=127.0.0.1\nport=1\ndatabase=line\nuser=q\n"
               "retryMs=60000\nconnectTimeout=1\n");
    auto* queue = window->statusBar()->findChild<QLabel*>("recordQueue");
    QVERIFY(queue);
    QVERIFY(!queue->isVisible());
    connectTo(*rig, "CALIBRATION");
    QTRY_VERIFY_WITH_TIMEOUT(queue->isVisible(), 10000);
    QCOMPARE(queue->text(), QString("待转发记录：1"));
    QVERIFY(!boxWithText("生产记录保存失败"));  // queued is stored, not lost
    RecordStore local;
    QVERIFY(local.openLocal(RecordSettings::localPath(), false));
    QCOMPARE(local.queued(), 1);
}

void TestWindowRecords::historyListsOpensChartsAndExports() {
    const int total = 450;
    {
        RecordStore store;
        QVERIFY(store.openLocal(RecordSettings::localPath()));
        const QDateTime t0 = QDateTime::currentDateTimeUtc().addDays(-1);
        for (int i = 0; i < total; ++i) {
            ProductionRecord r = ProductionRecord::begin(i % 2 ? "test" : "calibrate");
            r.serial = QString("H-%1").arg(i, 4, 10, QChar('0'));
            r.outcome = i == total - 1 ? "failed" : "good";
            r.startedAt = r.endedAt = t0.addSecs(i);
            r.details.insert("pointNum", 16);
            r.details.insert("encoderType", 250);
            QJsonArray curve;
            for (int k = 0; k < 16; ++k) curve.append(0.001 * k);
            QJsonObject curves;
            for (const char* key : {"ROUGH", "FINE", "FINAL"}) curves.insert(key, curve);
            r.details.insert("inlCurves", curves);
            QVERIFY(store.insert(r));
        }
    }
    makeWindow();
    window->action("actionHistory")->trigger();
    auto* view = qobject_cast<HistoryView*>(window->contentsTabWidget()->currentWidget());
    QVERIFY(view);
    QCOMPARE(window->contentsTabWidget()->tabText(window->contentsTabWidget()->currentIndex()),
             QString("生产记录"));
    HistoryModel* model = view->model();
    // The first page only, newest first; the failed one on top, in red.
    QTRY_COMPARE(model->rowCount(), HistoryModel::kPage);
    QCOMPARE(model->record(0).serial, QString("H-0449"));
    QCOMPARE(model->data(model->index(0, HistoryModel::Outcome), Qt::DisplayRole).toString(),
             QString("失败"));
    QCOMPARE(model->data(model->index(0, 0), Qt::ForegroundRole).value<QColor>(),
             QColor(0xEF, 0x53, 0x50));
    QVERIFY(!model->data(model->index(1, 0), Qt::ForegroundRole).isValid());
    // Scrolling to the end fetches the rest, page by page.
    for (int tries = 0; tries < 10 && model->rowCount() < total; ++tries) {
        view->view()->scrollToBottom();
        QTest::qWait(0);
        QTRY_VERIFY(!model->loading());
        if (model->canFetchMore(QModelIndex()))
            model->fetchMore(QModelIndex());
        QTRY_VERIFY(!model->loading());
    }
    QCOMPARE(model->rowCount(), total);

    // A filter by serial (a scan into the field and Enter).
    view->serialInput()->setText("H-0002");
    QTest::keyClick(view->serialInput(), Qt::Key_Return);
    QTRY_COMPARE(model->rowCount(), 1);
    QCOMPARE(model->record(0).job, QString("calibrate"));

    // Double-click: the charts of the stored curves, one result view per phase.
    const int tabs = window->contentsTabWidget()->count();
    const QRect cell = view->view()->visualRect(model->index(0, 1));
    QTest::mouseClick(view->view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_COMPARE(window->contentsTabWidget()->count(), tabs + 3);
    auto* charts = qobject_cast<CalibrationWork*>(window->contentsTabWidget()->currentWidget());
    QVERIFY(charts);
    QVERIFY(window->contentsTabWidget()->tabText(window->contentsTabWidget()->currentIndex())
                .startsWith("H-0002"));
    // The stored curve, point for point (16 points over the turn).
    QVERIFY(charts->csv().contains("\n15,337.5,0.0149999"));

    // Export of the filtered rows.
    QSignalSpy exported(view, &HistoryView::exportFinished);
    view->exportCsv(work->filePath("history.csv"));
    QVERIFY(exported.wait(10000));
    QCOMPARE(exported.first().at(0).toBool(), true);
    QCOMPARE(exported.first().at(1).toInt(), 1);
    QFile csv(work->filePath("history.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(1).contains(",H-0002,good,"));
}

QTEST_MAIN(TestWindowRecords)
#include "tst_windowrecords.moc"
