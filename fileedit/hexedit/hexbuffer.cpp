#include "hexbuffer.h"

#include <QBuffer>

uchar HexBuffer::at(qint64 offset) {
    const QByteArray ba = read(offset, 1);
    return ba.isEmpty() ? 0 : static_cast<uchar>(ba.at(0));
}

void HexBuffer::replace(qint64 offset, const QByteArray& data) {
    remove(offset, data.size());
    insert(offset, data);
}

bool HexBuffer::read(const char* data, int size) {
    return read(QByteArray(data, size));
}

bool HexBuffer::read(const QByteArray& ba) {
    QByteArray copy = ba;
    QBuffer device(&copy);
    if (!device.open(QIODevice::ReadWrite))
        return false;
    return read(&device);
}
