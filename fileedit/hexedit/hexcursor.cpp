#include "hexcursor.h"

HexCursor::HexCursor(QObject* parent) : QObject(parent) {}

CursorPosition HexCursor::make(qint64 line, int column, int nibbleindex) const {
    CursorPosition p;
    p.lineWidth = width;
    p.line = line;
    p.column = column;
    p.nibbleindex = nibbleindex;
    return p;
}

const CursorPosition& HexCursor::selectionStart() const {
    if (pos.line < anchorPos.line || (pos.line == anchorPos.line && pos.column < anchorPos.column))
        return pos;
    return anchorPos;
}

const CursorPosition& HexCursor::selectionEnd() const {
    return &selectionStart() == &pos ? anchorPos : pos;
}

qint64 HexCursor::selectionLength() const {
    return selectionEnd().offset() - selectionStart().offset() + 1;
}

bool HexCursor::hasSelection() const {
    return pos.line != anchorPos.line || pos.column != anchorPos.column ||
           pos.nibbleindex != anchorPos.nibbleindex;
}

bool HexCursor::isSelected(qint64 line, int column) const {
    if (!hasSelection())
        return false;
    const qint64 offset = line * width + column;
    return offset >= selectionStart().offset() && offset <= selectionEnd().offset();
}

void HexCursor::placeAt(const CursorPosition& p) {
    pos = p;
    pos.lineWidth = width;
    anchorPos = pos;
    emit positionChanged();
}

void HexCursor::placeAt(qint64 line, int column, int nibbleindex) {
    placeAt(make(line, column, nibbleindex));
}

void HexCursor::placeAt(qint64 offset) {
    CursorPosition p = make(0, 0, 1);
    p.setOffset(qMax<qint64>(0, offset));
    placeAt(p);
}

void HexCursor::extendTo(const CursorPosition& p) {
    pos = p;
    pos.lineWidth = width;
    emit positionChanged();
}

void HexCursor::extendTo(qint64 line, int column, int nibbleindex) {
    extendTo(make(line, column, nibbleindex));
}

void HexCursor::extendTo(qint64 offset) {
    CursorPosition p = make(0, 0, 1);
    p.setOffset(qMax<qint64>(0, offset));
    extendTo(p);
}

void HexCursor::extendBy(qint64 length) {
    // The run may wrap onto the next rows: a found pattern or a range is selected whole, so
    // copy and cut take every byte of it.
    // The end sits on the low digit so that even a run of one byte is a selection.
    CursorPosition p = make(0, 0, 0);
    p.setOffset(anchorPos.offset() + qMax<qint64>(1, length) - 1);
    p.nibbleindex = 0;
    extendTo(p);
}

void HexCursor::selectRange(qint64 offset, qint64 length) {
    placeAt(offset);
    extendBy(length);
}

void HexCursor::collapseSelection() {
    anchorPos = pos;
    emit positionChanged();
}

void HexCursor::setEditMode(InsertionMode m) {
    if (m == mode)
        return;
    mode = m;
    emit insertionModeChanged();
}

void HexCursor::toggleEditMode() {
    setEditMode(mode == OverwriteMode ? InsertMode : OverwriteMode);
}

void HexCursor::setRowWidth(quint8 w) {
    if (w == 0 || w == width)
        return;
    const qint64 p = pos.offset();
    const qint64 a = anchorPos.offset();
    const int pn = pos.nibbleindex;
    const int an = anchorPos.nibbleindex;
    width = w;
    anchorPos = make(0, 0, an);
    anchorPos.setOffset(a);
    anchorPos.nibbleindex = an;
    pos = make(0, 0, pn);
    pos.setOffset(p);
    pos.nibbleindex = pn;
    emit positionChanged();
}
