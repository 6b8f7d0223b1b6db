#include "memorybuffer.h"

#include <cstring>

#include <QIODevice>

uchar MemoryBuffer::at(qint64 offset) {
    if (offset < 0 || offset >= buffer.size())
        return 0;
    return static_cast<uchar>(buffer.at(offset));
}

void MemoryBuffer::replace(qint64 offset, const QByteArray& data) {
    if (offset < 0 || offset > buffer.size())
        return;
    // An overwrite inside the array is done in place: no reallocation, no move of the tail.
    const qint64 inside = qMin<qint64>(data.size(), buffer.size() - offset);
    if (inside > 0)
        std::memcpy(buffer.data() + offset, data.constData(), size_t(inside));
    if (inside < data.size())
        buffer.append(data.constData() + inside, data.size() - inside);
}

void MemoryBuffer::insert(qint64 offset, const QByteArray& data) {
    if (offset < 0 || offset > buffer.size())
        return;
    buffer.insert(offset, data);
}

void MemoryBuffer::remove(qint64 offset, int length) {
    if (offset < 0 || offset >= buffer.size() || length <= 0)
        return;
    buffer.remove(offset, length);
}

QByteArray MemoryBuffer::read(qint64 offset, int length) {
    if (offset < 0 || offset >= buffer.size() || length <= 0)
        return QByteArray();
    return buffer.mid(offset, length);
}

bool MemoryBuffer::read(QIODevice* device) {
    buffer = device->readAll();
    return true;
}

bool MemoryBuffer::read(const QByteArray& ba) {
    buffer = ba;
    return true;
}

bool MemoryBuffer::write(QIODevice* device) {
    qint64 done = 0;
    // Short writes happen on pipes and full disks; only a complete write counts.
    while (done < buffer.size()) {
        const qint64 n = device->write(buffer.constData() + done, buffer.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

qint64 MemoryBuffer::indexOf(const QByteArray& ba, qint64 from) {
    if (ba.isEmpty() || from < 0 || from >= buffer.size())
        return -1;
    return buffer.indexOf(ba, from);
}

qint64 MemoryBuffer::lastIndexOf(const QByteArray& ba, qint64 from) {
    if (ba.isEmpty() || from < 0)
        return -1;
    return buffer.lastIndexOf(ba, qMin<qint64>(from, buffer.size() - 1));
}

void MemoryBuffer::adopt(QByteArray& data) {
    buffer.swap(data);
    data.clear();
}
