// Encoder axis, whose value is the axis byte of the handshake; a registry over group EncoderCaxis.
#pragma once

#include <atomic>

#include "registryholder.h"

class EncoderCaxis : public RegistryHolder {
    Q_OBJECT
public:
    enum EncoderCaxisEnum { First_Caxis = 0, Sencond_Caxis = 1 };
    Q_ENUM(EncoderCaxisEnum)

    static EncoderCaxis* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }
    void setValue(const QString& name) { value.store(keyToValue(name)); }
    QString currentKey() const { return valueToKey(getValue()); }

private:
    EncoderCaxis();
    std::atomic<int> value{First_Caxis};
};
