#include "hexrenderer.h"

#include <cmath>

#include <QPainter>
#include <QPalette>
#include <QVarLengthArray>

#include "hexcursor.h"
#include "hexdocument.h"
#include "hexmetadata.h"

namespace {
const char kHexDigits[] = "0123456789ABCDEF";

bool printable(uchar b) {
    return b >= 0x20 && b <= 0x7E;
}

// The look of one byte: runs of equal looks are painted in one go.
struct CellLook {
    QColor foreground;
    QColor background;
    bool operator==(const CellLook& o) const {
        return foreground == o.foreground && background == o.background;
    }
};
}  // namespace

HexRenderer::HexRenderer(HexDocument* document, const QFontMetricsF& fontmetrics, QObject* parent)
    : QObject(parent), document(document), metrics(fontmetrics) {}

void HexRenderer::updateMetrics(const QFontMetricsF& fontmetrics) {
    metrics = fontmetrics;
}

quint8 HexRenderer::hexLineWidth() const {
    return document ? document->hexLineWidth() : 16;
}

qint64 HexRenderer::documentLines() const {
    // One position past the last byte is always reachable, so an empty document has a row.
    const qint64 len = document ? document->length() : 0;
    const qint64 w = hexLineWidth();
    return (len + 1 + w - 1) / w;
}

int HexRenderer::documentLastColumn() const {
    const qint64 len = document ? document->length() : 0;
    return int(len - documentLastLine() * hexLineWidth());
}

int HexRenderer::lineHeight() const {
    return qMax(1, qRound(metrics.height()));
}

int HexRenderer::cellWidth() const {
    return qMax(1, qRound(metrics.horizontalAdvance(QLatin1Char(' '))));
}

int HexRenderer::borderSize() const {
    const quint8 indent = document ? document->areaIndent() : 1;
    return qRound(metrics.horizontalAdvance(QLatin1Char(' ')) * indent);
}

int HexRenderer::getAddressWidth() const {
    const quint64 base = document ? document->baseAddress() : 0;
    const quint64 len = document ? quint64(document->length()) : 0;
    const quint64 m = base + len + 1;
    if (m < 0x10000)
        return 4;
    if (m <= 0xFFFFFFFFull)
        return 8;
    int digits = 0;
    for (quint64 v = m; v; v >>= 4) ++digits;
    return digits;
}

int HexRenderer::getHexColumnX() const {
    const qreal cw = metrics.horizontalAdvance(QLatin1Char(' '));
    return qRound(getAddressWidth() * cw) + 2 * borderSize();
}

int HexRenderer::getAsciiColumnX() const {
    const qreal cw = metrics.horizontalAdvance(QLatin1Char(' '));
    return getHexColumnX() + qRound(3 * hexLineWidth() * cw) + 2 * borderSize();
}

int HexRenderer::getEndColumnX() const {
    const qreal cw = metrics.horizontalAdvance(QLatin1Char(' '));
    return getAsciiColumnX() + qRound(hexLineWidth() * cw) + 2 * borderSize();
}

int HexRenderer::bytesPerLineFitting(int width) const {
    const qreal cw = metrics.horizontalAdvance(QLatin1Char(' '));
    // Four cells per byte: two digits and a gap in the hex column, one in the character column.
    const qreal room = width - 1 - getHexColumnX() - 4 * borderSize() - 2;
    return room <= 0 ? 0 : int(room / (4 * cw));
}

QRect HexRenderer::getLineRect(qint64 line, qint64 firstline, int width) const {
    const int lh = lineHeight();
    return QRect(0, int((line - firstline + headerLineCount()) * lh), width, lh);
}

int HexRenderer::hitTestArea(const QPoint& pt) const {
    const int x = pt.x();
    const int indent = borderSize();
    if (pt.y() < lineHeight())
        return HeaderArea;
    if (x >= indent && x <= getHexColumnX() - indent)
        return AddressArea;
    if (x > getHexColumnX() + indent && x < getAsciiColumnX() - indent)
        return HexArea;
    if (x <= getAsciiColumnX() + indent || x >= getEndColumnX() - indent)
        return ExtraArea;
    return AsciiArea;
}

bool HexRenderer::hitTest(const QPoint& pt, int inArea, CursorPosition* position,
                          qint64 firstline) const {
    if (!editableArea(inArea))
        return false;
    const int lh = lineHeight();
    const qint64 row = qMax<qint64>(0, (pt.y() - headerLineCount() * lh) / lh);
    qint64 line = qMin(firstline + row, documentLastLine());
    const qreal cw = metrics.horizontalAdvance(QLatin1Char(' '));
    const int w = hexLineWidth();
    int column;
    int nibble = 1;
    if (inArea == HexArea) {
        const qreal rel = qMax<qreal>(0, pt.x() - getHexColumnX() - borderSize());
        column = int(rel / (3 * cw));
        // The first digit cell is the high digit; the second and the gap after it the low one.
        nibble = (rel - column * 3 * cw) < cw ? 1 : 0;
    } else {
        const qreal rel = qMax<qreal>(0, pt.x() - getAsciiColumnX() - borderSize());
        column = int(rel / cw);
    }
    if (column >= w) {
        column = w - 1;
        nibble = 0;
    }
    if (line == documentLastLine() && column >= documentLastColumn()) {
        column = documentLastColumn();
        nibble = 1;
    }
    position->lineWidth = quint8(w);
    position->line = line;
    position->column = column;
    position->nibbleindex = nibble;
    return true;
}

void HexRenderer::render(QPainter* painter, const QPalette& palette, qint64 firstline,
                         qint64 lastline) {
    const int lh = lineHeight();
    lastline = qMin(lastline, documentLastLine());
    for (qint64 line = firstline; line <= lastline; ++line)
        drawRow(painter, palette, line, int((line - firstline + headerLineCount()) * lh));
    if (cursorShown && document) {
        const qint64 cl = document->cursor()->currentLine();
        if (cl >= firstline && cl <= lastline)
            drawCursor(painter, palette, int((cl - firstline + headerLineCount()) * lh));
    }
    drawHeader(painter, palette);
}

void HexRenderer::drawHeader(QPainter* painter, const QPalette& palette) {
    const int lh = lineHeight();
    const int hexX = getHexColumnX();
    const int asciiX = getAsciiColumnX();
    const int endX = getEndColumnX();
    const int indent = borderSize();
    painter->fillRect(QRect(0, 0, endX + 1, lh), palette.color(QPalette::Window));
    painter->setPen(palette.color(QPalette::Highlight));
    painter->drawText(QRect(0, 0, hexX, lh), Qt::AlignCenter | Qt::TextDontClip,
                      QStringLiteral("Offset"));
    const int w = hexLineWidth();
    QByteArray header;
    header.reserve(3 * w);
    for (int i = 0; i < w; ++i) {
        header.append(kHexDigits[(i >> 4) & 0xF]);
        header.append(kHexDigits[i & 0xF]);
        header.append(' ');
    }
    painter->drawText(QRect(hexX + indent, 0, asciiX - hexX, lh), Qt::AlignLeft | Qt::AlignVCenter,
                      QString::fromLatin1(header));
    painter->drawText(QRect(asciiX, 0, endX - asciiX, lh), Qt::AlignCenter | Qt::TextDontClip,
                      QStringLiteral("Ascii"));
    painter->setPen(palette.color(QPalette::Mid));
    const int bottom = painter->device() ? painter->device()->height() : lh;
    painter->drawLine(0, lh - 1, endX, lh - 1);
    for (int x : {hexX, asciiX, endX}) painter->drawLine(x, 0, x, bottom);
}

void HexRenderer::drawRow(QPainter* painter, const QPalette& palette, qint64 line, int y) {
    const int w = hexLineWidth();
    const int lh = lineHeight();
    const qreal cw = metrics.horizontalAdvance(QLatin1Char(' '));
    const int indent = borderSize();
    const int hexX = getHexColumnX();
    const int asciiX = getAsciiColumnX();
    const qreal ascent = metrics.ascent();
    const int baseline = y + qRound((lh - metrics.height()) / 2 + ascent);

    if (line & 1)
        painter->fillRect(QRect(0, y, getEndColumnX(), lh), palette.color(QPalette::AlternateBase));

    // Address
    const quint64 address = (document ? document->baseAddress() : 0) + quint64(line) * w;
    const int digits = getAddressWidth();
    char addr[17];
    for (int i = 0; i < digits && i < 16; ++i)
        addr[digits - 1 - i] = kHexDigits[(address >> (4 * i)) & 0xF];
    painter->setPen(palette.color(QPalette::Highlight));
    painter->drawText(QPointF(indent, baseline), QString::fromLatin1(addr, qMin(digits, 16)));

    if (!document)
        return;
    const QByteArray bytes = document->read(line * w, w);
    const int count = bytes.size();
    if (count == 0)
        return;

    // Decide each byte's look: plain, metadata colours, then the selection over both.
    const CellLook plain{palette.color(QPalette::Text), QColor()};
    QVarLengthArray<CellLook, 256> looks(count);
    for (int i = 0; i < count; ++i) looks[i] = plain;
    if (document->metadata()->lineHasMetadata(line)) {
        for (const HexMetadataItem& item : document->metadata()->get(line)) {
            for (int i = item.start; i < item.start + item.length && i < count; ++i) {
                if (item.foreground.isValid())
                    looks[i].foreground = item.foreground;
                if (item.background.isValid())
                    looks[i].background = item.background;
            }
        }
    }
    HexCursor* cursor = document->cursor();
    if (cursor->hasSelection()) {
        const qint64 rowStart = line * w;
        const qint64 selStart = cursor->selectionStart().offset();
        const qint64 selEnd = cursor->selectionEnd().offset();
        for (int i = 0; i < count; ++i) {
            if (rowStart + i >= selStart && rowStart + i <= selEnd) {
                looks[i].foreground = palette.color(QPalette::HighlightedText);
                looks[i].background = palette.color(QPalette::Highlight);
            }
        }
    }

    char hex[3 * 256];
    char ascii[256];
    for (int i = 0; i < count; ++i) {
        const uchar b = uchar(bytes.at(i));
        hex[3 * i] = kHexDigits[b >> 4];
        hex[3 * i + 1] = kHexDigits[b & 0xF];
        hex[3 * i + 2] = ' ';
        ascii[i] = printable(b) ? char(b) : '.';
    }

    for (int start = 0; start < count;) {
        int end = start + 1;
        while (end < count && looks[end] == looks[start]) ++end;
        const CellLook& look = looks[start];
        const qreal hx = hexX + indent + start * 3 * cw;
        const qreal ax = asciiX + indent + start * cw;
        if (look.background.isValid()) {
            // The gap after the run's last byte stays unpainted so runs read as separate.
            painter->fillRect(QRectF(hx, y, ((end - start) * 3 - 1) * cw, lh), look.background);
            painter->fillRect(QRectF(ax, y, (end - start) * cw, lh), look.background);
        }
        painter->setPen(look.foreground);
        painter->drawText(QPointF(hx, baseline),
                          QString::fromLatin1(hex + 3 * start, 3 * (end - start) - 1));
        painter->drawText(QPointF(ax, baseline), QString::fromLatin1(ascii + start, end - start));
        start = end;
    }
}

void HexRenderer::drawCursor(QPainter* painter, const QPalette& palette, int y) {
    HexCursor* cursor = document->cursor();
    const qreal cw = metrics.horizontalAdvance(QLatin1Char(' '));
    const int lh = lineHeight();
    const int indent = borderSize();
    const int column = cursor->currentColumn();
    const bool insert = cursor->insertionMode() == HexCursor::InsertMode;
    const QRectF hexCell(
        getHexColumnX() + indent + column * 3 * cw + (cursor->currentNibble() == 0 ? cw : 0), y, cw,
        lh);
    const QRectF asciiCell(getAsciiColumnX() + indent + column * cw, y, cw, lh);
    QColor color = palette.color(QPalette::WindowText);
    for (int a : {int(HexArea), int(AsciiArea)}) {
        const QRectF cell = a == HexArea ? hexCell : asciiCell;
        if (a != area) {
            // The other column shows where the same byte is, underlined.
            painter->fillRect(QRectF(cell.left(), cell.bottom() - 2, cell.width(), 2), color);
        } else if (insert) {
            painter->fillRect(QRectF(cell.left(), cell.top(), 2, cell.height()), color);
        } else {
            QColor fill = color;
            fill.setAlpha(150);
            painter->fillRect(cell, fill);
        }
    }
}
