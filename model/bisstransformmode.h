// Link modes of the BiSS master and of its slave.
#pragma once

#include <atomic>

#include <QObject>

#include "enumkeys.h"

class BissTransformMode : public QObject {
    Q_OBJECT
public:
    enum BissTransformModeEnum { RS485 = 0, BISS_C = 1 };
    Q_ENUM(BissTransformModeEnum)
    QUELBRIN_ENUM_KEYS(BissTransformModeEnum)

    static BissTransformMode* instance();

    int getMasterMode() const { return masterMode.load(); }
    void setMasterMode(int v) { masterMode.store(v); }
    int getSlaveMode() const { return slaveMode.load(); }
    void setSlaveMode(int v) { slaveMode.store(v); }

private:
    BissTransformMode();
    std::atomic<int> masterMode{RS485};
    std::atomic<int> slaveMode{RS485};
};
