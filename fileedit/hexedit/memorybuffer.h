// The whole content in one byte array: edits cost a move of the tail, reads are free.
#pragma once

#include "hexbuffer.h"

class MemoryBuffer : public HexBuffer {
    Q_OBJECT
public:
    explicit MemoryBuffer(QObject* parent = nullptr) : HexBuffer(parent) {}

    using HexBuffer::read;
    uchar at(qint64 offset) override;
    void replace(qint64 offset, const QByteArray& data) override;
    qint64 length() const override { return buffer.size(); }
    void insert(qint64 offset, const QByteArray& data) override;
    void remove(qint64 offset, int length) override;
    QByteArray read(qint64 offset, int length) override;
    bool read(QIODevice* device) override;
    bool read(const QByteArray& ba) override;
    bool write(QIODevice* device) override;
    qint64 indexOf(const QByteArray& ba, qint64 from) override;
    qint64 lastIndexOf(const QByteArray& ba, qint64 from) override;

    // Takes the bytes over without a copy (the caller's array is left empty).
    void adopt(QByteArray& data);
    const QByteArray& data() const { return buffer; }

private:
    QByteArray buffer;
};
