#include "removecommand.h"

RemoveCommand::RemoveCommand(HexBuffer* buffer, qint64 offset, int length, QUndoCommand* parent)
    : HexCommand(buffer, offset, length, QByteArray(), parent) {}

void RemoveCommand::undo() {
    buffer->insert(offset, data);
}

void RemoveCommand::redo() {
    data = buffer->read(offset, length);
    buffer->remove(offset, length);
}
