#include "devicesstatus.h"

DevicesStatus* DevicesStatus::instance() {
    static DevicesStatus* const holder = new DevicesStatus;
    return holder;
}

DevicesStatus::DevicesStatus() {
    qRegisterMetaType<DevicesStatus::DevicesStatusEnum>("DevicesStatus::DevicesStatusEnum");
}
