// A name-to-value table that starts from built-in entries and merges a configuration group.
#pragma once

#include <QMap>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>

class EnumRegistry {
public:
    EnumRegistry(const QString& group, const QMap<QString, int>& builtIns);

    // Re-reads the built-ins and the configuration group.
    void reload();
    // Inserts (or replaces) an entry and writes the whole table to the group.
    void add(const QString& name, int value);

    QString valueToKey(int value) const;        // first name in name order; empty if none
    int keyToValue(const QString& name) const;  // 0 for an unknown name
    bool containsValue(int value) const;
    QStringList keyList() const;   // sorted by name
    QList<int> valueList() const;  // in the order of keyList

private:
    QString group;
    QMap<QString, int> builtIns;
    QMap<QString, int> entries;
    mutable QReadWriteLock lock;
};
