#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

#include "hexcursor.h"
#include "hexdocument.h"
#include "hexmetadata.h"
#include "memorybuffer.h"
#include "testworkdir.h"

namespace {
// Accepts the first `limit` bytes, then refuses every write, as a full disk does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 limit) : limit(limit) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override {
        const qint64 room = limit - written.size();
        if (room <= 0)
            return -1;
        const qint64 n = qMin(room, len);
        written.append(data, n);
        return n;
    }

private:
    qint64 limit;
};

QByteArray bytes(const char* hex) {
    return QByteArray::fromHex(hex);
}
}  // namespace

class TestHexDocument : public QObject {
    Q_OBJECT
private slots:
    void init() {
        work.reset();  // the old folder restores its working directory first
        work = std::make_unique<TestWorkDir>();
    }
    void editsUndoToTheOriginal_data();
    void editsUndoToTheOriginal();
    void copyInHexAndText_data();
    void copyInHexAndText();
    void pasteHexSkipsSeparators();
    void pasteOverSelectionIsTwoUndoableCommands_data();
    void pasteOverSelectionIsTwoUndoableCommands();
    void pasteEmptyDoesNothing();
    void undoRedoAvailabilitySignals();
    void searches_data();
    void searches();
    void repeatedSearchWalksOn();
    void saveReportsShortWrites_data();
    void saveReportsShortWrites();
    void cursorSelection_data();
    void cursorSelection();
    void metadataSplitsByRowWidth();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestHexDocument::editsUndoToTheOriginal_data() {
    QTest::addColumn<QString>("op");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("after");
    QTest::addRow("insert in the middle")
        << "insert" << qint64(1) << bytes("AABB") << 0 << bytes("00AABB112233");
    QTest::addRow("insert at the end")
        << "insert" << qint64(4) << bytes("FF") << 0 << bytes("00112233FF");
    QTest::addRow("replace inside")
        << "replace" << qint64(1) << bytes("EEFF") << 0 << bytes("00EEFF33");
    QTest::addRow("replace running past the end grows, undo shrinks")
        << "replace" << qint64(3) << bytes("AABBCC") << 0 << bytes("001122AABBCC");
    QTest::addRow("remove") << "remove" << qint64(1) << QByteArray() << 2 << bytes("0033");
    QTest::addRow("remove past the end takes what is there")
        << "remove" << qint64(2) << QByteArray() << 10 << bytes("0011");
}

void TestHexDocument::editsUndoToTheOriginal() {
    QFETCH(QString, op);
    QFETCH(qint64, offset);
    QFETCH(QByteArray, data);
    QFETCH(int, length);
    QFETCH(QByteArray, after);
    const QByteArray original = bytes("00112233");
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(original));
    QSignalSpy changed(doc.get(), &HexDocument::documentChanged);
    if (op == "insert")
        doc->insert(offset, data);
    else if (op == "replace")
        doc->replace(offset, data);
    else
        doc->remove(offset, length);
    QCOMPARE(doc->read(0, 100), after);
    QCOMPARE(changed.count(), 1);
    doc->undo();
    QCOMPARE(doc->read(0, 100), original);
    doc->redo();
    QCOMPARE(doc->read(0, 100), after);
}

void TestHexDocument::copyInHexAndText_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("clipboard");
    QTest::addRow("hex pairs, upper case, single spaces") << bytes("00FF10") << true << "00 FF 10";
    QTest::addRow("0A 1B FF") << bytes("0A1BFF") << true << "0A 1B FF";
    QTest::addRow("text as UTF-8") << QByteArray("h\xC3\xA9!") << false << QString::fromUtf8("hé!");
}

void TestHexDocument::copyInHexAndText() {
    QFETCH(QByteArray, data);
    QFETCH(bool, hex);
    QFETCH(QString, clipboard);
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(data + "tail"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QVERIFY(!doc->copy(hex));  // nothing selected: the clipboard is left alone
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    doc->cursor()->selectRange(0, data.size());
    QVERIFY(doc->copy(hex));
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void TestHexDocument::pasteHexSkipsSeparators() {
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(QByteArray()));
    doc->cursor()->setEditMode(HexCursor::InsertMode);
    QGuiApplication::clipboard()->setText(QStringLiteral("00 ff 10"));
    doc->paste(true);
    QCOMPARE(doc->read(0, 10), bytes("00FF10"));
    QGuiApplication::clipboard()->setText(QStringLiteral("0x12,\n34 5"));
    doc->cursor()->placeAt(3);
    doc->paste(true);
    // Pairs of digits, everything else skipped: "0x12,\n34 5" reads 01 23 45.
    QCOMPARE(doc->read(0, 10), bytes("00FF10012345"));
}

void TestHexDocument::pasteOverSelectionIsTwoUndoableCommands_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("after");
    QTest::addRow("insert mode") << int(HexCursor::InsertMode) << bytes("00AABB4455");
    QTest::addRow("overwrite mode") << int(HexCursor::OverwriteMode) << bytes("00AABB");
}

void TestHexDocument::pasteOverSelectionIsTwoUndoableCommands() {
    QFETCH(int, mode);
    QFETCH(QByteArray, after);
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(bytes("001122334455")));
    doc->cursor()->setEditMode(HexCursor::InsertionMode(mode));
    doc->cursor()->selectRange(1, 3);  // 11 22 33
    QGuiApplication::clipboard()->setText(QStringLiteral("AA BB"));
    doc->paste(true);
    QCOMPARE(doc->read(0, 100), after);
    QCOMPARE(doc->undoStack()->count(), 2);
    doc->undo();
    doc->undo();
    QCOMPARE(doc->read(0, 100), bytes("001122334455"));
    QVERIFY(!doc->canUndo());
}

void TestHexDocument::pasteEmptyDoesNothing() {
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(bytes("0011")));
    doc->cursor()->selectRange(0, 2);
    QGuiApplication::clipboard()->setText(QString());
    doc->paste(true);
    QCOMPARE(doc->read(0, 10), bytes("0011"));
    QVERIFY(doc->cursor()->hasSelection());
    QCOMPARE(doc->undoStack()->count(), 0);
}

void TestHexDocument::undoRedoAvailabilitySignals() {
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(bytes("00")));
    QSignalSpy canUndo(doc.get(), &HexDocument::canUndoChanged);
    QSignalSpy canRedo(doc.get(), &HexDocument::canRedoChanged);
    doc->replace(0, uchar(0x12));
    QCOMPARE(canUndo.count(), 1);
    QCOMPARE(canUndo.last().at(0).toBool(), true);
    doc->replace(0, uchar(0x34));
    QCOMPARE(canUndo.last().at(0).toBool(), true);
    doc->undo();
    doc->undo();
    QCOMPARE(canUndo.last().at(0).toBool(), false);
    QCOMPARE(canRedo.last().at(0).toBool(), true);
    doc->redo();
    QCOMPARE(canUndo.last().at(0).toBool(), true);
    doc->insert(1, uchar(0xFF));  // a new edit drops the redo history
    QCOMPARE(canRedo.last().at(0).toBool(), false);
    QCOMPARE(doc->read(0, 10), bytes("12FF"));
}

void TestHexDocument::searches_data() {
    QTest::addColumn<bool>("forward");
    QTest::addColumn<qint64>("cursor");
    QTest::addColumn<qint64>("selectFrom");  // -1: no selection
    QTest::addColumn<qint64>("expected");
    // AB at 1, 5 and 9
    QTest::addRow("forward from the cursor finds a hit at the cursor")
        << true << qint64(5) << qint64(-1) << qint64(5);
    QTest::addRow("forward from past the last hit")
        << true << qint64(10) << qint64(-1) << qint64(-1);
    QTest::addRow("backward starts one byte before the cursor")
        << false << qint64(5) << qint64(-1) << qint64(1);
    QTest::addRow("backward from just after a hit finds it")
        << false << qint64(6) << qint64(-1) << qint64(5);
    QTest::addRow("backward from offset 0 finds nothing")
        << false << qint64(0) << qint64(-1) << qint64(-1);
    QTest::addRow("backward starts before the selection")
        << false << qint64(10) << qint64(9) << qint64(5);
}

void TestHexDocument::searches() {
    QFETCH(bool, forward);
    QFETCH(qint64, cursor);
    QFETCH(qint64, selectFrom);
    QFETCH(qint64, expected);
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(bytes("00AB000000AB000000AB")));
    if (selectFrom >= 0) {
        doc->cursor()->placeAt(selectFrom);
        doc->cursor()->extendTo(cursor);
    } else {
        doc->cursor()->placeAt(cursor);
    }
    const qint64 hit = forward ? doc->searchForward(bytes("AB")) : doc->searchBackward(bytes("AB"));
    QCOMPARE(hit, expected);
    if (hit >= 0) {
        QCOMPARE(doc->selectionBytes(), bytes("AB"));
        QCOMPARE(doc->cursor()->selectionStart().offset(), hit);
    }
}

void TestHexDocument::repeatedSearchWalksOn() {
    // A one-byte pattern: a search that began at the cursor would find the same byte forever.
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(bytes("7F007F007F")));
    QList<qint64> hits;
    for (int i = 0; i < 4; ++i) hits << doc->searchForward(bytes("7F"));
    QCOMPARE(hits, (QList<qint64>{0, 2, 4, -1}));
    QCOMPARE(doc->searchBackward(bytes("7F")), qint64(2));
    QCOMPARE(doc->searchBackward(bytes("7F")), qint64(0));
    QCOMPARE(doc->searchBackward(bytes("7F")), qint64(-1));
}

void TestHexDocument::saveReportsShortWrites_data() {
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("ok");
    QTest::addRow("room for all") << qint64(1000) << true;
    QTest::addRow("full after 3 bytes") << qint64(3) << false;
    QTest::addRow("full at once") << qint64(0) << false;
}

void TestHexDocument::saveReportsShortWrites() {
    QFETCH(qint64, limit);
    QFETCH(bool, ok);
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(bytes("0102030405")));
    FailingDevice device(limit);
    QCOMPARE(doc->saveTo(&device), ok);
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QVERIFY(!doc->saveTo(&readOnly));
}

void TestHexDocument::cursorSelection_data() {
    QTest::addColumn<qint64>("anchor");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("nibble");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("length");
    QTest::addRow("same cell: none")
        << qint64(3) << qint64(3) << 1 << false << qint64(3) << qint64(1);
    QTest::addRow("same byte, low digit: one byte")
        << qint64(3) << qint64(3) << 0 << true << qint64(3) << qint64(1);
    QTest::addRow("forward across a row")
        << qint64(14) << qint64(17) << 1 << true << qint64(14) << qint64(4);
    QTest::addRow("backward") << qint64(17) << qint64(14) << 1 << true << qint64(14) << qint64(4);
}

void TestHexDocument::cursorSelection() {
    QFETCH(qint64, anchor);
    QFETCH(qint64, position);
    QFETCH(int, nibble);
    QFETCH(bool, selected);
    QFETCH(qint64, start);
    QFETCH(qint64, length);
    HexCursor cursor;
    cursor.placeAt(anchor);
    CursorPosition p;
    p.setOffset(position);
    p.nibbleindex = nibble;
    cursor.extendTo(p);
    QCOMPARE(cursor.hasSelection(), selected);
    QCOMPARE(cursor.selectionStart().offset(), start);
    QCOMPARE(cursor.selectionLength(), length);
}

void TestHexDocument::metadataSplitsByRowWidth() {
    std::unique_ptr<HexDocument> doc(HexDocument::fromMemory(QByteArray(64, '\0')));
    HexMetadata* meta = doc->metadata();
    meta->comment(14, 17, QStringLiteral("crc"));
    meta->comment(16, 16, QStringLiteral("flag"));
    QCOMPARE(meta->get(0).size(), 1);
    QCOMPARE(meta->get(0).first().start, 14);
    QCOMPARE(meta->get(0).first().length, 2);
    QCOMPARE(meta->comments(1, 0), QStringLiteral("crc\nflag"));
    QCOMPARE(meta->comments(1, 2), QString());
    doc->setBytesPerLine(8);
    QCOMPARE(meta->get(1).first().start, 6);
    QCOMPARE(meta->comments(2, 1), QStringLiteral("crc"));
}

QTEST_MAIN(TestHexDocument)
#include "tst_hexdocument.moc"
