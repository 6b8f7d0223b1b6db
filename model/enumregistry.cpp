#include "enumregistry.h"

#include "readconfig.h"

EnumRegistry::EnumRegistry(const QString& group, const QMap<QString, int>& builtIns)
    : group(group), builtIns(builtIns) {
    reload();
}

void EnumRegistry::reload() {
    QMap<QString, int> merged = builtIns;
    const QMap<QString, int> stored = ReadConfig::readIntMap(group);
    for (auto it = stored.constBegin(); it != stored.constEnd(); ++it)
        merged.insert(it.key(), it.value());
    QWriteLocker locker(&lock);
    entries = merged;
}

void EnumRegistry::add(const QString& name, int value) {
    QMap<QString, int> snapshot;
    {
        QWriteLocker locker(&lock);
        entries.insert(name, value);
        snapshot = entries;
    }
    ReadConfig::writeIntMap(group, snapshot);
}

QString EnumRegistry::valueToKey(int value) const {
    QReadLocker locker(&lock);
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it)
        if (it.value() == value)
            return it.key();
    return QString();
}

int EnumRegistry::keyToValue(const QString& name) const {
    QReadLocker locker(&lock);
    return entries.value(name, 0);
}

bool EnumRegistry::containsValue(int value) const {
    QReadLocker locker(&lock);
    for (int v : entries)
        if (v == value)
            return true;
    return false;
}

QStringList EnumRegistry::keyList() const {
    QReadLocker locker(&lock);
    return entries.keys();
}

QList<int> EnumRegistry::valueList() const {
    QReadLocker locker(&lock);
    return entries.values();
}
