// Device types by their identity byte: built-ins merged with the group DevicesTypeEnum.
#pragma once

#include <atomic>

#include "registryholder.h"

class DevicesType : public RegistryHolder {
    Q_OBJECT
public:
    enum DevicesTypeEnum {
        CALIBRATION = 249,
        ZEK_ENCODER = 250,
        ZEK_MT6826S = 251,
        ZEK_MT6835G = 252,
        BiSS_Master = 191,
        ZEK_MT_BISS = 188,
        ABSRESLOVER = 221,
        FENOXA_BISS = 185
    };
    Q_ENUM(DevicesTypeEnum)

    static DevicesType* instance();

    int getConnectedType() const { return connectedType.load(); }
    void setConnectedType(int value) { connectedType.store(value); }
    void setConnectedType(const QString& name) { connectedType.store(keyToValue(name)); }
    QString connectedKey() const { return valueToKey(getConnectedType()); }

    int getSlaveType() const { return slaveType.load(); }
    void setSlaveType(int value) { slaveType.store(value); }
    void setSlaveType(const QString& name) { slaveType.store(keyToValue(name)); }
    QString slaveKey() const { return valueToKey(getSlaveType()); }

    void addDevicesType(const QString& name, int value) { registry.add(name, value); }

private:
    DevicesType();
    std::atomic<int> connectedType{ZEK_ENCODER};
    std::atomic<int> slaveType{ZEK_ENCODER};
};
