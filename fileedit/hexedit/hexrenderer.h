// Lays out the offset, hex and character columns of a hex document and paints its rows.
#pragma once

#include <QFontMetricsF>
#include <QObject>
#include <QRect>

#include "cursorposition.h"

class HexDocument;
class QPainter;
class QPalette;

class HexRenderer : public QObject {
    Q_OBJECT
public:
    enum { HeaderArea = 0, AddressArea = 1, HexArea = 2, AsciiArea = 3, ExtraArea = 4 };

    HexRenderer(HexDocument* document, const QFontMetricsF& fontmetrics, QObject* parent = nullptr);

    void updateMetrics(const QFontMetricsF& fontmetrics);
    // Paints the header and the rows firstline .. lastline (both inclusive, clamped to the
    // document); x positions are document coordinates, the caller translates for scrolling.
    void render(QPainter* painter, const QPalette& palette, qint64 firstline, qint64 lastline);

    int selectedArea() const { return area; }
    bool editableArea(int a) const { return a == HexArea || a == AsciiArea; }
    void selectArea(int a) {
        if (editableArea(a))
            area = a;
    }
    bool cursorVisible() const { return cursorShown; }
    void enableCursor(bool b = true) { cursorShown = b; }
    void blinkCursor() { cursorShown = !cursorShown; }

    quint8 hexLineWidth() const;
    qint64 documentLines() const;
    qint64 documentLastLine() const { return documentLines() - 1; }
    int documentLastColumn() const;
    int headerLineCount() const { return 1; }
    int lineHeight() const;
    int borderSize() const;
    int cellWidth() const;
    int getAddressWidth() const;
    int getHexColumnX() const;
    int getAsciiColumnX() const;
    int getEndColumnX() const;
    // The most bytes per row whose columns fit into width pixels (0 when not even one does).
    int bytesPerLineFitting(int width) const;
    // The row's rectangle in the viewport, with firstline shown just below the header.
    QRect getLineRect(qint64 line, qint64 firstline, int width) const;

    int hitTestArea(const QPoint& pt) const;
    // The cell under pt (document x, viewport y) in the given editable area, clamped to the
    // document; false outside the rows.
    bool hitTest(const QPoint& pt, int inArea, CursorPosition* position, qint64 firstline) const;

private:
    void drawHeader(QPainter* painter, const QPalette& palette);
    void drawRow(QPainter* painter, const QPalette& palette, qint64 line, int y);
    void drawCursor(QPainter* painter, const QPalette& palette, int y);

    HexDocument* document;
    QFontMetricsF metrics;
    int area = HexArea;
    bool cursorShown = false;
};
