// Inserts bytes; undo removes them again.
#pragma once

#include "hexcommand.h"

class InsertCommand : public HexCommand {
public:
    InsertCommand(HexBuffer* buffer, qint64 offset, const QByteArray& data,
                  QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;
};
