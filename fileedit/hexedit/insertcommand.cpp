#include "insertcommand.h"

InsertCommand::InsertCommand(HexBuffer* buffer, qint64 offset, const QByteArray& data,
                             QUndoCommand* parent)
    : HexCommand(buffer, offset, data.size(), data, parent) {}

void InsertCommand::undo() {
    buffer->remove(offset, data.size());
}

void InsertCommand::redo() {
    buffer->insert(offset, data);
}
