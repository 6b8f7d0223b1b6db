// Lead and control bytes of the device link, and the state values of its exchange.
#pragma once

#include <atomic>

#include <QObject>

class YmodemFrame : public QObject {
    Q_OBJECT
public:
    // No Q_ENUM: these values carry no key names at run time.
    enum YmodemFrameEnum {
        SOH = 0x01,
        STX = 0x02,
        EOT = 0x04,
        ACK = 0x06,
        NAK = 0x15,
        CAN = 0x18,
        SUB = 0x1A,
        CRC_REQUEST = 0x43,
        HANDSHAKE_HEAD = 0xDA,
        END_SIGNAL_HEAD = 0xDF
    };
    enum YmodemStatusEnum {
        YMODEM_IDLE = 0,
        SEND_INITIAL_PACKET = 1,
        INITIAL_PACKET_SUCCESS = 2,
        SEND_HANDSHAKE = 3,
        SEND_END_SIGNAL = 5,
        SEND_MODEL_REQUEST = 6,
        SEND_STATUS_REQUEST = 8,
        SEND_NORMAL_MODEL_REQUEST = 10,
        SEND_DATA_PACKET = 12,
        DATA_PACKET_SUCCESS = 13,
        SEND_EOT_PACKET = 14,
        EOT_PACKET_SUCCESS = 15,
        SEND_END_PACKET = 16,
        END_PACKET_SUCCESS = 17,
        SEND_CANCEL_PACKET = 18,
        UNEXPECTED_REPLY = 19,
        REPLY_TIMEOUT = 21
    };

    static YmodemFrame* instance();

    int getValue() const { return value.load(); }
    void setValue(int v) { value.store(v); }

private:
    YmodemFrame();
    std::atomic<int> value{HANDSHAKE_HEAD};
};
