#include "connectflag.h"

ConnectFlag* ConnectFlag::instance() {
    static ConnectFlag* const holder = new ConnectFlag;
    return holder;
}

ConnectFlag::ConnectFlag() {
    qRegisterMetaType<ConnectFlag::ConnectFlagEnum>("ConnectFlag::ConnectFlagEnum");
}
