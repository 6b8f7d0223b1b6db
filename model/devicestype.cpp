#include "devicestype.h"

#include "enumkeys.h"

DevicesType* DevicesType::instance() {
    static DevicesType* const holder = new DevicesType;
    return holder;
}

DevicesType::DevicesType()
    : RegistryHolder(QStringLiteral("DevicesTypeEnum"), EnumKeys<DevicesTypeEnum>::toMap()) {
    qRegisterMetaType<DevicesType::DevicesTypeEnum>("DevicesType::DevicesTypeEnum");
}
