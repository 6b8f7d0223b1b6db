// The frameless main window behaves like a framed one, and its message boxes can always be
// dismissed.
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "chineseconfig.h"
#include "language.h"
#include "mainwindow.h"
#include "serialdialog.h"
#include "testworkdir.h"
#include "windowframe.h"

namespace {
void send(QWidget* target, QEvent::Type type, const QPoint& local, Qt::MouseButton button,
          Qt::MouseButtons held) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
}  // namespace

class TestWindowFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void menuClickStartsNoDrag();
    void doubleClickMaximisesAndRestores();
    void cornerResizes_data();
    void cornerResizes();
    void warningOverModalDialogCanBeDismissed();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestWindowFrame::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
}

void TestWindowFrame::menuClickStartsNoDrag() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(100, 100);
    QTRY_COMPARE(window.pos(), QPoint(100, 100));
    auto* bar = window.findChild<QMenuBar*>("menubar");
    QMenu* file = window.findChild<QMenu*>("menuFile");
    const QPoint title = bar->actionGeometry(file->menuAction()).center();
    // The press opens the menu; its release goes to the popup, which Escape then closes.
    send(bar, QEvent::MouseButtonPress, title, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(!window.windowFrame()->isDragging());
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    // The pointer moves with no button held: the window stays where it is.
    send(bar, QEvent::MouseMove, title + QPoint(60, 30), Qt::NoButton, Qt::NoButton);
    QCOMPARE(window.pos(), QPoint(100, 100));

    // A drag from the free part of the title bar that sees a move without the button (its
    // release went elsewhere) ends there.
    const QPoint free(bar->width() / 2, bar->height() / 2);
    QVERIFY(!bar->actionAt(free));
    send(bar, QEvent::MouseButtonPress, free, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(window.windowFrame()->isDragging());
    send(bar, QEvent::MouseMove, free + QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    QVERIFY(!window.windowFrame()->isDragging());
}

void TestWindowFrame::doubleClickMaximisesAndRestores() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* bar = window.findChild<QMenuBar*>("menubar");
    const QPoint free(bar->width() / 2, bar->height() / 2);
    send(bar, QEvent::MouseButtonDblClick, free, Qt::LeftButton, Qt::LeftButton);
    QTRY_VERIFY(window.isMaximized());
    send(bar, QEvent::MouseButtonDblClick, free, Qt::LeftButton, Qt::LeftButton);
    QTRY_VERIFY(!window.isMaximized());
}

void TestWindowFrame::cornerResizes_data() {
    QTest::addColumn<int>("corner");  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");  // relative to the start geometry 200,150 1000x700
    QTest::addRow("bottom-right grows") << 3 << QPoint(50, 40) << QRect(200, 150, 1050, 740);
    QTest::addRow("top-left grows up and left")
        << 0 << QPoint(-30, -20) << QRect(170, 130, 1030, 720);
    QTest::addRow("top-right") << 1 << QPoint(25, -15) << QRect(200, 135, 1025, 715);
    QTest::addRow("bottom-left shrinks") << 2 << QPoint(40, -30) << QRect(240, 150, 960, 670);
}

void TestWindowFrame::cornerResizes() {
    QFETCH(int, corner);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setGeometry(200, 150, 1000, 700);
    QTRY_COMPARE(window.geometry(), QRect(200, 150, 1000, 700));
    const QPoint at(corner % 2 ? window.width() - 3 : 3, corner / 2 ? window.height() - 3 : 3);
    QCOMPARE(window.windowFrame()->edgesAt(at),
             Qt::Edges((corner % 2 ? Qt::RightEdge : Qt::LeftEdge) |
                       (corner / 2 ? Qt::BottomEdge : Qt::TopEdge)));
    send(&window, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    send(&window, QEvent::MouseMove, at + delta, Qt::NoButton, Qt::LeftButton);
    send(&window, QEvent::MouseButtonRelease, at + delta, Qt::LeftButton, Qt::NoButton);
    QTRY_COMPARE(window.geometry(), expected);
    // Inside the panels nothing resizes.
    QCOMPARE(window.windowFrame()->edgesAt(QPoint(window.width() / 2, window.height() / 2)),
             Qt::Edges());
}

void TestWindowFrame::warningOverModalDialogCanBeDismissed() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.serialPortViewBind();
    SerialDialog* dialog = window.serialDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    // Connect with nothing chosen: "串口号不能为空!!".
    QTest::mouseClick(dialog->findChild<QPushButton*>("connect"), Qt::LeftButton);
    auto findBox = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "messageBox" && w->isVisible())
                return qobject_cast<QMessageBox*>(w);
        return static_cast<QMessageBox*>(nullptr);
    };
    QPointer<QMessageBox> box;
    QTRY_VERIFY((box = findBox()));
    QCOMPARE(box->text(), QString("串口号不能为空!!"));
    // The modal dialog blocks every window it does not own: the box must be one of its own.
    QCOMPARE(box->parentWidget(), dialog);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    // OK, clicked as a user would (through the window system, where a modal dialog blocks the
    // windows it does not own), closes the box.
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(box.isNull());
    QVERIFY(dialog->isVisible());
    dialog->close();
}

QTEST_MAIN(TestWindowFrame)
#include "tst_windowframe.moc"
