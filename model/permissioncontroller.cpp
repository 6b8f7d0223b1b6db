#include "permissioncontroller.h"

#include "permissionpolicy.h"
#include "readconfig.h"

namespace {
const QString kGroup = QStringLiteral("PermissionController");
const QString kKey = QStringLiteral("permission");
}  // namespace

PermissionController* PermissionController::instance() {
    static PermissionController* const holder = new PermissionController;
    return holder;
}

PermissionController::PermissionController() {
    qRegisterMetaType<PermissionController::PermissionEnum>("PermissionController::PermissionEnum");
    load();
}

void PermissionController::load() {
    // A missing or non-numeric entry reads as 0, ADMINISTRATOR.
    bool ok = false;
    const int value = ReadConfig::readValue(kGroup, kKey).trimmed().toInt(&ok, 10);
    // The system's policy, when there is one, caps what the user's config.ini says.
    permission.store(PermissionPolicy::load().allowed(ok ? value : ADMINISTRATOR));
}

void PermissionController::save() const {
    ReadConfig::writeValue(kGroup, kKey, QString::number(getPermission()));
}
