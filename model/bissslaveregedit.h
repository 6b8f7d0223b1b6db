// Register addresses of a BiSS slave; the FENOXA_ ones replace the plain ones on FENOXA_BISS.
#pragma once

#include <QObject>

#include "enumkeys.h"

class BissSlaveRegEdit : public QObject {
    Q_OBJECT
public:
    enum BissSlaverRegeditEnum {
        BANK_ADDR = 0,
        ZERO0_ADDR = 1,
        ZERO1_ADDR = 2,
        ZERO2_ADDR = 3,
        ZERO3_ADDR = 4,
        COMMAND_ADDR = 5,
        FENOXA_COMMAND_ADDR = 0x4A,
        ERROR_ADDR = 6,
        FENOXA_ERROR_ADDR = 0x48,
        WARRING_ADDR = 7,
        FENOXA_WARRING_ADDR = 0x49,
        MULTI_NUM_ADDR = 8,
        SIGNAL_NUM_ADDR = 9,
        TRANSFORM_MODE_ADDR = 10,
        BISS_ID_ADDR = 11,
        RESOLUTION_ADDR = 12,
        POLE_PAIRS_ADDR = 13,
        HALL_ENABLE_ADDR = 14,
        SPEED_OVER_ADDR = 15,
        LOT_OVER_ADDR = 16,
        PHASE_OVER_ADDR = 17
    };
    Q_ENUM(BissSlaverRegeditEnum)
    QUELBRIN_ENUM_KEYS(BissSlaverRegeditEnum)

    static BissSlaveRegEdit* instance();

private:
    BissSlaveRegEdit();
};
