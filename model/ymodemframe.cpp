#include "ymodemframe.h"

YmodemFrame* YmodemFrame::instance() {
    static YmodemFrame* const holder = new YmodemFrame;
    return holder;
}

YmodemFrame::YmodemFrame() {
    qRegisterMetaType<YmodemFrame::YmodemFrameEnum>("YmodemFrame::YmodemFrameEnum");
}
