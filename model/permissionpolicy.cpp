#include "permissionpolicy.h"

#include <QDebug>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include "permissioncontroller.h"

QString PermissionPolicy::path = QStringLiteral("/etc/quelbrin/policy.ini");

namespace {
const QString kGroup = QStringLiteral("policy");
}

PermissionPolicy PermissionPolicy::load() {
    PermissionPolicy policy;
    const QFileInfo info(path);
    if (!info.exists())
        return policy;
    // A file a user may write is no lock at all: the user would simply edit it.
    if (info.ownerId() != 0) {
        policy.warning = QStringLiteral("%1 is ignored: it is not owned by root").arg(path);
    } else if (info.permissions() & QFileDevice::WriteOther ||
               (info.permissions() & QFileDevice::WriteGroup && info.groupId() != 0)) {
        policy.warning =
            QStringLiteral("%1 is ignored: users other than root may write it").arg(path);
    } else if (const QFileInfo folder(info.absolutePath());
               folder.ownerId() != 0 || folder.permissions() & QFileDevice::WriteOther ||
               (folder.permissions() & QFileDevice::WriteGroup && folder.groupId() != 0)) {
        // Whoever may write the folder may put another file in the policy's place.
        policy.warning =
            QStringLiteral("%1 is ignored: users other than root may write its folder").arg(path);
    } else if (!info.isReadable()) {
        policy.warning = QStringLiteral("%1 is ignored: it cannot be read").arg(path);
    }
    if (!policy.warning.isEmpty()) {
        qWarning().noquote() << policy.warning;
        return policy;
    }

    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    policy.applies = true;
    QStringList problems;
    const QString password = settings.value(QStringLiteral("password")).toString().trimmed();
    if (!password.isEmpty()) {
        static const QRegularExpression digest(QStringLiteral("^sha256:[0-9a-fA-F]{64}$"));
        // A password in plain text would be readable by every user: it is refused, and so is
        // every entry, rather than leaving the permission open.
        if (digest.match(password).hasMatch()) {
            policy.password = password.toLower();
        } else {
            problems << QStringLiteral(
                "password is not sha256: and 64 hex digits; no password "
                "is accepted");
            // A digest of no password: no typed text hashes to it.
            policy.password = QStringLiteral("sha256:-");
        }
    }
    const QString highest = settings.value(QStringLiteral("highest")).toString().trimmed();
    if (!highest.isEmpty()) {
        bool numeric = false;
        int value = highest.toInt(&numeric);
        if (!numeric)
            value = PermissionController::keyToValue(highest);
        if (value < PermissionController::ADMINISTRATOR || value > PermissionController::USER) {
            problems << QStringLiteral(
                            "highest '%1' is not ADMINISTRATOR, DEBUGPERSON or USER; "
                            "USER applies")
                            .arg(highest);
            value = PermissionController::USER;
        }
        policy.highest = value;
    }
    if (!problems.isEmpty()) {
        policy.warning = QStringLiteral("%1: %2").arg(path, problems.join(QStringLiteral("; ")));
        qWarning().noquote() << policy.warning;
    }
    return policy;
}
