// Boot loader or normal firmware, as the device's status reply said.
#pragma once

#include <atomic>

#include <QObject>

#include "enumkeys.h"

class DevicesStatus : public QObject {
    Q_OBJECT
public:
    enum DevicesStatusEnum { BOOT = 1, NORMAL = 2 };
    Q_ENUM(DevicesStatusEnum)
    QUELBRIN_ENUM_KEYS(DevicesStatusEnum)

    static DevicesStatus* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }
    QString currentKey() const { return valueToKey(getValue()); }

private:
    DevicesStatus();
    std::atomic<int> value{NORMAL};
};
