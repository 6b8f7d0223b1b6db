// An encoder: its normal firmware and its boot loader. The mode-switch frame sends it into the
// boot loader after a delay; there 'S' starts a YMODEM reception, and 'R' returns to normal
// mode running the image received, whose trailer then gives the version it reports.
#pragma once

#include <chrono>

#include <QByteArray>
#include <QMap>

#include "identifyingbehaviour.h"

class EncoderBehaviour : public IdentifyingBehaviour {
public:
    // Keys of BootLoader::replyAt besides the block sequence numbers (0 = block 0, 1.. data).
    static constexpr int kEotPacket = -1;
    static constexpr int kEndPacket = -2;

    // How the boot loader behaves; tests script it.
    struct BootLoader {
        // From the mode-switch frame until the status reply says BOOT.
        int bootDelayMs = 500;
        // Ignores the mode-switch frame: the status stays NORMAL.
        bool stayNormal = false;
        // What the boot loader sends after 'S' (a YMODEM receiver asks with 'C').
        QByteArray startReply = QByteArrayLiteral("C");
        // Replaces the reply to the first arrival of packet k (block sequence number, or
        // kEotPacket / kEndPacket). A replacement with an ACK in it counts the packet as taken,
        // one with a CAN ends the reception, any other (a NAK, garbage, nothing) drops it.
        QMap<int, QByteArray> replyAt;
        // Every arrival of this packet is answered with NAK.
        int nakAlwaysAt = -100;
    };

    EncoderBehaviour();

    int consume(const QByteArray& input, QList<QByteArray>& replies) override;

    BootLoader boot;

    // What the boot loader saw, for tests.
    QByteArray receivedName;     // the file name of block 0
    int receivedLength = -1;     // the length of block 0
    QByteArray receivedImage;    // the file of the last completed reception
    int completedTransfers = 0;  // receptions that ended with the end packet
    int cancelsReceived = 0;     // receptions the host cancelled
    int badPackets = 0;          // packets answered NAK for a bad header, number or CRC
    int modeSwitches = 0;        // mode-switch frames received
    int normalReturns = 0;       // 'R' bytes received in boot mode

    // CRC-16/XMODEM, computed here bit by bit (independent of the host's table).
    static quint16 crc16(const QByteArray& data);

private:
    enum Phase { Idle, WaitInfo, WaitData, AfterEot };

    int consumeYmodem(const QByteArray& input, QList<QByteArray>& replies);
    // Replaces the normal reply when the script says so; returns whether the packet is taken.
    bool scripted(int key, QByteArray& reply);

    Phase phase = Idle;
    int expectedBlock = 1;
    QByteArray data;
    QByteArray pendingImage;
    bool switchPending = false;
    std::chrono::steady_clock::time_point switchAt;
    QMap<int, bool> seen;
};
