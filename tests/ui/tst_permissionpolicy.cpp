// The system's permission policy: its password and highest permission win over config.ini, and
// a policy file that a user could have written is ignored with a warning.
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include "chineseconfig.h"
#include "permissioncontroller.h"
#include "permissionpolicy.h"
#include "testworkdir.h"
#include "workspacesetdialog.h"

namespace {
QByteArray sha256Of(const QByteArray& password) {
    return "sha256:" + QCryptographicHash::hash(password, QCryptographicHash::Sha256).toHex();
}

// The user's own configuration: administrator, with a password the user chose.
QByteArray userConfig(int permission = 0) {
    return chineseConfig() +
           "[PermissionController]\npermission=" + QByteArray::number(permission) +
           "\n[admin]\npassword=mine\n";
}

const uid_t kNobody = 65534;
}  // namespace

class TestPermissionPolicy : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void untrustedFileIsIgnored_data();
    void untrustedFileIsIgnored();
    void passwordOfThePolicy_data();
    void passwordOfThePolicy();
    void highestPermissionIsEnforced();
    void malformedPasswordAcceptsNothing();
    void noPolicyLeavesTheDialogAsItWas();

private:
    // Writes the policy as root would: owned by root, writable by root only.
    void writePolicy(const QByteArray& content, mode_t mode = 0644, uid_t owner = 0);
    std::unique_ptr<TestWorkDir> work;
};

void TestPermissionPolicy::init() {
    if (geteuid() != 0)
        QSKIP("a policy owned by root, or by another user, can only be made by root");
    work = std::make_unique<TestWorkDir>(userConfig());
    PermissionPolicy::path = work->filePath("etc/policy.ini");
}

void TestPermissionPolicy::cleanup() {
    PermissionPolicy::path = QStringLiteral("/etc/quelbrin/policy.ini");
    work.reset();
    PermissionController::instance()->load();
}

void TestPermissionPolicy::writePolicy(const QByteArray& content, mode_t mode, uid_t owner) {
    QDir().mkpath(work->filePath("etc"));
    QFile file(PermissionPolicy::path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    const QByteArray path = PermissionPolicy::path.toLocal8Bit();
    QCOMPARE(::chown(path.constData(), owner, 0), 0);
    QCOMPARE(::chmod(path.constData(), mode), 0);
}

void TestPermissionPolicy::untrustedFileIsIgnored_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("owner");
    QTest::addColumn<QString>("warning");
    QTest::addRow("owned by another user") << 0644 << int(kNobody) << "not owned by root";
    QTest::addRow("writable by others") << 0646 << 0 << "users other than root may write it";
    // -1: the file is root's, but its folder is open to everyone.
    QTest::addRow("in a folder others may write")
        << 0644 << -1 << "users other than root may write its folder";
}

void TestPermissionPolicy::untrustedFileIsIgnored() {
    QFETCH(int, mode);
    QFETCH(int, owner);
    QFETCH(QString, warning);
    writePolicy("[policy]\npassword=" + sha256Of("site") + "\nhighest=USER\n", mode_t(mode),
                uid_t(owner < 0 ? 0 : owner));
    if (owner < 0)
        QCOMPARE(::chmod(work->filePath("etc").toLocal8Bit().constData(), 0777), 0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    const PermissionPolicy policy = PermissionPolicy::load();
    QVERIFY(!policy.applies);
    QVERIFY(policy.warning.contains(PermissionPolicy::path));
    // The user's own settings stand: administrator, and the user's password opens the dialog.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    PermissionController::instance()->load();
    QCOMPARE(PermissionController::instance()->getPermission(),
             int(PermissionController::ADMINISTRATOR));
}

void TestPermissionPolicy::passwordOfThePolicy_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addRow("the policy's password") << "site-2026" << true;
    QTest::addRow("the user's password from config.ini") << "mine" << false;
    QTest::addRow("the policy's digest typed")
        << QString::fromLatin1(sha256Of("site-2026")) << false;
    QTest::addRow("empty") << "" << false;
}

void TestPermissionPolicy::passwordOfThePolicy() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    writePolicy("[policy]\npassword=" + sha256Of("site-2026") + "\n");
    work->writeConfig(userConfig(int(PermissionController::USER)));
    PermissionController::instance()->load();
    WorkSpaceSetDialog dialog;
    dialog.resetDelayMs = 0;
    dialog.show();
    QVERIFY(dialog.findChild<QLabel*>("policyNote"));
    dialog.findChild<QComboBox*>("permissionBox")->setCurrentIndex(1);
    dialog.findChild<QLineEdit*>("passwordEdit")->setText(typed);
    QSignalSpy msgs(&dialog, &WorkSpaceSetDialog::showMsg);
    QSignalSpy reset(&dialog, &WorkSpaceSetDialog::reset);
    QTest::mouseClick(dialog.findChild<QPushButton*>("confirm"), Qt::LeftButton);
    PermissionController::instance()->load();
    if (accepted) {
        QVERIFY(reset.wait(1000));
        QCOMPARE(msgs.count(), 0);
        QCOMPARE(PermissionController::instance()->getPermission(),
                 int(PermissionController::DEBUGPERSON));
    } else {
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.at(0).at(1).toString(), QString("密码错误"));
        QCOMPARE(PermissionController::instance()->getPermission(),
                 int(PermissionController::USER));
    }
}

void TestPermissionPolicy::highestPermissionIsEnforced() {
    writePolicy("[policy]\npassword=" + sha256Of("site") + "\nhighest=DEBUGPERSON\n");
    // config.ini says administrator (a user may edit it so): the policy caps it.
    PermissionController::instance()->load();
    QCOMPARE(PermissionController::instance()->getPermission(),
             int(PermissionController::DEBUGPERSON));

    WorkSpaceSetDialog dialog;
    dialog.resetDelayMs = 0;
    dialog.show();
    auto* box = dialog.findChild<QComboBox*>("permissionBox");
    QCOMPARE(box->currentIndex(), int(PermissionController::DEBUGPERSON));
    auto* items = qobject_cast<QStandardItemModel*>(box->model());
    QVERIFY(items);
    QVERIFY(!items->item(PermissionController::ADMINISTRATOR)->isEnabled());
    QVERIFY(items->item(PermissionController::USER)->isEnabled());
    QVERIFY(dialog.findChild<QLabel*>("policyNote")->text().contains(PermissionPolicy::path));

    // Chosen anyway (by code, or a keyboard that skips the disabled state): refused.
    box->setCurrentIndex(PermissionController::ADMINISTRATOR);
    dialog.findChild<QLineEdit*>("passwordEdit")->setText("site");
    QSignalSpy msgs(&dialog, &WorkSpaceSetDialog::showMsg);
    QSignalSpy reset(&dialog, &WorkSpaceSetDialog::reset);
    QTest::mouseClick(dialog.findChild<QPushButton*>("confirm"), Qt::LeftButton);
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.at(0).at(1).toString(), QString("系统策略不允许该权限"));
    QVERIFY(!reset.wait(20));
    QVERIFY(work->readConfig().contains("permission=0"));
}

void TestPermissionPolicy::malformedPasswordAcceptsNothing() {
    // A plain-text password in a file every user can read is refused, and the lock holds.
    writePolicy("[policy]\npassword=site\n");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("password is not sha256"));
    WorkSpaceSetDialog dialog;
    dialog.resetDelayMs = 0;
    for (const char* typed : {"site", "mine", ""}) {
        dialog.findChild<QLineEdit*>("passwordEdit")->setText(QString::fromUtf8(typed));
        QSignalSpy msgs(&dialog, &WorkSpaceSetDialog::showMsg);
        dialog.on_confirm_clicked();
        QCOMPARE(msgs.count(), 1);
        QCOMPARE(msgs.at(0).at(1).toString(), QString("密码错误"));
    }
}

void TestPermissionPolicy::noPolicyLeavesTheDialogAsItWas() {
    WorkSpaceSetDialog dialog;
    QVERIFY(!dialog.findChild<QLabel*>("policyNote"));
    QVERIFY(!PermissionPolicy::load().applies);
}

QTEST_MAIN(TestPermissionPolicy)
#include "tst_permissionpolicy.moc"
