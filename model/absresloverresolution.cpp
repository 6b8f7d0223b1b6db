#include "absresloverresolution.h"

AbsResloverResolution* AbsResloverResolution::instance() {
    static AbsResloverResolution* const holder = new AbsResloverResolution;
    return holder;
}

AbsResloverResolution::AbsResloverResolution() {
    qRegisterMetaType<AbsResloverResolution::AbsResloverResolutionEnum>(
        "AbsResloverResolution::AbsResloverResolutionEnum");
}
