// Overwrites bytes; the overwritten bytes are kept so that undo can put them back.
#pragma once

#include "hexcommand.h"

class ReplaceCommand : public HexCommand {
public:
    ReplaceCommand(HexBuffer* buffer, qint64 offset, const QByteArray& data,
                   QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    QByteArray olddata;
};
