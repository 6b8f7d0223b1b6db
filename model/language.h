// Target language of message translation (the service's language codes), kept in group Language.
#pragma once

#include <atomic>

#include <QObject>

#include "enumkeys.h"

class Language : public QObject {
    Q_OBJECT
public:
    enum LanguageType { en = 0, zh = 1, yue = 2, jp = 3, de = 4 };
    Q_ENUM(LanguageType)
    QUELBRIN_ENUM_KEYS(LanguageType)

    static Language* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }
    QString currentKey() const { return valueToKey(getValue()); }

    void load();
    void save() const;

private:
    Language();
    std::atomic<int> value{en};
};
