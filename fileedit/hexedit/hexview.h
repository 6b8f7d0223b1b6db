// The hex editor widget: shows a hex document and edits it by keyboard and mouse.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>

#include "cursorposition.h"

class HexDocument;
class HexRenderer;

class HexView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit HexView(QWidget* parent = nullptr);

    HexDocument* document() const { return hexDocument; }
    HexRenderer* renderer() const { return hexRenderer; }
    // Takes the document over; the previous document and renderer are deleted later.
    void setDocument(HexDocument* document);
    void setReadOnly(bool b) { readOnly = b; }
    bool isReadOnly() const { return readOnly; }

    // The font the bytes are drawn in; style sheets that set fonts for every widget do not
    // reach it, since the columns only line up in a fixed-width face.
    QFont hexFont() const { return fixedFont; }
    void setHexFont(const QFont& font);

    qint64 firstVisibleLine() const;
    int visibleLines() const;
    // Places the cursor on a byte and scrolls to it.
    void goToOffset(qint64 offset);

signals:
    void saveFile();
    void saveFileAs();
    // A copy or cut was refused because the selection is too large for the clipboard.
    void clipboardRefused(qint64 selectionLength);

public slots:
    void renderCurrentLine();
    void moveToSelection();
    void blinkCursor();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool processMove(QKeyEvent* e);
    bool processAction(QKeyEvent* e);
    bool processTextInput(QKeyEvent* e);
    void moveCursorTo(qint64 offset, int nibble, bool select);
    void moveNext(bool select);
    void movePrevious(bool select);
    void adjustScrollBars();
    qint64 scrollFactor() const;
    QPoint documentPoint(const QPoint& viewportPoint) const;
    void copyOrCut(bool cut);

    QFont fixedFont;
    bool readOnly = false;
    HexDocument* hexDocument = nullptr;
    HexRenderer* hexRenderer = nullptr;
    QTimer blinktimer;
};
