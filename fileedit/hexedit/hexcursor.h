// The cursor of a hex document and the selection between it and its anchor.
#pragma once

#include <QObject>

#include "cursorposition.h"

class HexCursor : public QObject {
    Q_OBJECT
public:
    enum InsertionMode { OverwriteMode = 0, InsertMode = 1 };

    explicit HexCursor(QObject* parent = nullptr);

    const CursorPosition& position() const { return pos; }
    const CursorPosition& anchor() const { return anchorPos; }
    const CursorPosition& selectionStart() const;
    const CursorPosition& selectionEnd() const;
    qint64 currentLine() const { return pos.line; }
    int currentColumn() const { return pos.column; }
    int currentNibble() const { return pos.nibbleindex; }
    qint64 positionOffset() const { return pos.offset(); }
    qint64 selectionLength() const;
    bool hasSelection() const;
    bool isSelected(qint64 line, int column) const;
    InsertionMode insertionMode() const { return mode; }
    quint8 lineWidth() const { return width; }

    void placeAt(const CursorPosition& p);
    void placeAt(qint64 line, int column, int nibbleindex);
    void placeAt(qint64 offset);
    void extendTo(const CursorPosition& p);
    void extendTo(qint64 line, int column, int nibbleindex);
    void extendTo(qint64 offset);
    // Moves the position to the last byte of a run of length bytes starting at the anchor.
    void extendBy(qint64 length);
    void selectRange(qint64 offset, qint64 length);
    void collapseSelection();
    void setEditMode(InsertionMode m);
    void toggleEditMode();
    void setRowWidth(quint8 w);

signals:
    void positionChanged();
    void insertionModeChanged();

private:
    CursorPosition make(qint64 line, int column, int nibbleindex) const;

    InsertionMode mode = OverwriteMode;
    quint8 width = 16;
    CursorPosition pos;
    CursorPosition anchorPos;
};
