#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <vector>

#include "baidutranslate.h"
#include "chineseconfig.h"
#include "devicesdialog.h"
#include "language.h"
#include "leftwidgettab.h"
#include "mainwindow.h"
#include "pageregistry.h"
#include "permissioncontroller.h"
#include "serialdialog.h"
#include "settingswork.h"
#include "testworkdir.h"
#include "themesetdialog.h"
#include "workspacesetdialog.h"

namespace {
QTreeWidgetItem* treeItem(MainWindow& window, int tab, const QString& name) {
    auto* left = qobject_cast<LeftWidgetTab*>(window.leftTabWidget()->widget(tab));
    const auto found = left->tree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void clickTree(MainWindow& window, int tab, const QString& name) {
    auto* left = qobject_cast<LeftWidgetTab*>(window.leftTabWidget()->widget(tab));
    QTreeWidgetItem* item = treeItem(window, tab, name);
    QVERIFY(item);
    emit left->tree()->itemClicked(item, 0);
}

QMessageBox* boxSaying(MainWindow& window, const QString& text) {
    for (QMessageBox* box : window.findChildren<QMessageBox*>())
        if (box->text() == text && box->isVisible())
            return box;
    return nullptr;
}

struct Launch {
    int count = 0;
    QString program;
    QStringList arguments;
    QString workingDirectory;
};
}  // namespace

class TestWorkspaceWiring : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void workspaceTabPerPermission_data();
    void workspaceTabPerPermission();
    void treeClickOfAnotherAreaMovesListAndTab();
    void treeFollowsTheList();
    void closedWorkspaceComesBackOnNavigation();
    void workspaceMessagesAndConnectRequest();
    void addedDeviceReachesTheWorkspace();
    void restartKeepsArgumentsAndFolder_data();
    void restartKeepsArgumentsAndFolder();
    void failedRestartKeepsRunning();
    void languageDialogOpensOffline();

private:
    std::unique_ptr<TestWorkDir> dir;
    Launch launch;
    bool launchResult = true;
};

void TestWorkspaceWiring::initTestCase() {
    MainWindow::restartLauncher = [this](const QString& program, const QStringList& arguments,
                                         const QString& workingDirectory) {
        ++launch.count;
        launch.program = program;
        launch.arguments = arguments;
        launch.workingDirectory = workingDirectory;
        return launchResult;
    };
}

void TestWorkspaceWiring::init() {
    dir = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    PageRegistry::clear();
    for (const char* name : {"IAP参数", "主机通信模式", "从机使能"})
        PageRegistry::registerPage(name, [name](SettingsWork*) {
            auto* page = new QLabel(QString::fromUtf8(name));
            page->setFixedHeight(300);
            return page;
        });
    launch = Launch();
    launchResult = true;
}

void TestWorkspaceWiring::cleanup() {
    PageRegistry::clear();
    dir.reset();
}

void TestWorkspaceWiring::workspaceTabPerPermission_data() {
    QTest::addColumn<int>("permission");
    QTest::addColumn<bool>("addDevices");
    QTest::addRow("ADMINISTRATOR") << int(PermissionController::ADMINISTRATOR) << true;
    QTest::addRow("DEBUGPERSON") << int(PermissionController::DEBUGPERSON) << false;
    QTest::addRow("USER") << int(PermissionController::USER) << false;
}

void TestWorkspaceWiring::workspaceTabPerPermission() {
    QFETCH(int, permission);
    QFETCH(bool, addDevices);
    PermissionController::instance()->setPermission(permission);
    MainWindow window;
    SettingsWork* work = window.settingsWork();
    QVERIFY(work);
    QCOMPARE(window.contentsTabWidget()->count(), 1);
    QCOMPARE(window.contentsTabWidget()->tabText(0), QString("工作区"));
    QCOMPARE(window.contentsTabWidget()->widget(0), work);
    QCOMPARE(work->areaNames(), window.leftTabNames());
    QCOMPARE(window.action("addDevices")->isEnabled(), addDevices);
    QVERIFY(window.action("actionWorkSpace_Settings")->isEnabled());
    QVERIFY(window.action("actionTheme_Settings")->isEnabled());
}

void TestWorkspaceWiring::treeClickOfAnotherAreaMovesListAndTab() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SettingsWork* work = window.settingsWork();
    QCOMPARE(window.leftTabWidget()->currentIndex(), 0);
    clickTree(window, 3, "从机使能");
    const int row = work->rowOf("BiSS调试", "从机使能");
    QVERIFY(row > 0);
    QCOMPARE(work->pageList()->currentRow(), row);
    QCOMPARE(window.leftTabWidget()->currentIndex(), 3);
    // The page is in view, and the view stays inside the BiSS area.
    QVERIFY(work->pageList()
                ->visualItemRect(work->pageList()->item(row))
                .intersects(work->pageList()->viewport()->rect()));
    QVERIFY(work->pageList()->verticalScrollBar()->value() >= work->rowOf("BiSS调试", "BiSS调试"));

    clickTree(window, 2, "IAP参数");
    QCOMPARE(work->pageList()->currentRow(), work->rowOf("IAP升级", "IAP参数"));
    QCOMPARE(window.leftTabWidget()->currentIndex(), 2);
}

void TestWorkspaceWiring::treeFollowsTheList() {
    MainWindow window;
    SettingsWork* work = window.settingsWork();
    work->pageList()->setCurrentRow(work->rowOf("BiSS调试", "主机通信模式"));
    QCOMPARE(window.leftTabWidget()->currentIndex(), 3);
    auto* biss = qobject_cast<LeftWidgetTab*>(window.leftTabWidget()->widget(3));
    QCOMPARE(biss->tree()->currentItem()->text(0), QString("主机通信模式"));

    work->pageList()->setCurrentRow(work->rowOf("IAP升级", "IAP参数"));
    QCOMPARE(window.leftTabWidget()->currentIndex(), 2);
    auto* iap = qobject_cast<LeftWidgetTab*>(window.leftTabWidget()->widget(2));
    QCOMPARE(iap->tree()->currentItem()->text(0), QString("IAP参数"));
    // A tree without that name keeps its selection.
    QCOMPARE(biss->tree()->currentItem()->text(0), QString("主机通信模式"));
}

void TestWorkspaceWiring::closedWorkspaceComesBackOnNavigation() {
    MainWindow window;
    // Tabs cannot close it any more; a tab widget that lost it all the same gets it back.
    window.contentsTabWidget()->removeTab(0);
    QCOMPARE(window.contentsTabWidget()->count(), 0);
    clickTree(window, 0, "参数设置");
    QCOMPARE(window.contentsTabWidget()->count(), 1);
    QCOMPARE(window.contentsTabWidget()->tabText(0), QString("工作区"));
    QCOMPARE(window.contentsTabWidget()->currentWidget(), window.settingsWork());
    clickTree(window, 0, "测试");  // present already: not added twice
    QCOMPARE(window.contentsTabWidget()->count(), 1);
}

void TestWorkspaceWiring::workspaceMessagesAndConnectRequest() {
    MainWindow window;
    emit window.settingsWork()->showMsg(QMessageBox::Warning, "请先连接设备");
    QMessageBox* box = boxSaying(window, "请先连接设备");
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), QString("警告"));
    box->close();

    QVERIFY(!window.serialDialog());
    emit window.settingsWork()->devicesNotConnect();
    QVERIFY(window.serialDialog());
    QVERIFY(window.serialDialog()->isVisible());
    window.serialDialog()->close();
}

void TestWorkspaceWiring::addedDeviceReachesTheWorkspace() {
    MainWindow window;
    QSignalSpy update(window.settingsWork(), &SettingsWork::devicesTypeUpdate);
    window.action("addDevices")->trigger();
    auto* dialog = window.findChild<DevicesDialog*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isModal());
    dialog->findChild<QLineEdit*>("devicesName")->setText("ABC");
    dialog->on_add_clicked();
    QVERIFY(boxSaying(window, "设备名称长度必须为11位字符"));
    QCOMPARE(update.count(), 0);
    emit dialog->review();
    QCOMPARE(update.count(), 1);
}

void TestWorkspaceWiring::restartKeepsArgumentsAndFolder_data() {
    QTest::addColumn<QString>("action");
    QTest::addRow("language") << "actionTheme_Settings";
    QTest::addRow("permission") << "actionWorkSpace_Settings";
}

void TestWorkspaceWiring::restartKeepsArgumentsAndFolder() {
    QFETCH(QString, action);
    // The language dialog's probe goes to a closed port on this machine: nothing leaves the
    // test.
    dir->writeConfig(chineseConfig() + "[BaiduTranslate]\nurl=http://127.0.0.1:1/\n");
    MainWindow window;
    window.action(action)->trigger();
    if (auto* theme = window.findChild<ThemeSetDialog*>()) {
        QVERIFY(theme->isVisible());
        theme->resetDelayMs = 0;
        auto* box = theme->findChild<QComboBox*>("languageBox");
        box->setCurrentIndex(box->findData(int(Language::zh)));
        theme->on_sure_clicked();
    } else {
        auto* permission = window.findChild<WorkSpaceSetDialog*>();
        QVERIFY(permission);
        QVERIFY(permission->isVisible());
        permission->resetDelayMs = 0;
        permission->on_confirm_clicked();  // no admin group: the empty password is right
    }
    QTRY_COMPARE(launch.count, 1);
    QCOMPARE(launch.program, QCoreApplication::applicationFilePath());
    QVERIFY(launch.arguments.contains("--simulate"));
    QCOMPARE(launch.arguments, QCoreApplication::arguments().mid(1));
    QCOMPARE(launch.workingDirectory, QDir::currentPath());
}

void TestWorkspaceWiring::failedRestartKeepsRunning() {
    launchResult = false;
    MainWindow window;
    window.restartApplication();
    QCOMPARE(launch.count, 1);
    QVERIFY(boxSaying(window, "程序重启失败，请手动重新启动"));
}

void TestWorkspaceWiring::languageDialogOpensOffline() {
    // A closed port on this machine: the service cannot be reached.
    dir->writeConfig(chineseConfig() + "[BaiduTranslate]\nurl=http://127.0.0.1:1/\n");
    MainWindow window;
    window.action("actionTheme_Settings")->trigger();
    auto* dialog = window.findChild<ThemeSetDialog*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    auto* box = dialog->findChild<QComboBox*>("languageBox");
    QCOMPARE(box->currentText(), QString("中文"));
    QVERIFY(box->findText("English") >= 0);
    QVERIFY(!window.findChild<QMessageBox*>());
}

// The restart must hand the program's own arguments on: give it one to hand on.
int main(int argc, char* argv[]) {
    std::vector<char*> arguments(argv, argv + argc);
    char simulate[] = "--simulate";
    arguments.push_back(simulate);
    int count = int(arguments.size());
    QApplication app(count, arguments.data());
    TestWorkspaceWiring test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_workspacewiring.moc"
