#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "calibrationentity.h"
#include "calibrationnavigation.h"
#include "calibrationpages.h"
#include "calibrationresultpage.h"
#include "calibrationrunpage.h"
#include "calibrationwork.h"
#include "chineseconfig.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "language.h"
#include "mcombobox.h"
#include "resultreport.h"
#include "pixels.h"
#include "rigparameterpage.h"
#include "settingswork.h"
#include "testresultpage.h"
#include "testspeedpage.h"
#include "testworkdir.h"

namespace {
QList<QStringList> calibrationGroups() {
    return {{"校准结果", "校准INL数据"},
            {"测试结果", "测试INL数据"},
            {"测试", "第一次测试", "第二次测试", "第三次测试", "第四次测试"},
            {"参数设置", "对拖工装参数"},
            {"运行", "对零 & 校准 & 测试"}};
}

void connectRig(bool connected) {
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    ConnectFlag::instance()->setDeviceConnection(connected ? ConnectFlag::CONNECTED
                                                           : ConnectFlag::DISCONNECTED);
    DevicesStatus::instance()->setValue(DevicesStatus::NORMAL);
}
}  // namespace

class TestCalibrationPages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void referencePointList();
    void resolutionField();
    void editorsOnlyOnTheirPage();
    void validation_data();
    void validation();
    void notConnectedAsksForTheRig();
    void buttonsWaitForFinish();
    void testMaximumEqualToThreshold();
    void resultButtonsFollowTheEncoder();
    void reportButtonsExportTheShownRecord();
    void resultColoursArePainted_data();
    void resultColoursArePainted();
    void runButtonColoursArePainted();
    void navigationGroups_data();
    void navigationGroups();

private:
    std::unique_ptr<TestWorkDir> dir;
    std::unique_ptr<SettingsWork> work;
    CalibrationEntity* record = nullptr;
};

void TestCalibrationPages::initTestCase() {
    dir = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    registerCalibrationPages();
    qRegisterMetaType<CalibrationWork*>();
    qRegisterMetaType<QMessageBox::Icon>();
}

void TestCalibrationPages::init() {
    work = std::make_unique<SettingsWork>();
    work->build({"校准"}, {calibrationGroups()});
    record = new CalibrationEntity(work.get(), 256, 2048, 0.1f, 250);
    work->getCalibrationArgmentsSlot(record);
    connectRig(true);
}

void TestCalibrationPages::cleanup() {
    work.reset();
}

void TestCalibrationPages::referencePointList() {
    QCOMPARE(RigParameterPage::pointItems(), (QStringList{"", "16", "32", "64", "128", "256"}));
    auto* page = work->findChild<RigParameterPage*>();
    QVERIFY(page);
    QCOMPARE(page->pointBox()->count(), 6);
    QCOMPARE(page->pointBox()->currentText(), QString("256"));
    page->pointBox()->setCurrentIndex(0);
    QCOMPARE(record->getPointNum(), 0);
}

void TestCalibrationPages::resolutionField() {
    auto* page = work->findChild<RigParameterPage*>();
    QLineEdit* line = page->lineEdit();
    line->setEnabled(true);
    line->clear();
    QSignalSpy update(work.get(), &SettingsWork::calibrationArgmentsUpdate);
    QTest::keyClicks(line, "0");
    QCOMPARE(line->text(), QString());
    QTest::keyClicks(line, "8");
    QCOMPARE(line->text(), QString("8"));
    QCOMPARE(record->getEncoderLine(), 8);
    QTest::keyClicks(line, "x19");
    QCOMPARE(record->getEncoderLine(), 819);
    QVERIFY(update.size() >= 2);
}

void TestCalibrationPages::editorsOnlyOnTheirPage() {
    auto* parameters = work->findChild<RigParameterPage*>();
    TestSpeedPage* firstTest = nullptr;
    for (TestSpeedPage* p : work->findChildren<TestSpeedPage*>())
        if (!firstTest)
            firstTest = p;
    QVERIFY(!parameters->pointBox()->isEnabled());
    QVERIFY(!firstTest->speedBox()->isEnabled());
    work->pageList()->setCurrentRow(work->rowOf("校准", "对拖工装参数"));
    QVERIFY(parameters->pointBox()->isEnabled());
    QVERIFY(parameters->lineEdit()->isEnabled());
    QVERIFY(!firstTest->speedBox()->isEnabled());
    work->pageList()->setCurrentRow(work->rowOf("校准", "第一次测试"));
    QVERIFY(!parameters->pointBox()->isEnabled());
    QVERIFY(firstTest->speedBox()->isEnabled());
}

void TestCalibrationPages::validation_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QList<quint16>>("tests");
    QTest::addColumn<QString>("message");
    const QList<quint16> fine{400, 400, 400, 400};
    QTest::addRow("no points") << 0 << 0 << 0 << fine << "校准参考点数量不能为0,请重新输入";
    QTest::addRow("no line") << 256 << 0 << 1400 << fine << "对拖编码器线数不能为0,请重新输入";
    QTest::addRow("no speed, tests set")
        << 256 << 2048 << 0 << fine << "校准速度不能为0,请重新输入";
    QTest::addRow("third test speed empty")
        << 256 << 2048 << 1400 << QList<quint16>{400, 400, 0, 400} << "测试速度不能为0,请重新输入";
    // Values the lists do not offer (stored by an older command line) or past 16 bits are
    // refused, never sent wrapped.
    QTest::addRow("line past 16 bits") << 256 << 70000 << 1400 << fine
                                       << "对拖编码器线数 [ 70000 ] 超出范围（1 ~ 65535），请重新输入";
    QTest::addRow("points not offered") << 100 << 2048 << 1400 << fine
                                        << "校准参考点数量 [ 100 ] 无效，可选：16, 32, 64, 128, 256，请重新选择";
    QTest::addRow("speed past 16 bits") << 256 << 2048 << 40000 << fine
                                        << "校准速度 [ 40000 ] RPM 超出范围（1 ~ 32767），请重新选择";
}

void TestCalibrationPages::validation() {
    QFETCH(int, points);
    QFETCH(int, line);
    QFETCH(int, speed);
    QFETCH(QList<quint16>, tests);
    QFETCH(QString, message);
    record->setPointNum(points);
    record->setEncoderLine(line);
    record->setCalibrationSpeed(speed);
    record->setTestSpeed(tests);
    auto* run = work->findChild<CalibrationRunPage*>();
    QSignalSpy shown(work.get(), &SettingsWork::showMsg);
    QSignalSpy saved(work.get(), &SettingsWork::setCalibrationArgments);
    QSignalSpy started(work.get(), &SettingsWork::startCalibration);
    run->button(CalibrationRunPage::Calibrate)->click();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).at(0).value<QMessageBox::Icon>(), QMessageBox::Warning);
    QCOMPARE(shown.at(0).at(1).toString(), message);
    QCOMPARE(saved.size() + started.size(), 0);
    QVERIFY(run->button(CalibrationRunPage::Calibrate)->isEnabled());
}

void TestCalibrationPages::notConnectedAsksForTheRig() {
    connectRig(false);
    auto* run = work->findChild<CalibrationRunPage*>();
    QSignalSpy asked(work.get(), &SettingsWork::devicesNotConnect);
    QSignalSpy started(work.get(), &SettingsWork::startZero);
    for (CalibrationRunPage::Run which :
         {CalibrationRunPage::Calibrate, CalibrationRunPage::Zero, CalibrationRunPage::Test}) {
        run->button(which)->click();
        QMessageBox* box = run->findChild<QMessageBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(), QString("请连接校准工装"));
        QCOMPARE(box->windowTitle(), QString("警告"));
        QVERIFY(!box->isModal());
        QCOMPARE(asked.size(), int(which));
        box->done(QMessageBox::Ok);
        QCOMPARE(asked.size(), int(which) + 1);
        QTRY_VERIFY(!run->findChild<QMessageBox*>());
    }
    QCOMPARE(started.size(), 0);
}

void TestCalibrationPages::buttonsWaitForFinish() {
    auto* run = work->findChild<CalibrationRunPage*>();
    QSignalSpy saved(work.get(), &SettingsWork::setCalibrationArgments);
    QSignalSpy started(work.get(), &SettingsWork::startTest);
    run->button(CalibrationRunPage::Test)->click();
    QCOMPARE(saved.size(), 1);
    QCOMPARE(started.size(), 1);
    QCOMPARE(started.at(0).at(0).value<CalibrationEntity*>(), record);
    for (auto which :
         {CalibrationRunPage::Calibrate, CalibrationRunPage::Zero, CalibrationRunPage::Test})
        QVERIFY(!run->button(which)->isEnabled());
    emit work->finish();
    for (auto which :
         {CalibrationRunPage::Calibrate, CalibrationRunPage::Zero, CalibrationRunPage::Test})
        QVERIFY(run->button(which)->isEnabled());
}

void TestCalibrationPages::testMaximumEqualToThreshold() {
    record->setTestMaxInl({0.1f, 0.05f, 0.2f, 0.05f});
    emit work->viewReDraw();
    QList<TestSpeedPage*> pages = work->findChildren<TestSpeedPage*>();
    QCOMPARE(pages.size(), 4);
    QLineEdit* first = nullptr;
    for (TestSpeedPage* p : pages)
        if (p->maxInlField()->text() == "0.1")
            first = p->maxInlField();
    QVERIFY(first);
    QCOMPARE(first->property("Result").toString(), QString("fail"));
    auto* results = work->findChild<TestResultPage*>();
    QCOMPARE(results->runButton(0)->objectName(), QString("FineCalibration"));
    QCOMPARE(results->runButton(1)->objectName(), QString("FineCalibration"));
    QCOMPARE(results->runButton(2)->objectName(), QString("FinalCheck"));
    QCOMPARE(results->averageField()->text(), QString("0.1"));
    QCOMPARE(results->averageField()->property("Result").toString(), QString("fail"));
}

void TestCalibrationPages::resultButtonsFollowTheEncoder() {
    auto* results = work->findChild<CalibrationResultPage*>();
    QCOMPARE(results->phaseButton(2)->text(), QString("最终检查"));
    QCOMPARE(results->typeField()->text(), QString("ZEK_ENCODER"));
    QCOMPARE(results->thresholdField()->text(), QString("0.10"));
    QSignalSpy shown(work.get(), &SettingsWork::showCalibration);
    results->phaseButton(2)->click();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).at(0).toString(), QString("最终校验"));
    auto* view = shown.at(0).at(1).value<CalibrationWork*>();
    QCOMPARE(view->tabWidget()->count(), 4);

    auto* copy = new CalibrationEntity(work.get(), 16, 2048, 0.1f, 251);
    copy->setPhaseMaxInl("FINAL", 0.05f);
    work->getCalibrationArgmentsSlot(copy);
    QCOMPARE(results->phaseButton(0)->text(), QString("校准前"));
    QCOMPARE(results->phaseButton(2)->text(), QString("NLC校准"));
    QCOMPARE(results->finalField()->text(), QString("0.05"));
    QCOMPARE(results->finalField()->property("Result").toString(), QString("success"));
    results->phaseButton(2)->click();
    QCOMPARE(shown.at(1).at(1).value<CalibrationWork*>()->tabWidget()->count(), 3);
}

// "导出报告" hands the exporter the record the page shows now, and whether it is a test.
void TestCalibrationPages::reportButtonsExportTheShownRecord() {
    QList<std::pair<const CalibrationEntity*, bool>> exported;
    ResultReport::setExporter([&](QWidget*, const CalibrationEntity* r, bool test) {
        exported.append({r, test});
    });
    auto* copy = new CalibrationEntity(work.get(), 16, 2048, 0.1f, 251);
    work->getCalibrationArgmentsSlot(copy);
    work->findChild<CalibrationResultPage*>()->reportButton()->click();
    work->findChild<TestResultPage*>()->reportButton()->click();
    ResultReport::setExporter(nullptr);
    QCOMPARE(exported.size(), 2);
    QCOMPARE(exported.at(0).first, copy);
    QCOMPARE(exported.at(0).second, false);
    QCOMPARE(exported.at(1).first, copy);
    QCOMPARE(exported.at(1).second, true);
}

void TestCalibrationPages::resultColoursArePainted_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<float>("inl");
    QTest::addColumn<bool>("pass");
    QTest::addRow("calibration below the threshold: green") << "final" << 0.05f << true;
    QTest::addRow("calibration above the threshold: red") << "final" << 0.2f << false;
    QTest::addRow("test average below the threshold: green") << "average" << 0.05f << true;
    QTest::addRow("test average at the threshold: red") << "average" << 0.1f << false;
}

void TestCalibrationPages::resultColoursArePainted() {
    QFETCH(QString, field);
    QFETCH(float, inl);
    QFETCH(bool, pass);
    record->setPhaseMaxInl("FINAL", inl);
    record->setTestMaxInl({inl, inl, inl, inl});
    emit work->viewReDraw();
    work->resize(900, 700);
    work->show();
    QVERIFY(QTest::qWaitForWindowExposed(work.get()));
    QLineEdit* shown = field == "final" ? work->findChild<CalibrationResultPage*>()->finalField()
                                        : work->findChild<TestResultPage*>()->averageField();
    // The frame (2 px around the field) and the digits carry the verdict's colour.
    const int green = pixels::countNear(shown, pixels::kGreen);
    const int red = pixels::countNear(shown, pixels::kRed);
    const int frame = 2 * (shown->width() + shown->height());
    QVERIFY2((pass ? green : red) > frame, qPrintable(QString("%1 %2").arg(green).arg(red)));
    QCOMPARE(pass ? red : green, 0);
}

void TestCalibrationPages::runButtonColoursArePainted() {
    work->resize(900, 700);
    work->show();
    QVERIFY(QTest::qWaitForWindowExposed(work.get()));
    auto* run = work->findChild<CalibrationRunPage*>();
    auto share = [](QPushButton* button, const QColor& colour) {
        return double(pixels::countNear(button, colour, 25)) / (button->width() * button->height());
    };
    // Mostly filled with its colour: green to calibrate, red for the final test, blue to zero.
    QVERIFY(share(run->button(CalibrationRunPage::Calibrate), pixels::kGreen) > 0.5);
    QVERIFY(share(run->button(CalibrationRunPage::Test), pixels::kRed) > 0.5);
    QVERIFY(share(run->button(CalibrationRunPage::Zero), QColor(30, 144, 255)) > 0.5);
    // A failed test's button on the result page is red, a passed one green.
    record->setTestMaxInl({0.05f, 0.2f, 0.05f, 0.05f});
    emit work->viewReDraw();
    auto* results = work->findChild<TestResultPage*>();
    QVERIFY(share(results->runButton(0), pixels::kGreen) > 0.5);
    QVERIFY(share(results->runButton(1), pixels::kRed) > 0.5);
}

void TestCalibrationPages::navigationGroups_data() {
    QTest::addColumn<bool>("calibration");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QStringList>("names");
    QTest::addRow("after a calibration")
        << true << 1 << QStringList{"校准结果", "测试", "参数设置", "运行"};
    QTest::addRow("after a test") << false << 1
                                  << QStringList{"测试结果", "测试", "参数设置", "运行"};
    QTest::addRow("after two calibrations")
        << true << 2 << QStringList{"校准结果", "测试", "参数设置", "运行"};
}

void TestCalibrationPages::navigationGroups() {
    QFETCH(bool, calibration);
    QFETCH(int, runs);
    QFETCH(QStringList, names);
    QList<QStringList> groups = calibrationGroups();
    for (int i = 0; i < runs; ++i) groups = CalibrationNavigation::groupsAfter(groups, calibration);
    QStringList shown;
    for (const QStringList& g : groups) shown << g.first();
    QCOMPARE(shown, names);
    // The other way round the result group comes back first, with its page.
    groups = CalibrationNavigation::groupsAfter(groups, !calibration);
    QCOMPARE(groups.first(), calibration ? QStringList({"测试结果", "测试INL数据"})
                                         : QStringList({"校准结果", "校准INL数据"}));
}

QTEST_MAIN(TestCalibrationPages)
#include "tst_calibrationpages.moc"
