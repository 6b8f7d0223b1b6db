#include "bissslaveregedit.h"

BissSlaveRegEdit* BissSlaveRegEdit::instance() {
    static BissSlaveRegEdit* const holder = new BissSlaveRegEdit;
    return holder;
}

BissSlaveRegEdit::BissSlaveRegEdit() {
    qRegisterMetaType<BissSlaveRegEdit::BissSlaverRegeditEnum>(
        "BissSlaveRegEdit::BissSlaverRegeditEnum");
}
