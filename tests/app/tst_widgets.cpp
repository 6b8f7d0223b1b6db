#include <QAbstractItemView>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QtTest>

#include "iconsizestyle.h"
#include "mcombobox.h"
#include "mdoublespinbox.h"
#include "mspinbox.h"
#include "stylesheetloader.h"

namespace {
// Returns whether the input kept the event; an event it leaves unaccepted is passed on to
// its parent, the page, by the application's event delivery.
bool turnWheel(QWidget* target, int steps) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}
}  // namespace

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void closedComboScrollsThePage();
    void openComboMovesThroughItsList();
    void spinBoxesIgnoreTheWheel_data();
    void spinBoxesIgnoreTheWheel();
    void iconSizeStyle_data();
    void iconSizeStyle();
    void styleSheetLoader();
};

void TestWidgets::closedComboScrollsThePage() {
    QWidget page;
    auto* combo = new MComboBox(&page);
    combo->addItems({"a", "b", "c"});
    combo->setCurrentIndex(1);
    page.show();
    QVERIFY(!turnWheel(combo, -1));
    QVERIFY(!turnWheel(combo, 1));
    QCOMPARE(combo->currentIndex(), 1);
}

void TestWidgets::openComboMovesThroughItsList() {
    QWidget page;
    auto* combo = new MComboBox(&page);
    combo->addItems({"a", "b", "c"});
    page.show();
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    // Handled as a plain combo box does (its open list takes the turn), not passed to the page.
    QVERIFY(turnWheel(combo, -1));
    combo->hidePopup();
}

void TestWidgets::spinBoxesIgnoreTheWheel_data() {
    QTest::addColumn<bool>("doubleBox");
    QTest::addColumn<bool>("focused");
    QTest::addRow("MSpinBox") << false << false;
    QTest::addRow("MSpinBox focused") << false << true;
    QTest::addRow("MDoubleSpinBox") << true << false;
    QTest::addRow("MDoubleSpinBox focused") << true << true;
}

void TestWidgets::spinBoxesIgnoreTheWheel() {
    QFETCH(bool, doubleBox);
    QFETCH(bool, focused);
    QWidget page;
    QAbstractSpinBox* box = nullptr;
    if (doubleBox) {
        auto* d = new MDoubleSpinBox(&page);
        d->setValue(5.5);
        box = d;
    } else {
        auto* s = new MSpinBox(&page);
        s->setValue(5);
        box = s;
    }
    page.show();
    if (focused) {
        page.activateWindow();
        box->setFocus();
    }
    QVERIFY(!turnWheel(box, 3));
    QVERIFY(!turnWheel(box, -2));
    QCOMPARE(box->text(), doubleBox ? QString("5.50") : QString("5"));
}

void TestWidgets::iconSizeStyle_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("expected");
    QTest::addRow("default") << -1 << 28;
    QTest::addRow("title bar") << 10 << 10;
    QTest::addRow("icon menu") << 24 << 24;
}

void TestWidgets::iconSizeStyle() {
    QFETCH(int, size);
    QFETCH(int, expected);
    IconSizeStyle style(QStyleFactory::create("Fusion"));
    IconSizeStyle sized(QStyleFactory::create("Fusion"), size);
    IconSizeStyle& used = size < 0 ? style : sized;
    QCOMPARE(used.pixelMetric(QStyle::PM_SmallIconSize), expected);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QCOMPARE(used.pixelMetric(QStyle::PM_ScrollBarExtent),
             fusion->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void TestWidgets::styleSheetLoader() {
    QTest::ignoreMessage(QtDebugMsg, "QSS File Open Failed!");
    QCOMPARE(loadStyleSheet(":/system/qss/missing.qss"), QString());
    QVERIFY(loadStyleSheet(":/system/qss/main.qss").contains("[Window=\"Maximized\"]"));

    // Qt drops an image the sheet cannot find without a word: every url() must resolve.
    const QRegularExpression url(QStringLiteral("url\\((:/[^)]+)\\)"));
    int images = 0;
    for (const char* name : {"main", "leftwidget", "settingswork", "topnode", "parentnode",
                             "calibrationwork", "mycharts", "filework"}) {
        const QString sheet = loadStyleSheet(QStringLiteral(":/system/qss/%1.qss").arg(name));
        QVERIFY2(!sheet.isEmpty(), name);
        for (auto it = url.globalMatch(sheet); it.hasNext(); ++images) {
            const QString path = it.next().captured(1);
            QVERIFY2(!QImage(path).isNull(), qPrintable(name + QStringLiteral(": ") + path));
        }
    }
    QVERIFY(images >= 3);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
