#include "hexdocument.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QIODevice>
#include <QUndoStack>

#include "hexcursor.h"
#include "hexmetadata.h"
#include "insertcommand.h"
#include "memorybuffer.h"
#include "removecommand.h"
#include "replacecommand.h"

namespace {
// Pairs of hex digits; anything else between them (spaces, commas, new lines) is skipped and
// a lone digit at the end is dropped.
QByteArray fromHexText(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() / 2);
    int high = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.append(char(high * 16 + v));
            high = -1;
        }
    }
    return out;
}
}  // namespace

HexDocument::HexDocument(HexBuffer* buffer, QObject* parent) : QObject(parent), hexBuffer(buffer) {
    hexBuffer->setParent(this);
    hexMetadata = new HexMetadata(this);
    stack = new QUndoStack(this);
    hexCursor = new HexCursor(this);
    hexCursor->setRowWidth(lineWidth);
    hexMetadata->setLineWidth(lineWidth);
    connect(hexMetadata, &HexMetadata::metadataChanged, this, &HexDocument::lineChanged);
    connect(hexMetadata, &HexMetadata::metadataCleared, this, &HexDocument::documentChanged);
    connect(stack, &QUndoStack::canUndoChanged, this, &HexDocument::canUndoChanged);
    connect(stack, &QUndoStack::canRedoChanged, this, &HexDocument::canRedoChanged);
}

HexDocument* HexDocument::fromMemory(const QByteArray& data, QObject* parent) {
    auto* buffer = new MemoryBuffer();
    buffer->read(data);
    return new HexDocument(buffer, parent);
}

qint64 HexDocument::length() const {
    return hexBuffer->length();
}

bool HexDocument::canUndo() const {
    return stack->canUndo();
}

bool HexDocument::canRedo() const {
    return stack->canRedo();
}

bool HexDocument::cursorAtEnd() const {
    return hexCursor->positionOffset() >= length();
}

uchar HexDocument::at(qint64 offset) const {
    return hexBuffer->at(offset);
}

void HexDocument::setBaseAddress(quint64 base) {
    if (addressBase == base)
        return;
    addressBase = base;
    emit documentChanged();
}

void HexDocument::setBytesPerLine(quint8 width) {
    if (width == 0)
        return;
    lineWidth = width;
    hexCursor->setRowWidth(width);
    hexMetadata->setLineWidth(width);
    emit lineWidthChanged();
}

bool HexDocument::deleteSelection() {
    if (!hexCursor->hasSelection())
        return false;
    const qint64 start = hexCursor->selectionStart().offset();
    const qint64 len = qMin(hexCursor->selectionLength(), length() - start);
    if (len > 0)
        remove(start, int(qMin<qint64>(len, INT_MAX)));
    // The cursor lands where the removed bytes began, whichever way the selection was made.
    hexCursor->placeAt(start);
    return true;
}

QByteArray HexDocument::selectionBytes() const {
    if (!hexCursor->hasSelection())
        return QByteArray();
    return read(hexCursor->selectionStart().offset(),
                int(qMin<qint64>(hexCursor->selectionLength(), INT_MAX)));
}

bool HexDocument::canCopySelection() const {
    return hexCursor->hasSelection() && hexCursor->selectionLength() <= kMaxClipboardBytes;
}

void HexDocument::undo() {
    stack->undo();
    emit documentChanged();
}

void HexDocument::redo() {
    stack->redo();
    emit documentChanged();
}

bool HexDocument::cut(bool hex) {
    if (!copy(hex))
        return false;
    deleteSelection();
    return true;
}

bool HexDocument::copy(bool hex) {
    if (!canCopySelection())
        return false;
    const QByteArray bytes = selectionBytes();
    QString text;
    if (hex)
        text = QString::fromLatin1(bytes.toHex(' ').toUpper());
    else
        text = QString::fromUtf8(bytes);
    QGuiApplication::clipboard()->setText(text);
    return true;
}

void HexDocument::paste(bool hex) {
    QByteArray data = QGuiApplication::clipboard()->text().toUtf8();
    if (data.isEmpty())
        return;
    deleteSelection();
    if (hex)
        data = fromHexText(data);
    if (data.isEmpty())
        return;
    const qint64 pos = hexCursor->positionOffset();
    if (hexCursor->insertionMode() == HexCursor::InsertMode)
        insert(pos, data);
    else
        replace(pos, data);
}

void HexDocument::insert(qint64 offset, uchar b) {
    insert(offset, QByteArray(1, char(b)));
}

void HexDocument::replace(qint64 offset, uchar b) {
    replace(offset, QByteArray(1, char(b)));
}

void HexDocument::insert(qint64 offset, const QByteArray& data) {
    if (offset < 0 || offset > length() || data.isEmpty())
        return;
    stack->push(new InsertCommand(hexBuffer, offset, data));
    emit documentChanged();
}

void HexDocument::replace(qint64 offset, const QByteArray& data) {
    if (offset < 0 || offset > length() || data.isEmpty())
        return;
    stack->push(new ReplaceCommand(hexBuffer, offset, data));
    emit documentChanged();
}

void HexDocument::remove(qint64 offset, int len) {
    if (offset < 0 || offset >= length() || len <= 0)
        return;
    stack->push(new RemoveCommand(hexBuffer, offset, len));
    emit documentChanged();
}

QByteArray HexDocument::read(qint64 offset, int len) const {
    return hexBuffer->read(offset, len);
}

bool HexDocument::saveTo(QIODevice* device) {
    if (!device || !device->isWritable())
        return false;
    return hexBuffer->write(device);
}

qint64 HexDocument::searchForward(const QByteArray& ba) {
    // With a hit selected, the next search starts one byte after its start, so a repeated
    // search walks on through the file instead of finding the same bytes again.
    const qint64 from = hexCursor->hasSelection() ? hexCursor->selectionStart().offset() + 1
                                                  : hexCursor->positionOffset();
    const qint64 hit = hexBuffer->indexOf(ba, from);
    if (hit >= 0)
        selectHit(hit, ba.size());
    return hit;
}

qint64 HexDocument::searchBackward(const QByteArray& ba) {
    const qint64 start = hexCursor->hasSelection() ? hexCursor->selectionStart().offset()
                                                   : hexCursor->positionOffset();
    const qint64 hit = start < 1 ? -1 : hexBuffer->lastIndexOf(ba, start - 1);
    if (hit >= 0)
        selectHit(hit, ba.size());
    return hit;
}

void HexDocument::selectHit(qint64 offset, int len) {
    hexCursor->collapseSelection();
    hexCursor->selectRange(offset, len);
}
