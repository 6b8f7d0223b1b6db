#include "identifyingbehaviour.h"

namespace {
constexpr int kLinkFrameSize = 133;
constexpr quint8 kHandshakeLead = 0xDA;
constexpr quint8 kEndSignalLead = 0xDF;
constexpr quint8 kWatermarkRequest = 0x77;

// DA/DF followed by 00 5A 66 opens a 133-byte link frame; 0 = undecided, -1 = not a frame.
int linkFrameState(const QByteArray& input) {
    const quint8 lead = quint8(input.at(0));
    if (lead != kHandshakeLead && lead != kEndSignalLead)
        return -1;
    static const char marker[] = {0x00, 0x5A, 0x66};
    for (int i = 1; i < 4; ++i) {
        if (i >= input.size())
            return 0;
        if (input.at(i) != marker[i - 1])
            return -1;
    }
    return input.size() >= kLinkFrameSize ? 1 : 0;
}
}  // namespace

IdentifyingBehaviour::IdentifyingBehaviour(quint8 typeCode, const QString& name)
    : typeCode(typeCode), name(name) {}

int IdentifyingBehaviour::consume(const QByteArray& input, QList<QByteArray>& replies) {
    const int frame = linkFrameState(input);
    if (frame == 0)
        return 0;
    if (frame == 1) {
        if (quint8(input.at(0)) == kHandshakeLead) {
            handshakeAxes << quint8(input.at(4));
            const quint8 reply = handshakeReplies.isEmpty() ? 0x06 : handshakeReplies.takeFirst();
            if (reply != 0)
                replies << QByteArray(1, char(reply));
        } else if (endSignalReply != 0) {
            replies << QByteArray(1, char(endSignalReply));
        }
        return kLinkFrameSize;
    }
    const quint8 command = quint8(input.at(0));
    if (command == statusRequest) {
        replies << QByteArray(1, char(status));
        return 1;
    }
    if (status == kBoot && command == kWatermarkRequest) {
        // 11 name bytes, one unused byte, 4 version bytes (00-terminated when shorter).
        QByteArray reply = name.toLatin1().left(11).leftJustified(11, '\0');
        reply.append('\0');
        reply.append(version.toLatin1().left(4).leftJustified(4, '\0'));
        replies << reply;
        return 1;
    }
    if (status != kBoot && command == normalModelRequest) {
        QByteArray reply;
        reply.append(char(normalModelEcho)).append('\0').append(char(typeCode)).append('\0');
        replies << reply;
        return 1;
    }
    return consumeCommand(input, replies);
}

int IdentifyingBehaviour::consumeCommand(const QByteArray&, QList<QByteArray>&) {
    return 1;
}
