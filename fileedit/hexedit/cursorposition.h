// A place in a hex document: the row, the byte within it, and which hex digit of that byte.
#pragma once

#include <QtGlobal>

struct CursorPosition {
    qint64 line = 0;
    int column = 0;
    quint8 lineWidth = 16;
    // 1 = the high hex digit of the byte, 0 = the low one.
    int nibbleindex = 1;

    qint64 offset() const { return line * lineWidth + column; }
    void setOffset(qint64 offset) {
        line = offset / lineWidth;
        column = int(offset % lineWidth);
        nibbleindex = 1;
    }
    bool operator==(const CursorPosition& o) const {
        return line == o.line && column == o.column && nibbleindex == o.nibbleindex;
    }
    bool operator!=(const CursorPosition& o) const { return !(*this == o); }
};
