// The main window's handling of the job controllers: pages from every area, results turned
// into log lines, colours, boxes and finish(), and the calibration navigation after a result.
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "bisscontroler.h"
#include "bissentity.h"
#include "calibrationcontroler.h"
#include "calibrationentity.h"
#include "chineseconfig.h"
#include "devicestype.h"
#include "firmwarecontroler.h"
#include "iapcontroler.h"
#include "jobwiring.h"
#include "language.h"
#include "mainwindow.h"
#include "permissioncontroller.h"
#include "settingswork.h"
#include "testworkdir.h"

namespace {
QMessageBox* visibleBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    return nullptr;
}

void closeBoxes() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w))
            w->close();
}

QStringList topLevelTexts(QTreeWidget* tree) {
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(0);
    return texts;
}
}  // namespace

class TestJobWiring : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyAreaBringsItsPages();
    void resultsReachLogColourBoxAndFinish_data();
    void resultsReachLogColourBoxAndFinish();
    void failureBoxCarriesTheReason_data();
    void failureBoxCarriesTheReason();
    void calibrationResultSwapsTheResultGroup();
    void bissChangeAsksForTheMasterAgain();

private:
    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<MainWindow> window;
};

void TestJobWiring::init() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    window = std::make_unique<MainWindow>();
}

void TestJobWiring::cleanup() {
    closeBoxes();
    window.reset();
    work.reset();
}

void TestJobWiring::everyAreaBringsItsPages() {
    const QStringList entries = window->settingsWork()->entries();
    for (const char* page : {"对拖工装参数", "对零 & 校准 & 测试", "固件参数", "固件路径",
                             "IAP参数", "主机状态", "寄存器操作", "旋变设置"})
        QVERIFY2(entries.contains(QString::fromUtf8(page)), page);
}

void TestJobWiring::resultsReachLogColourBoxAndFinish_data() {
    QTest::addColumn<QString>("job");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("tag");
    QTest::addRow("generation done") << "firmware" << true << "固件生成";
    QTest::addRow("generation failed") << "firmware" << false << "固件生成";
    QTest::addRow("upgrade done") << "iap" << true << "IAP升级";
    QTest::addRow("calibration run failed: a box too") << "calibration" << false << "校准";
}

void TestJobWiring::resultsReachLogColourBoxAndFinish() {
    QFETCH(QString, job);
    QFETCH(bool, ok);
    QFETCH(QString, tag);
    JobWiring* jobs = window->jobWiring();
    QSignalSpy finished(window->settingsWork(), &SettingsWork::finish);
    const QString text = QStringLiteral("结果文本");
    if (job == "firmware")
        emit jobs->firmware()->generationResult(text, ok);
    else if (job == "iap")
        emit jobs->iap()->connectResult(text, ok);
    else
        emit jobs->calibration()->calibrationResult(text, ok);
    QCOMPARE(finished.size(), 1);
    QVERIFY(window->debugLog()->toPlainText().contains(">>>>>>>>> " + tag + "  :  :  " + text));
    QCOMPARE(window->progressBar()->property("SuccessFlag").toString(),
             QString(ok ? "success" : "fail"));
    QVERIFY(window->debugLog()->isEnabled());
    QMessageBox* box = visibleBox();
    QVERIFY(box);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->icon(), ok ? QMessageBox::Information : QMessageBox::Warning);
}

void TestJobWiring::failureBoxCarriesTheReason_data() {
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("result");
    QTest::addRow("upgrade timed out") << "iap"
                                       << "等待设备的<响应>指令超时。"
                                       << "升级失败。";
    QTest::addRow("calibration lost its rig") << "calibration"
                                              << "通信失败，请检查设备连接是否正常！"
                                              << "校准失败。";
    QTest::addRow("BiSS write failed")
        << "biss"
        << "通信失败，请检查设备连接是否正常或验证主从通信协议是否一致！"
        << "写入BiSS从机寄存器失败。";
}

void TestJobWiring::failureBoxCarriesTheReason() {
    QFETCH(QString, job);
    QFETCH(QString, reason);
    QFETCH(QString, result);
    JobWiring* jobs = window->jobWiring();
    BissEntity record;
    if (job == "iap") {
        emit jobs->iap()->msgSignal("IAP", reason);
        emit jobs->iap()->connectResult(result, false);
    } else if (job == "calibration") {
        emit jobs->calibration()->msgSignal("Calibration", reason);
        emit jobs->calibration()->calibrationResult(result, false);
    } else {
        emit jobs->biss()->msgSignal("BiSS", QString(71, QLatin1Char('-')));
        emit jobs->biss()->msgSignal("BiSS", reason);
        emit jobs->biss()->writeSlaverRegeditResult(result, false, &record);
    }
    QMessageBox* box = visibleBox();
    QVERIFY(box);
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->text(), result + "\n" + reason);
}

void TestJobWiring::calibrationResultSwapsTheResultGroup() {
    auto* tree = window->leftTabWidget()->widget(0)->findChild<QTreeWidget*>();
    QVERIFY(topLevelTexts(tree).contains("测试结果"));
    SettingsWork* before = window->settingsWork();
    QPointer<SettingsWork> old(before);
    CalibrationEntity record(nullptr, 256, 2048, 0.1f);
    record.setEncoderType(250);
    emit window->jobWiring()->calibration()->calibrationCompInlResult("校准完成。", true, &record);
    QVERIFY(!topLevelTexts(tree).contains("测试结果"));
    QVERIFY(topLevelTexts(tree).contains("校准结果"));
    // A new workspace shows a copy of the record and is the current tab.
    SettingsWork* after = window->settingsWork();
    QVERIFY(after != before);
    QCOMPARE(window->contentsTabWidget()->currentWidget(), after);
    QVERIFY(after->getCalibrationEntity() != &record);
    QCOMPARE(after->getCalibrationEntity()->getEncoderType(), 250);
    QVERIFY(!after->entries().contains("测试结果"));
    QTRY_VERIFY(old.isNull());

    // The new workspace still reaches the controllers.
    QSignalSpy loaded(window->jobWiring()->calibration(),
                      qOverload<CalibrationEntity*>(&CalibrationControler::getConfigArgments));
    emit after->getCalibrationArgments();
    QCOMPARE(loaded.size(), 1);
    // After a test the groups swap back.
    emit window->jobWiring()->calibration()->testCompInlResult("测试完成。", true,
                                                               after->getCalibrationEntity());
    QVERIFY(topLevelTexts(tree).contains("测试结果"));
    QVERIFY(!topLevelTexts(tree).contains("校准结果"));
}

void TestJobWiring::bissChangeAsksForTheMasterAgain() {
    DevicesType::instance()->setConnectedType(int(DevicesType::BiSS_Master));
    QSignalSpy asked(window->settingsWork(), &SettingsWork::getMasterStatusSignal);
    BissEntity record;
    emit window->jobWiring()->biss()->setMasterStatusResult("设置成功。", true, &record);
    QMessageBox* box = visibleBox();
    QVERIFY(box);
    QCOMPARE(asked.size(), 0);
    box->close();
    QTRY_COMPARE(asked.size(), 1);
}

QTEST_MAIN(TestJobWiring)
#include "tst_jobwiring.moc"
