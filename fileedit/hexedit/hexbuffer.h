// The byte store behind a hex document: what the editor reads, edits, searches and saves.
#pragma once

#include <QByteArray>
#include <QObject>

class QIODevice;

class HexBuffer : public QObject {
    Q_OBJECT
public:
    explicit HexBuffer(QObject* parent = nullptr) : QObject(parent) {}

    bool isEmpty() const { return length() < 1; }

    virtual uchar at(qint64 offset);
    // Overwrites data.size() bytes at offset (fewer where the data ends) with data.
    virtual void replace(qint64 offset, const QByteArray& data);
    virtual bool read(const char* data, int size);
    virtual bool read(const QByteArray& ba);

    virtual qint64 length() const = 0;
    virtual void insert(qint64 offset, const QByteArray& data) = 0;
    virtual void remove(qint64 offset, int length) = 0;
    virtual QByteArray read(qint64 offset, int length) = 0;
    virtual bool read(QIODevice* device) = 0;
    // True only when every byte reached the device.
    virtual bool write(QIODevice* device) = 0;
    virtual qint64 indexOf(const QByteArray& ba, qint64 from) = 0;
    virtual qint64 lastIndexOf(const QByteArray& ba, qint64 from) = 0;
};
