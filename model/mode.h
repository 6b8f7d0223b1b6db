// Firmware image kind (factory or upgrade); a registry over group ModeEnum.
#pragma once

#include <atomic>

#include <QObject>

#include "enumregistry.h"

class Mode : public QObject {
    Q_OBJECT
public:
    enum ModeEnum { Factory_Firmware = 0, Upgrade_Firmware = 1 };
    Q_ENUM(ModeEnum)

    static Mode* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }
    void setValue(const QString& name) { value.store(keyToValue(name)); }
    QString currentKey() const { return valueToKey(getValue()); }

    QString valueToKey(int v) const { return registry.valueToKey(v); }
    int keyToValue(const QString& name) const { return registry.keyToValue(name); }
    QStringList keyList() const { return registry.keyList(); }
    QList<int> valueList() const { return registry.valueList(); }
    void reload() { registry.reload(); }

private:
    Mode();
    EnumRegistry registry;
    std::atomic<int> value{Factory_Firmware};
};
