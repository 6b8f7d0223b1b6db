// The operator's permission level, kept in group PermissionController.
#pragma once

#include <atomic>

#include <QObject>

#include "enumkeys.h"

class PermissionController : public QObject {
    Q_OBJECT
public:
    enum PermissionEnum { ADMINISTRATOR = 0, DEBUGPERSON = 1, USER = 2 };
    Q_ENUM(PermissionEnum)
    QUELBRIN_ENUM_KEYS(PermissionEnum)

    static PermissionController* instance();

    int getPermission() const { return permission.load(); }
    void setPermission(int value) { permission.store(value); }
    QString currentKey() const { return valueToKey(getPermission()); }

    void load();
    void save() const;

private:
    PermissionController();
    std::atomic<int> permission{ADMINISTRATOR};
};
