// Name/value conversions of a meta-enumeration, shared by every enumeration holder.
#pragma once

#include <QList>
#include <QMap>
#include <QMetaEnum>
#include <QString>
#include <QStringList>

template <typename E>
struct EnumKeys {
    static QMetaEnum meta() { return QMetaEnum::fromType<E>(); }

    static QString valueToKey(int value) {
        const char* key = meta().valueToKey(value);
        return key ? QString::fromLatin1(key) : QString();
    }

    // Exact, case-sensitive; QMetaEnum would also take "Class::KEY", which no stored file holds.
    static int keyToValue(const QString& key) {
        if (key.isEmpty() || key.contains(QLatin1Char(':')))
            return -1;
        bool ok = false;
        const int value = meta().keyToValue(key.toLatin1().constData(), &ok);
        return ok ? value : -1;
    }

    static QStringList keys() {
        QStringList list;
        const QMetaEnum m = meta();
        for (int i = 0; i < m.keyCount(); ++i) list.append(QString::fromLatin1(m.key(i)));
        return list;
    }

    static QList<int> values() {
        QList<int> list;
        const QMetaEnum m = meta();
        for (int i = 0; i < m.keyCount(); ++i) list.append(m.value(i));
        return list;
    }

    static QMap<QString, int> toMap() {
        QMap<QString, int> map;
        const QMetaEnum m = meta();
        for (int i = 0; i < m.keyCount(); ++i)
            map.insert(QString::fromLatin1(m.key(i)), m.value(i));
        return map;
    }
};

// The conversion operations every holder with key names offers, for its enumeration E.
#define QUELBRIN_ENUM_KEYS(E)                   \
    static QString valueToKey(int value) {      \
        return EnumKeys<E>::valueToKey(value);  \
    }                                           \
    static int keyToValue(const QString& key) { \
        return EnumKeys<E>::keyToValue(key);    \
    }                                           \
    static QStringList keyList() {              \
        return EnumKeys<E>::keys();             \
    }                                           \
    static QList<int> valueList() {             \
        return EnumKeys<E>::values();           \
    }
