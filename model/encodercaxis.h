// Encoder axis, whose value is the axis byte of the handshake; a registry over group EncoderCaxis.
#pragma once

#include <atomic>

#include <QObject>

#include "enumregistry.h"

class EncoderCaxis : public QObject {
    Q_OBJECT
public:
    enum EncoderCaxisEnum { First_Caxis = 0, Sencond_Caxis = 1 };
    Q_ENUM(EncoderCaxisEnum)

    static EncoderCaxis* instance();

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
    EncoderCaxis();
    EnumRegistry registry;
    std::atomic<int> value{First_Caxis};
};
