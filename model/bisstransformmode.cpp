#include "bisstransformmode.h"

BissTransformMode* BissTransformMode::instance() {
    static BissTransformMode* const holder = new BissTransformMode;
    return holder;
}

BissTransformMode::BissTransformMode() {
    qRegisterMetaType<BissTransformMode::BissTransformModeEnum>(
        "BissTransformMode::BissTransformModeEnum");
}
