#include "workspacesetdialog.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>

#include "baidutranslate.h"
#include "configwritecheck.h"
#include "permissioncontroller.h"
#include "permissionpolicy.h"
#include "readconfig.h"

namespace {
const QLatin1String kHashPrefix("sha256:");
}

WorkSpaceSetDialog::WorkSpaceSetDialog(QWidget* parent)
    : QDialog(parent),
      permissionBox(new QComboBox(this)),
      passwordEdit(new QLineEdit(this)),
      cancel(new QPushButton(translated("取消"), this)),
      confirm(new QPushButton(translated("确认"), this)),
      readConfig(new ReadConfig(this)),
      policy(PermissionPolicy::load()) {
    setObjectName(QStringLiteral("WorkSpaceSetDialog"));
    setWindowTitle(translated("权限设置"));
    setFont(QFont(QStringLiteral("Calibri Light")));
    permissionBox->setObjectName(QStringLiteral("permissionBox"));
    // Index = PermissionEnum value: ADMINISTRATOR, DEBUGPERSON, USER.
    permissionBox->addItems({translated("管理员"), translated("调试员"), translated("用户")});
    permissionBox->setCurrentIndex(PermissionController::instance()->getPermission());
    passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    passwordEdit->setEchoMode(QLineEdit::Password);
    passwordEdit->setPlaceholderText(translated("请输入密码"));
    cancel->setObjectName(QStringLiteral("cancel"));
    confirm->setObjectName(QStringLiteral("confirm"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(translated("选择权限:"), this), 0, 0);
    grid->addWidget(permissionBox, 0, 1);
    grid->addWidget(new QLabel(translated("密码:"), this), 1, 0);
    grid->addWidget(passwordEdit, 1, 1);
    grid->addWidget(cancel, 2, 0);
    grid->addWidget(confirm, 2, 1);
    connect(cancel, &QPushButton::clicked, this, &WorkSpaceSetDialog::on_cancel_clicked);
    connect(confirm, &QPushButton::clicked, this, &WorkSpaceSetDialog::on_confirm_clicked);
    // A policy of the system caps the permission: the levels above its highest are shown but
    // cannot be chosen, and a line says why.
    if (policy.applies) {
        auto* items = qobject_cast<QStandardItemModel*>(permissionBox->model());
        for (int level = PermissionController::ADMINISTRATOR; level < policy.highest; ++level)
            if (items && items->item(level))
                items->item(level)->setEnabled(false);
        auto* note = new QLabel(translated("权限由系统策略限定：") + PermissionPolicy::path +
                                    QLatin1Char('\n') + translated("最高权限：") +
                                    permissionBox->itemText(policy.highest),
                                this);
        note->setObjectName(QStringLiteral("policyNote"));
        note->setWordWrap(true);
        grid->addWidget(note, 3, 0, 1, 2);
    }
    passwordEdit->setFocus();
}

bool WorkSpaceSetDialog::passwordMatches(const QString& stored, const QString& typed) {
    if (stored.startsWith(kHashPrefix)) {
        const QByteArray digest =
            QCryptographicHash::hash(typed.toUtf8(), QCryptographicHash::Sha256).toHex();
        return QString::fromLatin1(digest) == stored.mid(kHashPrefix.size()).trimmed().toLower();
    }
    return stored == typed;
}

void WorkSpaceSetDialog::on_cancel_clicked() {
    close();
}

void WorkSpaceSetDialog::on_confirm_clicked() {
    const QString stored =
        policy.applies && !policy.password.isEmpty()
            ? policy.password
            : readConfig->readValue(QStringLiteral("admin"), QStringLiteral("password"));
    if (!passwordMatches(stored, passwordEdit->text())) {
        emit showMsg(QMessageBox::Warning, translated("密码错误"));
        close();
        return;
    }
    if (policy.allowed(permissionBox->currentIndex()) != permissionBox->currentIndex()) {
        emit showMsg(QMessageBox::Warning, translated("系统策略不允许该权限"));
        close();
        return;
    }
    PermissionController* permission = PermissionController::instance();
    const int previous = permission->getPermission();
    const int chosen = permissionBox->currentIndex();
    permission->setPermission(chosen);
    permission->save();
    if (ReadConfig::readValue(QStringLiteral("PermissionController"), QStringLiteral("permission"))
            .trimmed() != QString::number(chosen)) {
        permission->setPermission(previous);
        emit showMsg(QMessageBox::Critical, configWriteFailedText());
        close();
        return;
    }
    close();
    QTimer::singleShot(resetDelayMs, this, &WorkSpaceSetDialog::reset);
}
