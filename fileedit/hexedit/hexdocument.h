// A hex document: the byte buffer, the cursor, the undo history and the per-row metadata.
#pragma once

#include <QByteArray>
#include <QObject>

class HexBuffer;
class HexCursor;
class HexMetadata;
class QIODevice;
class QUndoStack;

class HexDocument : public QObject {
    Q_OBJECT
public:
    // Clipboard copies of larger selections are refused: a hex copy of a whole firmware file
    // would be several times its size as text.
    static constexpr qint64 kMaxClipboardBytes = 16 * 1024 * 1024;

    // Takes the buffer over (it is re-parented to the document).
    explicit HexDocument(HexBuffer* buffer, QObject* parent = nullptr);
    // A document over a memory buffer holding a copy of the bytes.
    static HexDocument* fromMemory(const QByteArray& data, QObject* parent = nullptr);

    HexBuffer* buffer() const { return hexBuffer; }
    HexCursor* cursor() const { return hexCursor; }
    HexMetadata* metadata() const { return hexMetadata; }
    QUndoStack* undoStack() const { return stack; }

    qint64 length() const;
    bool isEmpty() const { return length() < 1; }
    bool canUndo() const;
    bool canRedo() const;
    bool cursorAtEnd() const;
    quint64 baseAddress() const { return addressBase; }
    quint8 areaIndent() const { return indent; }
    quint8 hexLineWidth() const { return lineWidth; }
    uchar at(qint64 offset) const;

    void setBaseAddress(quint64 base);
    void setAreaIndent(quint8 value) { indent = value; }
    void setBytesPerLine(quint8 width);

    bool deleteSelection();
    QByteArray selectionBytes() const;
    // Whether the selection is small enough for the clipboard.
    bool canCopySelection() const;

signals:
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    void documentChanged();
    void lineChanged(qint64 line);
    // The bytes per row changed: the layout moves, the bytes do not (no documentChanged).
    void lineWidthChanged();

public slots:
    void undo();
    void redo();
    bool cut(bool hex);
    bool cut() { return cut(false); }
    bool copy(bool hex);
    bool copy() { return copy(false); }
    void paste(bool hex);
    void paste() { paste(false); }
    void insert(qint64 offset, uchar b);
    void replace(qint64 offset, uchar b);
    void insert(qint64 offset, const QByteArray& data);
    void replace(qint64 offset, const QByteArray& data);
    void remove(qint64 offset, int len);
    QByteArray read(qint64 offset, int len = 0) const;
    bool saveTo(QIODevice* device);
    qint64 searchForward(const QByteArray& ba);
    qint64 searchBackward(const QByteArray& ba);

private:
    void selectHit(qint64 offset, int length);

    HexBuffer* hexBuffer;
    HexMetadata* hexMetadata;
    QUndoStack* stack;
    HexCursor* hexCursor;
    quint64 addressBase = 0;
    quint8 indent = 1;
    quint8 lineWidth = 16;
};
