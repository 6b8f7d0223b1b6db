// An undoable edit of a hex buffer; the subclasses keep what they need to take it back.
#pragma once

#include <QByteArray>
#include <QUndoCommand>

#include "hexbuffer.h"

class HexCommand : public QUndoCommand {
public:
    HexCommand(HexBuffer* buffer, qint64 offset, int length, const QByteArray& data,
               QUndoCommand* parent = nullptr)
        : QUndoCommand(parent), buffer(buffer), offset(offset), length(length), data(data) {}

protected:
    HexBuffer* buffer;
    qint64 offset;
    int length;
    QByteArray data;
};
