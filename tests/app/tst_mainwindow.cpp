#include <QAction>
#include <QDockWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>
#include <QLabel>
#include <QTabBar>
#include <QtTest>

#include "chineseconfig.h"
#include "language.h"
#include "leftwidgettab.h"
#include "areapages.h"
#include "calibrationwork.h"
#include "mainwindow.h"
#include "pixels.h"
#include "settingswork.h"
#include "permissioncontroller.h"
#include "readconfig.h"
#include "startup.h"
#include "stylesheetloader.h"
#include "testworkdir.h"

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() {
        PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    }
    void resultColoursLastLine_data();
    void resultColoursLastLine();
    void tabsPerPermission_data();
    void tabsPerPermission();
    void maximiseAndRestore();
    void messageBoxTitles_data();
    void messageBoxTitles();
    void startupMessageShownOnce();
    void firstStartWritesDefaults();
    void closeEditRemovesContentsTabs();
    void windowStaysUsable();
    void resultFlagColoursArePainted();
    void navigationTreeFollowsNames();
    void titleBarDragsTheWindow();
    void shadowToggleNeverStopsWindowPainting();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestMainWindow::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
}

void TestMainWindow::resultColoursLastLine_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QColor>("colour");
    QTest::addRow("success") << true << "success" << QColor(Qt::green);
    QTest::addRow("fail") << false << "fail" << QColor(Qt::red);
}

void TestMainWindow::resultColoursLastLine() {
    QFETCH(bool, ok);
    QFETCH(QString, flag);
    QFETCH(QColor, colour);
    MainWindow window;
    window.setProgress(40);
    QCOMPARE(window.progressBar()->property("SuccessFlag").toString(), QString("progress"));
    QCOMPARE(window.progressBar()->value(), 40);
    window.debugLog()->setEnabled(false);
    window.showDebugMsg("SerialPort", "第一行");
    window.showDebugMsg("SerialPort", "结果");
    window.setProgress(ok);
    QCOMPARE(window.progressBar()->property("SuccessFlag").toString(), flag);
    QCOMPARE(window.statusBar()->property("SuccessFlag").toString(), flag);
    QVERIFY(window.debugLog()->isEnabled());
    const QTextDocument* doc = window.debugLog()->document();
    const QTextBlock last = doc->findBlockByNumber(doc->blockCount() - 2);
    QVERIFY(last.text().contains("结果"));
    QCOMPARE(last.begin().fragment().charFormat().foreground().color(), colour);
    const QTextBlock first = doc->findBlockByNumber(0);
    QVERIFY(first.begin().fragment().charFormat().foreground().color() != colour);
}

void TestMainWindow::tabsPerPermission_data() {
    QTest::addColumn<int>("permission");
    QTest::addColumn<QStringList>("tabs");
    QTest::addRow("ADMINISTRATOR") << int(PermissionController::ADMINISTRATOR)
                                   << QStringList{"校准", "固件生成", "IAP升级", "BiSS调试"};
    QTest::addRow("DEBUGPERSON") << int(PermissionController::DEBUGPERSON)
                                 << QStringList{"校准", "IAP升级", "BiSS调试"};
    QTest::addRow("USER") << int(PermissionController::USER) << QStringList{"IAP升级"};
}

void TestMainWindow::tabsPerPermission() {
    QFETCH(int, permission);
    QFETCH(QStringList, tabs);
    PermissionController::instance()->setPermission(permission);
    MainWindow window;
    QCOMPARE(window.leftTabNames(), tabs);
    // The job areas, then the production records, which every level may read.
    QCOMPARE(window.leftTabWidget()->count(), tabs.size() + 1);
    for (int i = 0; i < tabs.size(); ++i) QCOMPARE(window.leftTabWidget()->tabText(i), tabs.at(i));
    QCOMPARE(window.leftTabWidget()->tabText(tabs.size()), QString("生产记录"));
    QCOMPARE(window.action("addDevices")->isEnabled(),
             permission == int(PermissionController::ADMINISTRATOR));
    QVERIFY(window.action("actionUsart")->isEnabled());
    window.leftTabChange(tabs.last());
    QCOMPARE(window.leftTabWidget()->currentIndex(), tabs.size() - 1);
    window.leftTabChange("不存在");  // an unknown name moves nothing
    QCOMPARE(window.leftTabWidget()->currentIndex(), tabs.size() - 1);
}

void TestMainWindow::maximiseAndRestore() {
    MainWindow window;
    window.setStyleSheet(loadStyleSheet(":/system/qss/main.qss"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* maximiBar = window.findChild<QMenuBar*>("maximiBar");
    QAction* maxMin = window.action("maxMin");
    auto clickButton = [&] {
        QTest::mouseClick(maximiBar, Qt::LeftButton, {},
                          maximiBar->actionGeometry(maxMin).center());
    };

    clickButton();
    QTRY_VERIFY(window.isMaximized());
    for (const char* bar : {"menubar", "toolBar", "maximiBar", "exitBar", "statusbar"})
        QCOMPARE(window.findChild<QWidget*>(bar)->property("Window").toString(),
                 QString("Maximized"));
    QCOMPARE(window.contentsMargins(), QMargins(0, 0, 0, 0));

    clickButton();
    QTRY_VERIFY(!window.isMaximized());
    QCOMPARE(window.findChild<QWidget*>("menubar")->property("Window").toString(), QString("min"));
    QCOMPARE(window.contentsMargins(), QMargins(30, 30, 30, 30));
}

void TestMainWindow::messageBoxTitles_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addRow("information") << int(QMessageBox::Information) << "提示";
    QTest::addRow("warning") << int(QMessageBox::Warning) << "警告";
    QTest::addRow("critical") << int(QMessageBox::Critical) << "错误";
    QTest::addRow("question") << int(QMessageBox::Question) << "询问";
}

void TestMainWindow::messageBoxTitles() {
    QFETCH(int, icon);
    QFETCH(QString, title);
    MainWindow window;
    window.showMsg(static_cast<QMessageBox::Icon>(icon), "串口号不能为空!!");
    auto* box = window.findChild<QMessageBox*>("messageBox");
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), title);
    QCOMPARE(box->text(), QString("串口号不能为空!!"));
    QVERIFY(!box->isModal());
    QVERIFY(box->isVisible());
    box->close();
}

void TestMainWindow::startupMessageShownOnce() {
    ReadConfig::writeValue("debug", "iap", "升级完成，版本 0.03");
    {
        MainWindow window;
        QCOMPARE(window.debugLog()->toPlainText(), QString("升级完成，版本 0.03"));
        QVERIFY(!window.findChild<QDockWidget*>("debugDock")->isHidden());
    }
    QCOMPARE(ReadConfig::readValue("debug", "iap"), QString());
    MainWindow again;
    QCOMPARE(again.debugLog()->toPlainText(), QString());
}

void TestMainWindow::firstStartWritesDefaults() {
    TestWorkDir fresh(QByteArray(), false);
    QVERIFY(Startup::writeDefaultConfigIfMissing());
    QCOMPARE(ReadConfig::readIntMap("ZEK_ENCODER").value("bootAreaSize"), 12288);
    QCOMPARE(ReadConfig::readIntMap("ZEK_ENCODER").value("TargetInl"), 100);
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "BaudRate"), QString("115200"));
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "DevicesType"), QString("CALIBRATION"));
    QCOMPARE(ReadConfig::readStringArray("FileWorkEntityList", "recentPath").size(), 10);
    const QString path = ReadConfig::readValue("IapEntity", "firmwarePath");
    QVERIFY2(path.startsWith(QDir::homePath()) && path.endsWith("update.bin"), qPrintable(path));
    // An existing file is never overwritten.
    ReadConfig::writeValue("SerialPortEntity", "BaudRate", 9600);
    QVERIFY(!Startup::writeDefaultConfigIfMissing());
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "BaudRate"), QString("9600"));
}

void TestMainWindow::closeEditRemovesContentsTabs() {
    MainWindow window;
    QTabWidget* contents = window.contentsTabWidget();
    contents->addTab(new QWidget, "a");
    QPointer<CalibrationWork> view = new CalibrationWork;
    contents->addTab(view, "b");
    window.action("actionClose_Edit")->trigger();
    // Everything but the workspace, which has no close button either.
    QCOMPARE(contents->count(), 1);
    QCOMPARE(contents->widget(0), window.settingsWork());
    QVERIFY(!contents->tabBar()->tabButton(0, QTabBar::RightSide));
    emit contents->tabCloseRequested(0);
    QCOMPARE(contents->count(), 1);
    QTRY_VERIFY(view.isNull());  // a closed result view is freed
}

void TestMainWindow::resultFlagColoursArePainted() {
    MainWindow window;
    window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QProgressBar* bar = window.progressBar();
    window.setProgress(100);
    window.setProgress(true);
    QVERIFY(pixels::countNear(bar, pixels::kGreen, 20) > bar->width() * bar->height() / 2);
    QCOMPARE(pixels::countNear(bar, pixels::kRed, 20), 0);
    window.setProgress(100);
    window.setProgress(false);
    QVERIFY(pixels::countNear(bar, pixels::kRed, 20) > bar->width() * bar->height() / 2);
    QCOMPARE(pixels::countNear(bar, pixels::kGreen, 20), 0);
}

void TestMainWindow::windowStaysUsable() {
    MainWindow window;
    window.resize(600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.width() >= 900 && window.height() >= 640);
    window.resize(1280, 820);
    QTRY_COMPARE(window.height(), 820);
    // The log starts near a quarter of the window, not at 40 %.
    auto* dock = window.findChild<QDockWidget*>("debugDock");
    QVERIFY(dock && dock->isVisible());
    QTRY_VERIFY2(dock->height() < window.height() * 0.3,
                 qPrintable(QString::number(dock->height())));
    QVERIFY(dock->height() > window.height() * 0.15);
    QCOMPARE(window.findChild<QLabel*>("deviceLabel")->text(), QString("未连接"));
}

void TestMainWindow::navigationTreeFollowsNames() {
    LeftWidgetTab tab;
    tab.fill("校准", AreaPages::calibration());
    QTreeWidget* tree = tab.tree();
    QCOMPARE(tree->headerItem()->text(0), QString("校准"));
    // Each result group holds its data page: a heading alone would get no page.
    QCOMPARE(tree->topLevelItemCount(), 5);
    QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), QString("校准INL数据"));
    QCOMPARE(tree->topLevelItem(2)->childCount(), 4);
    QCOMPARE(tree->topLevelItem(2)->child(2)->data(0, Qt::UserRole + 1).toString(),
             QString("校准"));
    tab.setCurrentItem("第三次测试");
    QCOMPARE(tree->currentItem()->text(0), QString("第三次测试"));
    QVERIFY(tree->topLevelItem(2)->isExpanded());
    tab.setCurrentItem("没有这一页");
    QCOMPARE(tree->currentItem()->text(0), QString("第三次测试"));
}

void TestMainWindow::titleBarDragsTheWindow() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(100, 100);
    QTRY_COMPARE(window.pos(), QPoint(100, 100));
    QWidget* bar = window.findChild<QWidget*>("menubar");
    const QPointF local(bar->width() / 2.0, bar->height() / 2.0);
    const QPointF global = bar->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    const QPointF to = global + QPointF(40, 25);
    QMouseEvent move(QEvent::MouseMove, bar->mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, bar->mapFromGlobal(to), to, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
    QTRY_COMPARE(window.pos(), QPoint(140, 125));
}

void TestMainWindow::shadowToggleNeverStopsWindowPainting() {
    MainWindow window;
    // Resizing, dock and tab changes switch the shadows off and on; the top-level window must
    // keep painting throughout, or X shows it black until something else repaints it.
    window.shutdownShadow();
    QVERIFY(window.updatesEnabled());
    QVERIFY(!window.centralWidget()->updatesEnabled());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.centralWidget()->updatesEnabled());  // the shadow comes back on its timer
    window.resize(1100, 760);
    QVERIFY(window.updatesEnabled());
    QTRY_VERIFY(window.centralWidget()->updatesEnabled());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
