// The state of the device link's exchange (values: YmodemFrame::YmodemStatusEnum).
#pragma once

#include <atomic>

#include <QObject>

#include "ymodemframe.h"

class YmodemStatus : public QObject {
    Q_OBJECT
public:
    static YmodemStatus* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }

private:
    YmodemStatus();
    std::atomic<int> value{YmodemFrame::YMODEM_IDLE};
};
