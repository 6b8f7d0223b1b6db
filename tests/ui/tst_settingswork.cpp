#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QVBoxLayout>
#include <QtTest>

#include "bissentity.h"
#include "chineseconfig.h"
#include "language.h"
#include "pageregistry.h"
#include "permissioncontroller.h"
#include "settingswork.h"
#include "testworkdir.h"

namespace {
// A page of fixed height whose object name tells which builder made it.
PageBuilder fixedPage(const QString& objectName, int height = 150) {
    return [objectName, height](SettingsWork*) {
        auto* page = new QWidget;
        page->setObjectName(objectName);
        page->setFixedHeight(height);
        return page;
    };
}

// Rows: A 0, G1 1, P1 2, P2 3, P3 4, closing 5 | B 6, G2 7, P4 8, P5 9, closing 10 |
// C 11, G3 12, P6 13, Run 14, closing 15.
const QStringList kAreas{"A", "B", "C"};
const QList<QList<QStringList>> kGroups{
    {{"G1", "P1", "Missing", "P2", "P3"}}, {{"G2", "P4", "P5"}}, {{"G3", "P6", "Run"}}};
}  // namespace

class TestSettingsWork : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buildsEntriesAndRoles();
    void pagesComeFromTheirAreasBuilder();
    void scrollingStaysInsideTheArea_data();
    void scrollingStaysInsideTheArea();
    void closingEntryDoesNothing();
    void currentRowAnnouncesAreaThenEntry_data();
    void currentRowAnnouncesAreaThenEntry();
    void treeClickMovesTheList_data();
    void treeClickMovesTheList();
    void masterStatusRequestPerPermission_data();
    void masterStatusRequestPerPermission();
    void slaveStatusStartsPollingOnce();
    void growingPageKeepsItsRowHeight();

private:
    std::unique_ptr<TestWorkDir> dir;
    std::unique_ptr<SettingsWork> work;
};

void TestSettingsWork::initTestCase() {
    dir = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
}

void TestSettingsWork::init() {
    PageRegistry::clear();
    for (const char* name : {"P1", "P2", "P3", "P4", "P5", "P6"})
        PageRegistry::registerPage(name, fixedPage(name));
    PageRegistry::registerPage("Run", fixedPage("plain Run", 80));
    work = std::make_unique<SettingsWork>();
    work->resize(400, 300);
    work->build(kAreas, kGroups);
    work->show();
    QVERIFY(QTest::qWaitForWindowExposed(work.get()));
}

void TestSettingsWork::cleanup() {
    work.reset();
    PageRegistry::clear();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
}

void TestSettingsWork::buildsEntriesAndRoles() {
    const QStringList expected{"A",  "G1", "P1", "P2", "P3", "",   "B",   "G2",
                               "P4", "P5", "",   "C",  "G3", "P6", "Run", ""};
    QCOMPARE(work->entries(), expected);
    QCOMPARE(work->areaStartRows(), QList<int>({0, 6, 11}));
    QListWidget* list = work->pageList();
    QCOMPARE(list->count(), expected.size());
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        const bool closing = expected.at(row).isEmpty();
        QCOMPARE(item->data(SettingsWork::RowRole).toInt(), closing ? -1 : row);
        QCOMPARE(item->data(SettingsWork::NameRole).toString(), expected.at(row));
        QCOMPARE(bool(item->flags() & Qt::ItemIsEnabled), !closing);
        QCOMPARE(list->itemWidget(item) != nullptr, !closing);
    }
    QCOMPARE(list->itemWidget(list->item(2))->objectName(), QString("P1"));
    // The view starts on the first area, not on the last header made current while building.
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->verticalScrollBar()->value(), 0);
}

void TestSettingsWork::pagesComeFromTheirAreasBuilder() {
    // The same page name in two areas: the area-qualified builder wins in its own area.
    PageRegistry::registerPage("B/Run", fixedPage("B's Run", 80));
    SettingsWork other;
    QString seenArea;
    int seenRow = -2;
    PageRegistry::registerPage("P1", [&](SettingsWork* w) {
        seenArea = w->buildingArea();
        seenRow = w->buildingRow();
        return new QLabel("P1");
    });
    other.build({"A", "B"}, {{{"G", "P1", "Run"}}, {{"G", "Run"}}});
    QCOMPARE(seenArea, QString("A"));
    QCOMPARE(seenRow, 2);
    QListWidget* list = other.pageList();
    QCOMPARE(list->itemWidget(list->item(other.rowOf("A", "Run")))->objectName(),
             QString("plain Run"));
    QCOMPARE(list->itemWidget(list->item(other.rowOf("B", "Run")))->objectName(),
             QString("B's Run"));
}

void TestSettingsWork::scrollingStaysInsideTheArea_data() {
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::addRow("down onto the closing entry stops one row above it") << 8 << 10 << 9;
    QTest::addRow("down into the next area stops one row above the closing entry") << 8 << 11 << 9;
    QTest::addRow("up into the previous area stops at the area header") << 9 << 2 << 6;
    QTest::addRow("inside the area the view moves freely") << 9 << 7 << 7;
    QTest::addRow("first area, down") << 2 << 7 << 4;
    QTest::addRow("first area, back to the top") << 4 << 0 << 0;
}

void TestSettingsWork::scrollingStaysInsideTheArea() {
    QFETCH(int, currentRow);
    QFETCH(int, value);
    QFETCH(int, expected);
    QScrollBar* bar = work->pageList()->verticalScrollBar();
    QVERIFY2(bar->maximum() >= 11, qPrintable(QString::number(bar->maximum())));
    work->pageList()->setCurrentRow(currentRow);
    bar->setValue(value);
    QCOMPARE(bar->value(), expected);
}

void TestSettingsWork::closingEntryDoesNothing() {
    QListWidget* list = work->pageList();
    list->setCurrentRow(8);
    QSignalSpy scorll(work.get(), &SettingsWork::scorll);
    QListWidgetItem* closing = list->item(10);
    emit list->itemActivated(closing);
    work->scorllProcess(closing);
    // A click on it neither selects it nor moves anything.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(closing).center());
    QCOMPARE(scorll.count(), 0);
    QCOMPARE(list->currentRow(), 8);

    emit list->itemActivated(list->item(9));  // a page item does announce itself
    QCOMPARE(scorll.count(), 2);
    QCOMPARE(scorll.at(1).at(0).toString(), QString("P5"));
}

void TestSettingsWork::currentRowAnnouncesAreaThenEntry_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("names");
    QTest::addRow("page") << 9 << QStringList{"B", "P5"};
    QTest::addRow("group header") << 12 << QStringList{"C", "G3"};
    QTest::addRow("area header") << 6 << QStringList{"B", "B"};
    QTest::addRow("last page of the first area") << 4 << QStringList{"A", "P3"};
}

void TestSettingsWork::currentRowAnnouncesAreaThenEntry() {
    QFETCH(int, row);
    QFETCH(QStringList, names);
    QSignalSpy scorll(work.get(), &SettingsWork::scorll);
    work->pageList()->setCurrentRow(row);
    QStringList seen;
    for (const QList<QVariant>& args : scorll) seen << args.at(0).toString();
    QCOMPARE(seen, names);
}

void TestSettingsWork::treeClickMovesTheList_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("announced");
    QTest::addRow("page of another area") << "B"
                                          << "P5" << 9 << QStringList{"B", "P5"};
    QTest::addRow("group of the last area") << "C"
                                            << "G3" << 12 << QStringList{"C", "G3"};
    QTest::addRow("unknown area moves nothing") << "X"
                                                << "P5" << 0 << QStringList{};
    QTest::addRow("name of another area moves nothing") << "A"
                                                        << "P4" << 0 << QStringList{};
}

void TestSettingsWork::treeClickMovesTheList() {
    QFETCH(QString, area);
    QFETCH(QString, name);
    QFETCH(int, row);
    QFETCH(QStringList, announced);
    QTreeWidgetItem item({name});
    item.setData(0, Qt::UserRole + 1, area);
    QSignalSpy scorll(work.get(), &SettingsWork::scorll);
    work->scorllProcess(&item);
    QCOMPARE(work->pageList()->currentRow(), row);
    QStringList seen;
    for (const QList<QVariant>& args : scorll) seen << args.at(0).toString();
    QCOMPARE(seen, announced);
    if (row > 0) {
        // The page is brought to the top of the view, as far as its area allows.
        const int top = work->pageList()->verticalScrollBar()->value();
        QVERIFY2(top >= work->areaStartRows().at(kAreas.indexOf(area)) && top <= row,
                 qPrintable(QString::number(top)));
        QVERIFY(work->pageList()->visualItemRect(work->pageList()->item(row)).top() >= 0);
    }
}

void TestSettingsWork::masterStatusRequestPerPermission_data() {
    QTest::addColumn<int>("permission");
    QTest::addColumn<int>("requests");
    QTest::addRow("ADMINISTRATOR") << int(PermissionController::ADMINISTRATOR) << 1;
    QTest::addRow("DEBUGPERSON") << int(PermissionController::DEBUGPERSON) << 1;
    QTest::addRow("USER sends nothing") << int(PermissionController::USER) << 0;
}

void TestSettingsWork::masterStatusRequestPerPermission() {
    QFETCH(int, permission);
    QFETCH(int, requests);
    PermissionController::instance()->setPermission(permission);
    QSignalSpy spy(work.get(), &SettingsWork::getMasterStatusSignal);
    work->getMasterStatus();
    QCOMPARE(spy.count(), requests);
    if (requests)
        QCOMPARE(spy.at(0).at(0).value<BissEntity*>(), work->getBissEntity());
}

void TestSettingsWork::slaveStatusStartsPollingOnce() {
    QSignalSpy statusRequests(work.get(), &SettingsWork::getSlaverStatusSignal);
    QSignalSpy redraw(work.get(), &SettingsWork::dataTimerReDrawSignal);
    QSignalSpy slaveView(work.get(), &SettingsWork::reViewSlaverTrans);
    work->getSlaverStatusSlot();  // supply off: no request
    QCOMPARE(statusRequests.count(), 0);

    BissEntity returned;
    returned.setSlaveEnabled(true);
    QVERIFY(!work->getStatusTimer()->isActive());
    work->getSlaverStatusSlot(&returned);
    QCOMPARE(work->getBissEntity(), &returned);
    QVERIFY(work->getStatusTimer()->isActive());
    QCOMPARE(work->getStatusTimer()->interval(), 2000);
    QVERIFY(!work->getStatusTimer()->isSingleShot());
    QCOMPARE(redraw.count(), 1);
    QCOMPARE(slaveView.count(), 1);

    work->getSlaverStatusSlot();
    QCOMPARE(statusRequests.count(), 1);
    QCOMPARE(statusRequests.at(0).at(0).value<BissEntity*>(), &returned);
    work->getSlaverStatusSlot(nullptr);  // a result without a record keeps the current one
    QCOMPARE(work->getBissEntity(), &returned);
    work->getMasterStatusSlot(work->findChild<BissEntity*>());
    QVERIFY(work->getBissEntity() != &returned);
}

void TestSettingsWork::growingPageKeepsItsRowHeight() {
    QWidget* inner = nullptr;
    PageRegistry::registerPage("Grows", [&](SettingsWork*) {
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        inner = new QWidget(page);
        inner->setFixedHeight(100);
        layout->addWidget(inner);
        return page;
    });
    SettingsWork other;
    other.build({"A"}, {{{"G", "Grows"}}});
    QListWidgetItem* item = other.pageList()->item(2);
    QVERIFY(item->sizeHint().height() < 200);
    inner->setFixedHeight(300);
    QTRY_VERIFY(item->sizeHint().height() >= 300);
}

QTEST_MAIN(TestSettingsWork)
#include "tst_settingswork.moc"
