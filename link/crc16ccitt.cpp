#include "crc16ccitt.h"

#include <array>

const quint16* crc16ccitt::table() {
    // Entry i is the register after shifting i << 8 through eight steps of the polynomial.
    static const std::array<quint16, 256> entries = [] {
        std::array<quint16, 256> t{};
        for (int i = 0; i < 256; ++i) {
            quint16 crc = quint16(i << 8);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
            t[i] = crc;
        }
        return t;
    }();
    return entries.data();
}

quint16 crc16ccitt::compute(const QByteArray& data, int n) {
    const quint16* t = table();
    quint16 crc = 0;
    const int count = qMin(n, int(data.size()));
    for (int i = 0; i < count; ++i)
        crc = quint16((crc << 8) ^ t[((crc >> 8) ^ quint8(data.at(i))) & 0xFF]);
    return crc;
}

quint8 crc16ccitt::xorCheck(const QByteArray& data, int n) {
    const int count = qMin(n & 0xFF, int(data.size()));
    quint8 x = 0;
    for (int i = 0; i < count; ++i) x ^= quint8(data.at(i));
    return x;
}
