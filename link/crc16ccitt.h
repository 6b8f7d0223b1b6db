// CRC-16/XMODEM (poly 0x1021, init 0, no reflection, no final XOR) and the BiSS XOR check.
#pragma once

#include <QByteArray>
#include <QObject>

class crc16ccitt : public QObject {
    Q_OBJECT
public:
    explicit crc16ccitt(QObject* parent = nullptr) : QObject(parent) {}

    // CRC over the first n bytes; n <= 0 gives 0. Frames store it high byte first.
    static quint16 compute(const QByteArray& data, int n);
    static quint16 compute(const QByteArray& data) { return compute(data, int(data.size())); }
    // XOR of the first n bytes, n taken modulo 256 (the frames carry an 8-bit count).
    static quint8 xorCheck(const QByteArray& data, int n);

private:
    static const quint16* table();
};
