// Removes bytes; the removed bytes are kept so that undo can put them back.
#pragma once

#include "hexcommand.h"

class RemoveCommand : public HexCommand {
public:
    RemoveCommand(HexBuffer* buffer, qint64 offset, int length, QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;
};
