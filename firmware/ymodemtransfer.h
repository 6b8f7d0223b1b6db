// The sending side of a YMODEM (CRC, one file per batch) transfer to the encoder's boot loader,
// over the device link's writes and readers.
#pragma once

#include <QByteArray>
#include <QString>

#include "inputfile.h"

class Ymodem;

class YmodemTransfer {
public:
    static constexpr quint8 kSoh = 0x01;
    static constexpr quint8 kStx = 0x02;
    static constexpr quint8 kEot = 0x04;
    static constexpr quint8 kAck = 0x06;
    static constexpr quint8 kNak = 0x15;
    static constexpr quint8 kCan = 0x18;
    static constexpr quint8 kSub = 0x1A;
    static constexpr quint8 kCrcRequest = 0x43;  // 'C'
    static constexpr quint8 kStart = 0x53;       // 'S': the boot loader starts receiving
    static constexpr int kCancelCount = 5;
    static constexpr int kErrorLimit = 200;
    // Block 0 holds name, 00, length digits, 00 in 128 bytes.
    static constexpr int kInfoBlockSize = 128;
    // Reply code of a NAK while block 0 is acknowledged and the data 'C' is awaited.
    static constexpr int kKeepWaiting = -1;
    // A slow receiver may miss the closing empty header (its input purge, or its exit, swallows
    // it) although it stored the file: the header is sent again this many times on a silent
    // wait, each counted as a transfer error, before the transfer is given up.
    static constexpr int kEndPacketResends = 3;

    explicit YmodemTransfer(Ymodem* link);

    // Packet of count + 5 bytes: header, block number (low 8 bits), its complement, data,
    // CRC-16/XMODEM of the data, high byte first.
    static QByteArray buildPacket(quint8 header, quint16 block, const QByteArray& data, int count);
    // Block 0 payload: name, 00, length in decimal, 00, zeros to 128 bytes.
    static QByteArray fileInfoBlock(const QByteArray& fileName, int length);
    // Whether name and length fit block 0.
    static bool fitsInfoBlock(const QByteArray& fileName, int length);
    static int countPackets(int length, int packetSize);

    bool sendYmodemPacket(quint8 header, quint16 block, const QByteArray& data, int count);
    bool sendFileInfoPacket(quint8 header, quint16 block, int blockSize, const QByteArray& fileName,
                            int length);
    bool sendStartTransfer();
    bool sendCancel();
    int waitYmodemReply();
    // count bytes of the image from offset into chunkBuffer; false when nothing is left.
    bool readFirmwareChunk(int count, qint64 offset);

    // Reads a file for sending on its own (not through the upgrade's image check) into image
    // and sets the link's length and packet size: false, with a message, for a missing,
    // unreadable, special, empty or oversized file, or a name that does not fit block 0.
    bool prepareFile(const QString& path, int packetSize);
    // Reads the firmware file at path once, whole, into content (at most kMaxImageSize bytes):
    // what is checked is what is sent, however the file changes during the transfer. False with
    // its message for every refusal but TooLarge, whose message depends on the job.
    InputFile::Result readFirmwareFile(const QString& path, QByteArray& content);
    bool nameFitsInfoBlock(const QString& name, qint64 size);
    // The transfer of image (link->firmwareLength bytes) in packets of link->packetSize; true
    // once the end packet was acknowledged.
    bool transferFile(const QByteArray& image, const QString& fileName);

    // The length travels in a 16-bit field of block 0's decimal text and of the boot loader.
    static constexpr qint64 kMaxImageSize = 0xFFFF;
    // The bytes of the file being sent, read once before the transfer.
    QByteArray image;

    // Sends the 'S' that starts the boot loader's reception; plain YMODEM receivers need none.
    bool sendStart = true;
    // The pause after block 0.
    int initialPacketWaitMs = 100;

    int packetCount = 0;
    QByteArray chunkBuffer;

private:
    void line(const QString& text, int arg);
    void say(const QString& text);
    // Codes 12 and 13; false when the chunk could not be read (the transfer is cancelled).
    bool sendDataPacket();
    void cancel(const QString& reason);
    void sendEndPacket();

    Ymodem* link;
    int endResends = 0;
    QByteArray packetBuffer;
    int startPacketSize = 128;
    int startLength = 0;
    // The last read ended before the deadline: the port is gone or the job is being stopped.
    bool linkLost = false;
};
