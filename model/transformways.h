// YMODEM packet size.
#pragma once

#include <atomic>

#include <QObject>

#include "enumkeys.h"

class TransformWays : public QObject {
    Q_OBJECT
public:
    enum TransformWaysEnum { Ymodem_128 = 128, Ymodem_1K = 1024 };
    Q_ENUM(TransformWaysEnum)
    QUELBRIN_ENUM_KEYS(TransformWaysEnum)

    static TransformWays* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }
    bool setValue(const QString& name);
    QString currentKey() const { return valueToKey(getValue()); }

private:
    TransformWays();
    std::atomic<int> value{Ymodem_128};
};
