#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

#include "hexcursor.h"
#include "hexdocument.h"
#include "hexrenderer.h"
#include "hexview.h"
#include "memorybuffer.h"
#include "testworkdir.h"

namespace {
QByteArray bytes(const char* hex) {
    return QByteArray::fromHex(hex);
}
}  // namespace

class TestHexView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() {
        view.reset();
        work.reset();
    }
    void emptyDocumentTypesNewBytes();
    void hexDigits_data();
    void hexDigits();
    void characterColumnTyping_data();
    void characterColumnTyping();
    void modifiersAndFunctionKeysAreSwallowed_data();
    void modifiersAndFunctionKeysAreSwallowed();
    void backspaceAndDelete_data();
    void backspaceAndDelete();
    void moves_data();
    void moves();
    void selectAllCopyPasteByKeys();
    void saveKeysEmitSignals();
    void readOnlyRefusesEdits();
    void addressDigits_data();
    void addressDigits();
    void layoutAndHitTest();
    void mouseDragSelects();
    void wheelScrollsThreeLines();
    void cursorStaysVisible();

private:
    void load(const QByteArray& data);
    HexDocument* doc() const { return view->document(); }
    void type(const QString& keys) { QTest::keyClicks(view.get(), keys); }

    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<HexView> view;
};

void TestHexView::init() {
    work.reset();  // the old folder restores its working directory first
    work = std::make_unique<TestWorkDir>();
    view = std::make_unique<HexView>();
    view->resize(800, 400);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
}

void TestHexView::load(const QByteArray& data) {
    view->setDocument(HexDocument::fromMemory(data));
}

void TestHexView::emptyDocumentTypesNewBytes() {
    QCOMPARE(doc()->length(), qint64(0));
    QCOMPARE(view->renderer()->documentLines(), qint64(1));
    type(QStringLiteral("4"));
    QCOMPARE(doc()->read(0, 10), bytes("40"));
    type(QStringLiteral("1"));
    QCOMPARE(doc()->read(0, 10), bytes("41"));
    type(QStringLiteral("ff0"));
    QCOMPARE(doc()->read(0, 10), bytes("41FF00"));
    QCOMPARE(doc()->cursor()->positionOffset(), qint64(2));
    QCOMPARE(doc()->cursor()->currentNibble(), 0);
}

void TestHexView::hexDigits_data() {
    QTest::addColumn<bool>("insertMode");
    QTest::addColumn<int>("nibble");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QByteArray>("after");
    QTest::addRow("overwrite high digit: F2") << false << 1 << "f" << bytes("F234");
    QTest::addRow("overwrite low digit: 1F") << false << 0 << "f" << bytes("1F34");
    QTest::addRow("insert on the high digit inserts a byte") << true << 1 << "f" << bytes("F01234");
    QTest::addRow("insert on the low digit changes it") << true << 0 << "f" << bytes("1F34");
    QTest::addRow("upper-case F is ignored") << false << 1 << "F" << bytes("1234");
    QTest::addRow("other letters are ignored") << false << 1 << "gz " << bytes("1234");
    QTest::addRow("two digits walk on to the next byte") << false << 1 << "abc" << bytes("ABC4");
}

void TestHexView::hexDigits() {
    QFETCH(bool, insertMode);
    QFETCH(int, nibble);
    QFETCH(QString, keys);
    QFETCH(QByteArray, after);
    load(bytes("1234"));
    doc()->cursor()->setEditMode(insertMode ? HexCursor::InsertMode : HexCursor::OverwriteMode);
    doc()->cursor()->placeAt(0, 0, nibble);
    type(keys);
    QCOMPARE(doc()->read(0, 10), after);
}

void TestHexView::characterColumnTyping_data() {
    QTest::addColumn<bool>("insertMode");
    QTest::addColumn<QByteArray>("after");
    QTest::addRow("overwrite") << false << QByteArray("AxyD");
    QTest::addRow("insert") << true << QByteArray("AxyBCD");
}

void TestHexView::characterColumnTyping() {
    QFETCH(bool, insertMode);
    QFETCH(QByteArray, after);
    load("ABCD");
    doc()->cursor()->setEditMode(insertMode ? HexCursor::InsertMode : HexCursor::OverwriteMode);
    view->renderer()->selectArea(HexRenderer::AsciiArea);
    doc()->cursor()->placeAt(1);
    type(QStringLiteral("xy"));
    QTest::keyClick(view.get(), Qt::Key_Tab);  // not printable: nothing
    QCOMPARE(doc()->read(0, 10), after);
    QCOMPARE(doc()->cursor()->positionOffset(), qint64(3));
}

void TestHexView::modifiersAndFunctionKeysAreSwallowed_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addRow("Shift+A") << int(Qt::Key_A) << int(Qt::ShiftModifier);
    QTest::addRow("Alt+1") << int(Qt::Key_1) << int(Qt::AltModifier);
    QTest::addRow("Ctrl+B") << int(Qt::Key_B) << int(Qt::ControlModifier);
    QTest::addRow("F5") << int(Qt::Key_F5) << 0;
}

void TestHexView::modifiersAndFunctionKeysAreSwallowed() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    for (int area : {int(HexRenderer::HexArea), int(HexRenderer::AsciiArea)}) {
        load(bytes("1234"));
        view->renderer()->selectArea(area);
        QTest::keyClick(view.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(doc()->read(0, 10), bytes("1234"));
        QCOMPARE(doc()->undoStack()->count(), 0);
    }
}

void TestHexView::backspaceAndDelete_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<qint64>("cursor");
    QTest::addColumn<qint64>("selectTo");  // -1: none
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<qint64>("cursorAfter");
    QTest::addRow("backspace at 0 does nothing")
        << int(Qt::Key_Backspace) << qint64(0) << qint64(-1) << bytes("112233") << qint64(0);
    QTest::addRow("backspace removes the byte before")
        << int(Qt::Key_Backspace) << qint64(2) << qint64(-1) << bytes("1133") << qint64(1);
    QTest::addRow("backspace at the end")
        << int(Qt::Key_Backspace) << qint64(3) << qint64(-1) << bytes("1122") << qint64(2);
    QTest::addRow("delete removes the byte under the cursor")
        << int(Qt::Key_Delete) << qint64(1) << qint64(-1) << bytes("1133") << qint64(1);
    QTest::addRow("delete at 0 removes the first byte")
        << int(Qt::Key_Delete) << qint64(0) << qint64(-1) << bytes("2233") << qint64(0);
    QTest::addRow("delete at the end does nothing")
        << int(Qt::Key_Delete) << qint64(3) << qint64(-1) << bytes("112233") << qint64(3);
    QTest::addRow("delete removes a selection")
        << int(Qt::Key_Delete) << qint64(2) << qint64(1) << bytes("11") << qint64(1);
    QTest::addRow("backspace removes a selection")
        << int(Qt::Key_Backspace) << qint64(0) << qint64(1) << bytes("33") << qint64(0);
}

void TestHexView::backspaceAndDelete() {
    QFETCH(int, key);
    QFETCH(qint64, cursor);
    QFETCH(qint64, selectTo);
    QFETCH(QByteArray, after);
    QFETCH(qint64, cursorAfter);
    load(bytes("112233"));
    doc()->cursor()->placeAt(cursor);
    if (selectTo >= 0) {
        CursorPosition p;
        p.setOffset(selectTo);
        p.nibbleindex = 0;
        doc()->cursor()->extendTo(p);
    }
    QTest::keyClick(view.get(), Qt::Key(key));
    QCOMPARE(doc()->read(0, 10), after);
    QCOMPARE(doc()->cursor()->positionOffset(), cursorAfter);
}

void TestHexView::moves_data() {
    QTest::addColumn<int>("area");
    QTest::addColumn<qint64>("from");
    QTest::addColumn<int>("nibble");
    QTest::addColumn<int>("key");
    QTest::addColumn<qint64>("to");
    QTest::addColumn<int>("nibbleAfter");
    const int hex = HexRenderer::HexArea;
    const int text = HexRenderer::AsciiArea;
    // 40 bytes, 16 per row: rows 0, 1, 2 (8 bytes), the append position at 40.
    QTest::addRow("right in hex: high to low digit")
        << hex << qint64(0) << 1 << int(Qt::Key_Right) << qint64(0) << 0;
    QTest::addRow("right in hex: low digit to next byte")
        << hex << qint64(0) << 0 << int(Qt::Key_Right) << qint64(1) << 1;
    QTest::addRow("right wraps to the next row")
        << hex << qint64(15) << 0 << int(Qt::Key_Right) << qint64(16) << 1;
    QTest::addRow("right stops at the append position")
        << hex << qint64(40) << 1 << int(Qt::Key_Right) << qint64(40) << 1;
    QTest::addRow("left in hex: high digit to previous low")
        << hex << qint64(16) << 1 << int(Qt::Key_Left) << qint64(15) << 0;
    QTest::addRow("left at 0 stays")
        << hex << qint64(0) << 1 << int(Qt::Key_Left) << qint64(0) << 1;
    QTest::addRow("right in text: a byte")
        << text << qint64(3) << 1 << int(Qt::Key_Right) << qint64(4) << 1;
    QTest::addRow("down") << hex << qint64(3) << 1 << int(Qt::Key_Down) << qint64(19) << 1;
    QTest::addRow("down onto the short last row clamps")
        << hex << qint64(30) << 1 << int(Qt::Key_Down) << qint64(40) << 1;
    QTest::addRow("down on the last row stays")
        << hex << qint64(35) << 1 << int(Qt::Key_Down) << qint64(35) << 1;
    QTest::addRow("up on the first row stays")
        << hex << qint64(5) << 1 << int(Qt::Key_Up) << qint64(5) << 1;
    QTest::addRow("home") << hex << qint64(20) << 0 << int(Qt::Key_Home) << qint64(16) << 1;
    QTest::addRow("end of a full row")
        << hex << qint64(20) << 1 << int(Qt::Key_End) << qint64(31) << 1;
    QTest::addRow("end of the last row is the append position")
        << hex << qint64(33) << 1 << int(Qt::Key_End) << qint64(40) << 1;
}

void TestHexView::moves() {
    QFETCH(int, area);
    QFETCH(qint64, from);
    QFETCH(int, nibble);
    QFETCH(int, key);
    QFETCH(qint64, to);
    QFETCH(int, nibbleAfter);
    load(QByteArray(40, 'x'));
    view->renderer()->selectArea(area);
    CursorPosition p;
    p.setOffset(from);
    p.nibbleindex = nibble;
    doc()->cursor()->placeAt(p);
    QTest::keyClick(view.get(), Qt::Key(key));
    QCOMPARE(doc()->cursor()->positionOffset(), to);
    QCOMPARE(doc()->cursor()->currentNibble(), nibbleAfter);
    QVERIFY(!doc()->cursor()->hasSelection());
    QTest::keyClick(view.get(), Qt::Key(key), Qt::ShiftModifier);  // the selecting variant
    QCOMPARE(doc()->cursor()->anchor().offset(), to);
}

void TestHexView::selectAllCopyPasteByKeys() {
    load(bytes("00FF10"));
    QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("00 FF 10"));
    QTest::keyClick(view.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(doc()->length(), qint64(0));
    QGuiApplication::clipboard()->setText(QStringLiteral("00 ff 10"));
    QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(doc()->read(0, 10), bytes("00FF10"));
    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc()->length(), qint64(0));
    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc()->read(0, 10), bytes("00FF10"));
}

void TestHexView::saveKeysEmitSignals() {
    QSignalSpy save(view.get(), &HexView::saveFile);
    QSignalSpy saveAs(view.get(), &HexView::saveFileAs);
    QTest::keyClick(view.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(view.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(save.count(), 1);
    QCOMPARE(saveAs.count(), 1);
}

void TestHexView::readOnlyRefusesEdits() {
    load(bytes("1234"));
    view->setReadOnly(true);
    doc()->cursor()->selectRange(0, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    type(QStringLiteral("ab"));
    for (int key : {int(Qt::Key_Delete), int(Qt::Key_Backspace), int(Qt::Key_Insert)})
        QTest::keyClick(view.get(), Qt::Key(key));
    for (int key : {int(Qt::Key_X), int(Qt::Key_C), int(Qt::Key_V)})
        QTest::keyClick(view.get(), Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(doc()->read(0, 10), bytes("1234"));
    QCOMPARE(doc()->cursor()->insertionMode(), HexCursor::OverwriteMode);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QTest::keyClick(view.get(), Qt::Key_Right);  // moves still work
    QVERIFY(!doc()->cursor()->hasSelection());
}

void TestHexView::addressDigits_data() {
    QTest::addColumn<qint64>("length");
    QTest::addColumn<quint64>("base");
    QTest::addColumn<int>("digits");
    QTest::addRow("empty") << qint64(0) << quint64(0) << 4;
    QTest::addRow("0x10000 - 2 bytes") << qint64(0xFFFE) << quint64(0) << 4;
    QTest::addRow("0x10000 - 1 bytes") << qint64(0xFFFF) << quint64(0) << 8;
    QTest::addRow("0x10000 bytes") << qint64(0x10000) << quint64(0) << 8;
    QTest::addRow("base address counts") << qint64(16) << quint64(0xFFFFFFF0) << 9;
}

void TestHexView::addressDigits() {
    QFETCH(qint64, length);
    QFETCH(quint64, base);
    QFETCH(int, digits);
    load(QByteArray(length, '\0'));
    doc()->setBaseAddress(base);
    QCOMPARE(view->renderer()->getAddressWidth(), digits);
}

void TestHexView::layoutAndHitTest() {
    load(QByteArray(100, '\0'));
    HexRenderer* r = view->renderer();
    // Each product of the space's advance is rounded on its own.
    const qreal space = QFontMetricsF(view->hexFont()).horizontalAdvance(QLatin1Char(' '));
    const int cw = r->cellWidth();
    const int indent = r->borderSize();
    QCOMPARE(indent, qRound(space));
    QCOMPARE(r->getHexColumnX(), qRound(4 * space) + 2 * indent);
    QCOMPARE(r->getAsciiColumnX(), r->getHexColumnX() + qRound(3 * 16 * space) + 2 * indent);
    QCOMPARE(r->getEndColumnX(), r->getAsciiColumnX() + qRound(16 * space) + 2 * indent);
    QCOMPARE(r->documentLines(), qint64(7));  // 101 positions
    QCOMPARE(r->documentLastColumn(), 4);
    const int lh = r->lineHeight();
    const int y = lh + lh / 2;  // first data row
    QCOMPARE(r->hitTestArea(QPoint(r->getHexColumnX() + 2, lh / 2)), int(HexRenderer::HeaderArea));
    QCOMPARE(r->hitTestArea(QPoint(indent + 1, y)), int(HexRenderer::AddressArea));
    QCOMPARE(r->hitTestArea(QPoint(r->getHexColumnX() + indent + 1, y)), int(HexRenderer::HexArea));
    QCOMPARE(r->hitTestArea(QPoint(r->getAsciiColumnX() + indent + 1, y)),
             int(HexRenderer::AsciiArea));
    QCOMPARE(r->hitTestArea(QPoint(r->getEndColumnX() + 5, y)), int(HexRenderer::ExtraArea));
    CursorPosition p;
    // The low digit of byte 2 on the second row.
    QVERIFY(r->hitTest(QPoint(r->getHexColumnX() + indent + qRound(7 * space) + 1, y + lh),
                       HexRenderer::HexArea, &p, 0));
    QCOMPARE(p.offset(), qint64(18));
    QCOMPARE(p.nibbleindex, 0);
    // Far below the rows: the last row, clamped to the append position.
    QVERIFY(r->hitTest(QPoint(r->getAsciiColumnX() + indent + 15 * cw + 1, 100 * lh),
                       HexRenderer::AsciiArea, &p, 0));
    QCOMPARE(p.offset(), qint64(100));
}

void TestHexView::mouseDragSelects() {
    load(QByteArray(64, 'a'));
    HexRenderer* r = view->renderer();
    const int lh = r->lineHeight();
    const qreal space = QFontMetricsF(view->hexFont()).horizontalAdvance(QLatin1Char(' '));
    const int x0 = r->getAsciiColumnX() + r->borderSize();
    // The middles of character cells 2 (first row) and 5 (second row).
    const QPoint from(x0 + qRound(2.5 * space), lh + lh / 2);
    const QPoint to(x0 + qRound(5.5 * space), 2 * lh + lh / 2);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QCOMPARE(r->selectedArea(), int(HexRenderer::AsciiArea));
    QMouseEvent move(QEvent::MouseMove, to, view->viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &move);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(doc()->cursor()->selectionStart().offset(), qint64(2));
    QCOMPARE(doc()->cursor()->selectionLength(), qint64(20));
}

void TestHexView::wheelScrollsThreeLines() {
    load(QByteArray(16 * 1000, '\0'));
    QCOMPARE(view->verticalScrollBar()->value(), 0);
    const QPoint at(50, 50);
    QWheelEvent down(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &down);
    QCOMPARE(view->firstVisibleLine(), qint64(3));
    QWheelEvent up(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &up);
    QCOMPARE(view->firstVisibleLine(), qint64(0));
}

void TestHexView::cursorStaysVisible() {
    load(QByteArray(16 * 1000, '\0'));
    QTest::keyClick(view.get(), Qt::Key_End, Qt::ControlModifier);
    const qint64 line = doc()->cursor()->currentLine();
    QCOMPARE(line, qint64(1000));
    QVERIFY(view->firstVisibleLine() <= line);
    QVERIFY(line < view->firstVisibleLine() + view->visibleLines());
    QTest::keyClick(view.get(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(view->firstVisibleLine(), qint64(0));
}

QTEST_MAIN(TestHexView)
#include "tst_hexview.moc"
