#include "encoderbehaviour.h"

namespace {
constexpr quint8 kSoh = 0x01;
constexpr quint8 kStx = 0x02;
constexpr quint8 kEot = 0x04;
constexpr quint8 kAck = 0x06;
constexpr quint8 kNak = 0x15;
constexpr quint8 kCan = 0x18;
constexpr quint8 kStart = 0x53;   // 'S'
constexpr quint8 kReturn = 0x52;  // 'R': back to the normal firmware
constexpr quint8 kModeSwitch = 0x7A;
constexpr quint8 kModeSwitchBiss = 0x0E;
constexpr int kModeSwitchSize = 6;
constexpr int kTrailerSize = 16;

const QByteArray kAckC = QByteArrayLiteral(
    "\x06"
    "C");
}  // namespace

EncoderBehaviour::EncoderBehaviour() : IdentifyingBehaviour(0xFA, QStringLiteral("ZEK_ENCODER")) {}

quint16 EncoderBehaviour::crc16(const QByteArray& bytes) {
    quint16 crc = 0;
    for (char c : bytes) {
        crc ^= quint16(quint8(c)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

bool EncoderBehaviour::scripted(int key, QByteArray& reply) {
    if (key == boot.nakAlwaysAt) {
        reply = QByteArray(1, char(kNak));
        return false;
    }
    const bool first = !seen.value(key, false);
    seen.insert(key, true);
    if (!first || !boot.replyAt.contains(key))
        return true;
    reply = boot.replyAt.value(key);
    if (reply.contains(char(kCan))) {
        phase = Idle;
        return false;
    }
    return reply.contains(char(kAck));
}

int EncoderBehaviour::consume(const QByteArray& input, QList<QByteArray>& replies) {
    // The boot loader takes over a while after the switch, as the real one restarts into it.
    if (switchPending && std::chrono::steady_clock::now() >= switchAt) {
        switchPending = false;
        status = kBoot;
        phase = Idle;
    }
    if (phase != Idle)
        return consumeYmodem(input, replies);

    const quint8 first = quint8(input.at(0));
    if (first == kCan) {
        // The host's cancel after the reception already ended: one command, no reply.
        int n = 0;
        while (n < input.size() && quint8(input.at(n)) == kCan) ++n;
        return n;
    }
    if (first == kModeSwitch || first == kModeSwitchBiss) {
        if (input.size() < kModeSwitchSize)
            return 0;
        const QByteArray marker("\x34\x12\xCD\xAB", 4);
        if (input.mid(1, 4) == marker && quint8(input.at(5)) == (first ^ 0x40)) {
            ++modeSwitches;
            if (!boot.stayNormal && status != kBoot) {
                switchPending = true;
                switchAt =
                    std::chrono::steady_clock::now() + std::chrono::milliseconds(boot.bootDelayMs);
            }
            return kModeSwitchSize;
        }
        return 1;
    }
    if (status == kBoot && first == kReturn) {
        ++normalReturns;
        status = kNormal;
        // Runs what it received: the trailer's version is what it reports from now on.
        if (pendingImage.size() >= kTrailerSize) {
            QByteArray v = pendingImage.right(4);
            const int nul = v.indexOf('\0');
            if (nul >= 0)
                v.truncate(nul);
            version = QString::fromLatin1(v);
        }
        pendingImage.clear();
        return 1;
    }
    if (status == kBoot && first == kStart) {
        phase = WaitInfo;
        seen.clear();
        if (!boot.startReply.isEmpty())
            replies << boot.startReply;
        return 1;
    }
    return IdentifyingBehaviour::consume(input, replies);
}

int EncoderBehaviour::consumeYmodem(const QByteArray& input, QList<QByteArray>& replies) {
    const quint8 first = quint8(input.at(0));
    if (first == kCan) {
        int n = 0;
        while (n < input.size() && quint8(input.at(n)) == kCan) ++n;
        ++cancelsReceived;
        phase = Idle;
        return n;
    }
    if (first == kEot) {
        QByteArray reply = kAckC;
        if (phase == WaitData || phase == AfterEot) {
            if (scripted(kEotPacket, reply))
                phase = AfterEot;
        } else {
            reply = QByteArray(1, char(kNak));
        }
        if (!reply.isEmpty())
            replies << reply;
        return 1;
    }
    if (first != kSoh && first != kStx)
        return 1;  // line noise between packets

    const int size = first == kSoh ? 128 : 1024;
    if (input.size() < size + 5)
        return 0;
    const QByteArray packet = input.left(size + 5);
    const quint8 number = quint8(packet.at(1));
    const QByteArray payload = packet.mid(3, size);
    const quint16 crc = quint16(quint8(packet.at(3 + size)) << 8 | quint8(packet.at(4 + size)));
    QByteArray reply;
    if (quint8(packet.at(2)) != quint8(0xFF - number) || crc16(payload) != crc) {
        ++badPackets;
        replies << QByteArray(1, char(kNak));
        return size + 5;
    }

    if (number == 0 && phase != WaitData) {
        // Block 0: file information, or (after EOT) the empty end packet.
        const int nameEnd = payload.indexOf('\0');
        const QByteArray name = payload.left(nameEnd);
        if (phase == WaitInfo && name.isEmpty()) {
            reply = QByteArray(1, char(kAck));  // an empty batch
            phase = Idle;
        } else if (phase == AfterEot) {
            reply = QByteArray(1, char(kAck));
            if (scripted(kEndPacket, reply)) {
                phase = Idle;
                pendingImage = data.left(receivedLength);
                receivedImage = pendingImage;
                ++completedTransfers;
            }
        } else {
            reply = kAckC;
            if (scripted(0, reply)) {
                const int lengthEnd = payload.indexOf('\0', nameEnd + 1);
                receivedName = name;
                receivedLength = payload.mid(nameEnd + 1, lengthEnd - nameEnd - 1).toInt();
                data.clear();
                expectedBlock = 1;
                phase = WaitData;
            }
        }
    } else if (phase == WaitData && number == quint8(expectedBlock & 0xFF)) {
        reply = QByteArray(1, char(kAck));
        if (scripted(expectedBlock, reply)) {
            data.append(payload);
            ++expectedBlock;
        }
    } else if (phase == WaitData && number == quint8((expectedBlock - 1) & 0xFF)) {
        // The host missed our ACK and sent the block again: take it once only.
        reply = expectedBlock == 1 ? kAckC : QByteArray(1, char(kAck));
    } else {
        ++badPackets;
        reply = QByteArray(1, char(kNak));
    }
    if (!reply.isEmpty())
        replies << reply;
    return size + 5;
}
