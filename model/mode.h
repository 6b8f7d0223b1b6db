// Firmware image kind (factory or upgrade); a registry over group ModeEnum.
#pragma once

#include <atomic>

#include "registryholder.h"

class Mode : public RegistryHolder {
    Q_OBJECT
public:
    enum ModeEnum { Factory_Firmware = 0, Upgrade_Firmware = 1 };
    Q_ENUM(ModeEnum)

    static Mode* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }
    void setValue(const QString& name) { value.store(keyToValue(name)); }
    QString currentKey() const { return valueToKey(getValue()); }

private:
    Mode();
    std::atomic<int> value{Factory_Firmware};
};
