#include "mode.h"

#include "enumkeys.h"

Mode* Mode::instance() {
    static Mode* const holder = new Mode;
    return holder;
}

Mode::Mode() : RegistryHolder(QStringLiteral("ModeEnum"), EnumKeys<ModeEnum>::toMap()) {
    qRegisterMetaType<Mode::ModeEnum>("Mode::ModeEnum");
}
