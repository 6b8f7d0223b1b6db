#include "jobframe.h"

#include "ymodem.h"

JobFrame::JobFrame(Ymodem* link, const QString& portText, int baudRate, Progress progress)
    : link(link) {
    if (progress == ReportsProgress)
        emit link->setProgress(0);
    opened = link->openSerialPort(portText, baudRate);
}

JobFrame::~JobFrame() {
    link->closeSerialPort();
}

ReplyDeadline::ReplyDeadline(Ymodem* link, int milliseconds)
    : link(link), previous(link->replyTimeoutMs) {
    link->replyTimeoutMs = milliseconds;
}

ReplyDeadline::~ReplyDeadline() {
    link->replyTimeoutMs = previous;
}
