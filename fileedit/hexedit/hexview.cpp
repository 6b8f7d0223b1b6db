#include "hexview.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "hexcursor.h"
#include "hexdocument.h"
#include "hexmetadata.h"
#include "hexrenderer.h"
#include "memorybuffer.h"

namespace {
constexpr int kBlinkMs = 500;
constexpr int kWheelLines = 3;

bool withoutModifiers(const QKeyEvent* e) {
    // Keypad keys carry KeypadModifier; they type like the main keys.
    return (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
}  // namespace

HexView::HexView(QWidget* parent) : QAbstractScrollArea(parent) {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(f).fixedPitch()) {
        f = QFont(QStringLiteral("Monospace"));
        f.setStyleHint(QFont::TypeWriter);
    }
    f.setPointSize(12);
    fixedFont = f;
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    blinktimer.setInterval(kBlinkMs);
    connect(&blinktimer, &QTimer::timeout, this, &HexView::blinkCursor);
    // An empty document from the start, so a new view can be typed into at once.
    setDocument(new HexDocument(new MemoryBuffer()));
}

void HexView::setDocument(HexDocument* document) {
    if (hexDocument)
        hexDocument->deleteLater();
    if (hexRenderer)
        hexRenderer->deleteLater();
    hexDocument = document;
    hexDocument->setParent(this);
    hexRenderer = new HexRenderer(hexDocument, QFontMetricsF(fixedFont), this);
    connect(hexDocument, &HexDocument::documentChanged, this, [this] {
        adjustScrollBars();
        viewport()->update();
    });
    connect(hexDocument, &HexDocument::lineWidthChanged, this, [this] {
        adjustScrollBars();
        moveToSelection();
    });
    connect(hexDocument, &HexDocument::lineChanged, viewport(), qOverload<>(&QWidget::update));
    connect(hexDocument->cursor(), &HexCursor::positionChanged, this, &HexView::moveToSelection);
    connect(hexDocument->cursor(), &HexCursor::insertionModeChanged, this,
            &HexView::renderCurrentLine);
    adjustScrollBars();
    viewport()->update();
}

void HexView::setHexFont(const QFont& font) {
    fixedFont = font;
    if (hexRenderer)
        hexRenderer->updateMetrics(QFontMetricsF(fixedFont));
    adjustScrollBars();
    viewport()->update();
}

qint64 HexView::scrollFactor() const {
    // A scroll bar counts in int: very long documents scroll in steps of several lines.
    const qint64 lines = hexRenderer ? hexRenderer->documentLines() : 1;
    return lines > 2147483646 ? lines / 2147483647 + 1 : 1;
}

qint64 HexView::firstVisibleLine() const {
    return qint64(verticalScrollBar()->value()) * scrollFactor();
}

int HexView::visibleLines() const {
    if (!hexRenderer)
        return 0;
    const int lh = hexRenderer->lineHeight();
    return qMax(1, (viewport()->height() - hexRenderer->headerLineCount() * lh) / lh);
}

void HexView::adjustScrollBars() {
    if (!hexRenderer)
        return;
    const qint64 lines = hexRenderer->documentLines();
    const qint64 factor = scrollFactor();
    const qint64 max = qMax<qint64>(0, lines - visibleLines()) / factor;
    verticalScrollBar()->setRange(0, int(max));
    const int widthOver = hexRenderer->getEndColumnX() + 1 - viewport()->width();
    horizontalScrollBar()->setRange(0, qMax(0, widthOver));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(hexRenderer->cellWidth());
}

QPoint HexView::documentPoint(const QPoint& viewportPoint) const {
    return viewportPoint + QPoint(horizontalScrollBar()->value(), 0);
}

void HexView::goToOffset(qint64 offset) {
    if (!hexDocument)
        return;
    hexDocument->cursor()->placeAt(qBound<qint64>(0, offset, hexDocument->length()));
}

void HexView::renderCurrentLine() {
    if (!hexDocument || !hexRenderer)
        return;
    const qint64 line = hexDocument->cursor()->currentLine();
    const QRect r = hexRenderer->getLineRect(line, firstVisibleLine(), viewport()->width());
    viewport()->update(r);
}

void HexView::moveToSelection() {
    if (!hexDocument || !hexRenderer)
        return;
    const qint64 line = hexDocument->cursor()->currentLine();
    const qint64 first = firstVisibleLine();
    const qint64 factor = scrollFactor();
    if (line < first)
        verticalScrollBar()->setValue(int(line / factor));
    else if (line >= first + visibleLines())
        verticalScrollBar()->setValue(int((line - visibleLines() + 1 + factor - 1) / factor));
    viewport()->update();
}

void HexView::blinkCursor() {
    if (!hexRenderer)
        return;
    hexRenderer->blinkCursor();
    renderCurrentLine();
}

bool HexView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip && hexDocument && hexRenderer) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QPoint vp = viewport()->mapFrom(this, help->pos());
        const QPoint pt = documentPoint(vp);
        const int area = hexRenderer->hitTestArea(pt);
        CursorPosition pos;
        QString text;
        if (hexRenderer->hitTest(pt, area, &pos, firstVisibleLine()))
            text = hexDocument->metadata()->comments(pos.line, pos.column);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QAbstractScrollArea::event(e);
}

void HexView::paintEvent(QPaintEvent*) {
    if (!hexDocument || !hexRenderer)
        return;
    QPainter painter(viewport());
    painter.setFont(fixedFont);
    const QPalette pal = palette();
    painter.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    painter.translate(-horizontalScrollBar()->value(), 0);
    const qint64 first = firstVisibleLine();
    // One partly visible row below the last whole one.
    hexRenderer->render(&painter, pal, first, first + visibleLines());
}

void HexView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    adjustScrollBars();
}

void HexView::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    if (hexRenderer) {
        hexRenderer->enableCursor(true);
        renderCurrentLine();
    }
    blinktimer.start();
}

void HexView::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    blinktimer.stop();
    if (hexRenderer) {
        hexRenderer->enableCursor(false);
        renderCurrentLine();
    }
}

void HexView::wheelEvent(QWheelEvent* e) {
    const int dy = e->angleDelta().y();
    if (dy == 0) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    const int notches = qMax(1, qAbs(dy) / 120);
    const int step = notches * kWheelLines * (dy < 0 ? 1 : -1);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + step);
    e->accept();
}

void HexView::mousePressEvent(QMouseEvent* e) {
    if (!hexDocument || !hexRenderer || e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    const QPoint pt = documentPoint(e->position().toPoint());
    const int area = hexRenderer->hitTestArea(pt);
    if (!hexRenderer->editableArea(area))
        return;
    hexRenderer->selectArea(area);
    CursorPosition pos;
    if (!hexRenderer->hitTest(pt, area, &pos, firstVisibleLine()))
        return;
    if (e->modifiers() & Qt::ShiftModifier)
        hexDocument->cursor()->extendTo(pos);
    else
        hexDocument->cursor()->placeAt(pos);
    hexRenderer->enableCursor(true);
    viewport()->update();
}

void HexView::mouseMoveEvent(QMouseEvent* e) {
    if (!hexDocument || !hexRenderer)
        return;
    const QPoint pt = documentPoint(e->position().toPoint());
    if (e->buttons() & Qt::LeftButton) {
        blinktimer.stop();
        hexRenderer->enableCursor(false);
        CursorPosition pos;
        if (hexRenderer->hitTest(pt, hexRenderer->selectedArea(), &pos, firstVisibleLine()))
            hexDocument->cursor()->extendTo(pos);
        return;
    }
    if (e->buttons() == Qt::NoButton) {
        const int area = hexRenderer->hitTestArea(pt);
        viewport()->setCursor(hexRenderer->editableArea(area) ? Qt::IBeamCursor : Qt::ArrowCursor);
    }
}

void HexView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(e);
        return;
    }
    e->accept();
    if (hasFocus()) {
        if (hexRenderer)
            hexRenderer->enableCursor(true);
        blinktimer.start();
    }
}

void HexView::keyPressEvent(QKeyEvent* e) {
    if (!hexDocument || !hexRenderer) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    blinktimer.stop();
    hexRenderer->enableCursor(true);
    if (!processMove(e) && !processAction(e) && !processTextInput(e))
        QAbstractScrollArea::keyPressEvent(e);
    else
        e->accept();
    if (hasFocus())
        blinktimer.start();
}

void HexView::moveCursorTo(qint64 offset, int nibble, bool select) {
    const qint64 len = hexDocument->length();
    if (offset >= len) {
        // The append position has only one cell.
        offset = len;
        nibble = 1;
    }
    if (offset < 0) {
        offset = 0;
        nibble = 1;
    }
    CursorPosition p;
    p.lineWidth = hexDocument->hexLineWidth();
    p.setOffset(offset);
    p.nibbleindex = nibble;
    if (select)
        hexDocument->cursor()->extendTo(p);
    else
        hexDocument->cursor()->placeAt(p);
}

void HexView::moveNext(bool select) {
    const CursorPosition& p = hexDocument->cursor()->position();
    const qint64 offset = p.offset();
    if (hexRenderer->selectedArea() == HexRenderer::HexArea && p.nibbleindex == 1 &&
        offset < hexDocument->length())
        moveCursorTo(offset, 0, select);
    else
        moveCursorTo(offset + 1, 1, select);
}

void HexView::movePrevious(bool select) {
    const CursorPosition& p = hexDocument->cursor()->position();
    const qint64 offset = p.offset();
    if (hexRenderer->selectedArea() == HexRenderer::HexArea) {
        if (p.nibbleindex == 0)
            moveCursorTo(offset, 1, select);
        else if (offset > 0)
            moveCursorTo(offset - 1, 0, select);
        else
            moveCursorTo(0, 1, select);
    } else {
        moveCursorTo(offset - 1, 1, select);
    }
}

bool HexView::processMove(QKeyEvent* e) {
    HexCursor* cursor = hexDocument->cursor();
    const CursorPosition p = cursor->position();
    const qint64 w = hexDocument->hexLineWidth();
    const qint64 lastLine = hexRenderer->documentLastLine();
    const auto lineEnd = [&](qint64 line) {
        return line * w + (line == lastLine ? hexRenderer->documentLastColumn() : w - 1);
    };
    const auto toLine = [&](qint64 line, bool select) {
        line = qBound<qint64>(0, line, lastLine);
        moveCursorTo(qMin(line * w + p.column, lineEnd(line)), p.nibbleindex, select);
    };
    for (bool select : {false, true}) {
        using K = QKeySequence;
        if (e->matches(select ? K::SelectNextChar : K::MoveToNextChar))
            moveNext(select);
        else if (e->matches(select ? K::SelectPreviousChar : K::MoveToPreviousChar))
            movePrevious(select);
        else if (e->matches(select ? K::SelectNextLine : K::MoveToNextLine))
            toLine(qMin(p.line + 1, lastLine), select);
        else if (e->matches(select ? K::SelectPreviousLine : K::MoveToPreviousLine))
            toLine(qMax<qint64>(p.line - 1, 0), select);
        else if (e->matches(select ? K::SelectNextPage : K::MoveToNextPage))
            toLine(p.line + visibleLines(), select);
        else if (e->matches(select ? K::SelectPreviousPage : K::MoveToPreviousPage))
            toLine(p.line - visibleLines(), select);
        else if (e->matches(select ? K::SelectStartOfLine : K::MoveToStartOfLine))
            moveCursorTo(p.line * w, 1, select);
        else if (e->matches(select ? K::SelectEndOfLine : K::MoveToEndOfLine))
            moveCursorTo(lineEnd(p.line), 1, select);
        else if (e->matches(select ? K::SelectStartOfDocument : K::MoveToStartOfDocument))
            moveCursorTo(0, 1, select);
        else if (e->matches(select ? K::SelectEndOfDocument : K::MoveToEndOfDocument))
            moveCursorTo(hexDocument->length(), 1, select);
        else
            continue;
        return true;
    }
    return false;
}

void HexView::copyOrCut(bool cut) {
    if (!hexDocument->cursor()->hasSelection())
        return;
    const bool hex = hexRenderer->selectedArea() == HexRenderer::HexArea;
    const bool done = cut ? hexDocument->cut(hex) : hexDocument->copy(hex);
    if (!done)
        emit clipboardRefused(hexDocument->cursor()->selectionLength());
}

bool HexView::processAction(QKeyEvent* e) {
    if (readOnly)
        return false;
    HexCursor* cursor = hexDocument->cursor();
    if (withoutModifiers(e)) {
        switch (e->key()) {
            case Qt::Key_Backspace:
            case Qt::Key_Delete: {
                if (cursor->hasSelection()) {
                    hexDocument->deleteSelection();
                    return true;
                }
                const CursorPosition p = cursor->position();
                const qint64 offset = p.offset();
                if (e->key() == Qt::Key_Backspace) {
                    if (offset <= 0)
                        return true;
                    hexDocument->remove(offset - 1, 1);
                    moveCursorTo(
                        offset - 1,
                        hexRenderer->selectedArea() == HexRenderer::HexArea ? p.nibbleindex : 1,
                        false);
                } else if (offset < hexDocument->length()) {
                    // Delete takes the byte under the cursor, the first byte of the file too.
                    hexDocument->remove(offset, 1);
                    moveCursorTo(offset, p.nibbleindex, false);
                }
                return true;
            }
            case Qt::Key_Insert:
                cursor->toggleEditMode();
                return true;
            default:
                if (e->key() >= Qt::Key_F1 && e->key() <= Qt::Key_F12)
                    return true;
                return false;
        }
    }
    using K = QKeySequence;
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (e->matches(K::SelectAll)) {
        const qint64 lastLine = hexRenderer->documentLastLine();
        cursor->placeAt(0, 0, 1);
        cursor->extendTo(lastLine, hexRenderer->documentLastColumn(), 1);
    } else if (e->matches(K::Undo)) {
        hexDocument->undo();
    } else if (e->matches(K::Redo)) {
        hexDocument->redo();
    } else if (e->matches(K::Cut)) {
        copyOrCut(true);
    } else if (e->matches(K::Copy)) {
        copyOrCut(false);
    } else if (e->matches(K::Paste)) {
        hexDocument->paste(hexRenderer->selectedArea() == HexRenderer::HexArea);
    } else if (e->matches(K::SaveAs) ||
               (e->key() == Qt::Key_S && mods == (Qt::ControlModifier | Qt::ShiftModifier))) {
        emit saveFileAs();
    } else if (e->matches(K::Save)) {
        emit saveFile();
    }
    // Any other key with a modifier is swallowed: Shift with a letter never types.
    return true;
}

bool HexView::processTextInput(QKeyEvent* e) {
    if (readOnly || (e->modifiers() & Qt::ControlModifier))
        return false;
    const QString text = e->text();
    if (text.isEmpty())
        return false;
    const QChar ch = text.at(0);
    HexCursor* cursor = hexDocument->cursor();
    if (hexRenderer->selectedArea() == HexRenderer::HexArea) {
        int digit;
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
            digit = ch.unicode() - '0';
        else if (ch >= QLatin1Char('a') && ch <= QLatin1Char('f'))
            digit = ch.unicode() - 'a' + 10;
        else
            return false;
        hexDocument->deleteSelection();
        const CursorPosition p = cursor->position();
        const qint64 offset = p.offset();
        const bool inside = offset < hexDocument->length();
        if (inside && (p.nibbleindex == 0 || cursor->insertionMode() == HexCursor::OverwriteMode)) {
            const uchar old = hexDocument->at(offset);
            const uchar b =
                p.nibbleindex == 1 ? uchar(digit << 4 | (old & 0x0F)) : uchar((old & 0xF0) | digit);
            hexDocument->replace(offset, b);
        } else {
            hexDocument->insert(offset, uchar(digit << 4));
        }
        // The cursor is placed again: the edit may have moved the bytes under it.
        moveCursorTo(offset, p.nibbleindex, false);
        moveNext(false);
        return true;
    }
    if (ch.unicode() < 32 || ch.unicode() > 126)
        return false;
    hexDocument->deleteSelection();
    const qint64 offset = cursor->positionOffset();
    const uchar b = uchar(ch.unicode());
    if (cursor->insertionMode() == HexCursor::OverwriteMode && offset < hexDocument->length())
        hexDocument->replace(offset, b);
    else
        hexDocument->insert(offset, b);
    moveCursorTo(offset, 1, false);
    moveNext(false);
    return true;
}
