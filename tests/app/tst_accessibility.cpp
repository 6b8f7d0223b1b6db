// The workspace as assistive tools see it: from the main window down to the pages' buttons,
// result fields and indicators, by role and name, and a button pressed through its action.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMessageBox>
#include <QSignalSpy>
#include <QtTest>

#include "chineseconfig.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "language.h"
#include "mainwindow.h"
#include "permissioncontroller.h"
#include "settingswork.h"
#include "testworkdir.h"

namespace {
// Depth-first through the accessible children, as a screen reader's tree walk does.
QAccessibleInterface* find(QAccessibleInterface* from, QAccessible::Role role, const QString& name,
                           int depth = 0) {
    if (!from || depth > 40)
        return nullptr;
    if (from->role() == role && from->text(QAccessible::Name) == name)
        return from;
    for (int i = 0; i < from->childCount(); ++i)
        if (QAccessibleInterface* hit = find(from->child(i), role, name, depth + 1))
            return hit;
    return nullptr;
}

int countUnnamedLeaves(QAccessibleInterface* from, QAccessible::Role role) {
    int count = 0;
    for (int i = 0; i < from->childCount(); ++i) {
        QAccessibleInterface* c = from->child(i);
        if (c->role() == role && c->text(QAccessible::Name).isEmpty() && c->childCount() == 0)
            ++count;
    }
    return count;
}
}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void workspaceReachableByRoleAndName_data();
    void workspaceReachableByRoleAndName();
    void runButtonPressedThroughItsAction();

private:
    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<MainWindow> window;
};

void TestAccessibility::init() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestAccessibility::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w))
            w->close();
    window.reset();
    work.reset();
}

void TestAccessibility::workspaceReachableByRoleAndName_data() {
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addRow("calibration run button") << int(QAccessible::Button) << "校准";
    QTest::addRow("calibration result field") << int(QAccessible::EditableText) << "校准后INL:";
    QTest::addRow("test result field") << int(QAccessible::EditableText) << "测试后INL:";
    QTest::addRow("rig resolution input") << int(QAccessible::EditableText) << "分辨率：";
    QTest::addRow("BiSS communication error indicator")
        << int(QAccessible::CheckBox) << "CRC校验错误";
    QTest::addRow("BiSS slave error indicator") << int(QAccessible::CheckBox) << "多圈错误";
    QTest::addRow("BiSS voltage field") << int(QAccessible::EditableText) << "电压:";
    QTest::addRow("BiSS continuous acquisition") << int(QAccessible::CheckBox) << "连续获取";
    QTest::addRow("the status bar's log button") << int(QAccessible::Button) << "调试信息";
}

void TestAccessibility::workspaceReachableByRoleAndName() {
    QFETCH(int, role);
    QFETCH(QString, name);
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window.get());
    QVERIFY(root);
    QAccessibleInterface* found = find(root, QAccessible::Role(role), name);
    QVERIFY2(found, qPrintable(name));
    // The page list's children are its pages, named, not bare items.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
        window->settingsWork()->findChild<QObject*>("settingsList"));
    QVERIFY(list->childCount() > 20);
    QCOMPARE(countUnnamedLeaves(list, QAccessible::ListItem), 0);
    QVERIFY(find(list, QAccessible::Client, QStringLiteral("从机反馈数据")) ||
            find(list, QAccessible::Pane, QStringLiteral("从机反馈数据")) ||
            find(list, QAccessible::Grouping, QStringLiteral("从机反馈数据")));
}

void TestAccessibility::runButtonPressedThroughItsAction() {
    // A connected rig, so the button's press starts a calibration.
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    DevicesStatus::instance()->setValue(DevicesStatus::NORMAL);
    QSignalSpy started(window->settingsWork(), &SettingsWork::setCalibrationArgments);
    QSignalSpy refused(window->settingsWork(), &SettingsWork::showMsg);
    QAccessibleInterface* button = find(QAccessible::queryAccessibleInterface(window.get()),
                                        QAccessible::Button, QStringLiteral("校准"));
    QVERIFY(button);
    QAccessibleActionInterface* action = button->actionInterface();
    QVERIFY(action);
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    // The press ran the start procedure: it either started (parameters stored) or told why not.
    QTRY_VERIFY(started.size() + refused.size() == 1);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
