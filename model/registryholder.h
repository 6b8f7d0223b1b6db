// Base of the holders whose names and values come from a registry (built-ins merged with a
// configuration group) rather than from the meta-enumeration alone.
#pragma once

#include <QObject>

#include "enumregistry.h"

class RegistryHolder : public QObject {
    Q_OBJECT
public:
    QString valueToKey(int value) const { return registry.valueToKey(value); }
    int keyToValue(const QString& name) const { return registry.keyToValue(name); }
    bool containsValue(int value) const { return registry.containsValue(value); }
    QStringList keyList() const { return registry.keyList(); }
    QList<int> valueList() const { return registry.valueList(); }
    void reload() { registry.reload(); }

protected:
    RegistryHolder(const QString& group, const QMap<QString, int>& builtIns)
        : registry(group, builtIns) {}
    EnumRegistry registry;
};
