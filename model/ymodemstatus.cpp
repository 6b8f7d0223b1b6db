#include "ymodemstatus.h"

YmodemStatus* YmodemStatus::instance() {
    static YmodemStatus* const holder = new YmodemStatus;
    return holder;
}

YmodemStatus::YmodemStatus() {
    qRegisterMetaType<YmodemFrame::YmodemStatusEnum>("YmodemFrame::YmodemStatusEnum");
}
