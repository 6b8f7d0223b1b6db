#include "replacecommand.h"

ReplaceCommand::ReplaceCommand(HexBuffer* buffer, qint64 offset, const QByteArray& data,
                               QUndoCommand* parent)
    : HexCommand(buffer, offset, data.size(), data, parent) {}

void ReplaceCommand::undo() {
    if (olddata.size() == data.size()) {
        buffer->replace(offset, olddata);
        return;
    }
    // The new bytes ran past the old end: they grew the buffer, so undo must shrink it again
    // rather than leave the overhang behind.
    buffer->remove(offset, data.size());
    buffer->insert(offset, olddata);
}

void ReplaceCommand::redo() {
    olddata = buffer->read(offset, data.size());
    buffer->replace(offset, data);
}
