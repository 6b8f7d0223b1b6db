#include "encodercaxis.h"

#include "enumkeys.h"

EncoderCaxis* EncoderCaxis::instance() {
    static EncoderCaxis* const holder = new EncoderCaxis;
    return holder;
}

EncoderCaxis::EncoderCaxis()
    : RegistryHolder(QStringLiteral("EncoderCaxis"), EnumKeys<EncoderCaxisEnum>::toMap()) {
    qRegisterMetaType<EncoderCaxis::EncoderCaxisEnum>("EncoderCaxis::EncoderCaxisEnum");
}
