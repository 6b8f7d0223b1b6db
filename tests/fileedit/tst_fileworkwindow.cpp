#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QTabWidget>
#include <QtTest>

#include "chineseconfig.h"
#include "filework.h"
#include "fileworkcontroler.h"
#include "fileworktabs.h"
#include "hexdocument.h"
#include "hexview.h"
#include "language.h"
#include "mainwindow.h"
#include "settingswork.h"
#include "startup.h"
#include "testworkdir.h"

class TestFileWorkWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fileArguments_data();
    void fileArguments();
    void menuActionsDriveFileTabs();
    void closeButtonAsksForModifiedFileTab();
    void startupFilesOpenWithFocus();
    void closeEditAndQuitAskBeforeLosingChanges();

private:
    QString writeFile(const QString& name, const QByteArray& data);
    std::unique_ptr<TestWorkDir> work;
};

void TestFileWorkWindow::init() {
    work.reset();
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
}

void TestFileWorkWindow::cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QFileDialog*>(w) || qobject_cast<QMessageBox*>(w))
            w->close();
    work.reset();
}

QString TestFileWorkWindow::writeFile(const QString& name, const QByteArray& data) {
    QFile file(work->filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
    return file.fileName();
}

void TestFileWorkWindow::fileArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    QTest::addRow("none") << QStringList{"quelbrin"} << QStringList{};
    QTest::addRow("files") << QStringList{"quelbrin", "a.bin", "/x/b.bin"}
                           << QStringList{"a.bin", "/x/b.bin"};
    QTest::addRow("with --simulate anywhere")
        << QStringList{"quelbrin", "--simulate", "a.bin", "--verbose"} << QStringList{"a.bin"};
    QTest::addRow("after -- a dash is a name")
        << QStringList{"quelbrin", "--", "-odd.bin"} << QStringList{"-odd.bin"};
}

void TestFileWorkWindow::fileArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QCOMPARE(Startup::fileArguments(arguments), files);
}

void TestFileWorkWindow::menuActionsDriveFileTabs() {
    MainWindow window;
    QTabWidget* contents = window.contentsTabWidget();
    const int before = contents->count();
    for (const char* name :
         {"actionNew_Firmware", "actionOpen_Firmware", "actionSave", "actionSave_As"})
        QVERIFY2(window.action(name)->isEnabled(), name);
    QVERIFY(window.findChild<QMenu*>("menuOpen_Recent")->isEnabled());

    window.action("actionNew_Firmware")->trigger();
    QCOMPARE(contents->count(), before + 1);
    QCOMPARE(contents->tabText(contents->currentIndex()), QStringLiteral("新文件*"));
    auto* fresh = qobject_cast<FileWork*>(contents->currentWidget());
    QVERIFY(fresh && fresh->isNewFile());
    QVERIFY(fresh->hexView()->document()->hexLineWidth() >= 1);

    // Open through the dialog: the file gets a tab and a place in the recent menu.
    const QString path = writeFile(QStringLiteral("w.bin"), "\x01\x02\x03");
    window.action("actionOpen_Firmware")->trigger();
    QFileDialog* dialog = window.fileWorkTabs()->controler()->currentDialog();
    QVERIFY(dialog);
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
    QCOMPARE(contents->count(), before + 2);
    auto* opened = qobject_cast<FileWork*>(contents->currentWidget());
    QCOMPARE(opened->getFilePath(), path);
    auto* recent = window.findChild<QMenu*>("menuOpen_Recent");
    QCOMPARE(recent->actions().size(), 1);
    QCOMPARE(recent->actions().first()->toolTip(), path);

    // Save writes the current tab to its own path.
    opened->hexView()->document()->replace(0, uchar(0xEE));
    window.action("actionSave")->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\xEE\x02\x03"));
    QVERIFY(!opened->isModified());

    // Save As on the workspace tab does nothing.
    QTRY_VERIFY(!window.fileWorkTabs()->controler()->currentDialog());  // the open dialog went
    contents->setCurrentIndex(0);
    window.action("actionSave_As")->trigger();
    QVERIFY(!window.fileWorkTabs()->controler()->currentDialog());
}

void TestFileWorkWindow::closeButtonAsksForModifiedFileTab() {
    MainWindow window;
    QTabWidget* contents = window.contentsTabWidget();
    const int before = contents->count();
    window.action("actionNew_Firmware")->trigger();
    const int index = contents->currentIndex();
    emit contents->tabCloseRequested(index);
    QMessageBox* prompt = window.fileWorkTabs()->closePrompt();
    QVERIFY(prompt);
    QCOMPARE(contents->count(), before + 1);
    for (QAbstractButton* b : prompt->buttons())
        if (b->text() == QStringLiteral("不保存"))
            b->click();
    QCOMPARE(contents->count(), before);
    // The workspace tab does not close at all.
    emit contents->tabCloseRequested(0);
    QCOMPARE(contents->count(), before);
}

void TestFileWorkWindow::startupFilesOpenWithFocus() {
    const QString a = writeFile(QStringLiteral("one.bin"), "1");
    const QString b = writeFile(QStringLiteral("two.bin"), "2");
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.fileWorkTabs()->openPaths(
        Startup::fileArguments({QStringLiteral("quelbrin"), QStringLiteral("--simulate"), a,
                                QStringLiteral("none.bin"), b}));
    QTabWidget* contents = window.contentsTabWidget();
    auto* last = qobject_cast<FileWork*>(contents->currentWidget());
    QVERIFY(last);
    QCOMPARE(last->getFilePath(), b);
    QTRY_VERIFY(last->hexView()->hasFocus());
    QCOMPARE(window.fileWorkTabs()->fileWorks().size(), 2);
    bool shown = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w))
            shown = shown || box->text() == QStringLiteral("文件： none.bin 不存在。");
    QVERIFY(shown);
}

void TestFileWorkWindow::closeEditAndQuitAskBeforeLosingChanges() {
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTabWidget* contents = window.contentsTabWidget();
    window.action("actionNew_Firmware")->trigger();
    auto* file = qobject_cast<FileWork*>(contents->currentWidget());
    QVERIFY(file);
    file->setModified(true);
    window.action("actionClose_Edit")->trigger();
    // Every other tab but the workspace went; the modified file tab waits for the answer.
    QCOMPARE(contents->count(), 2);
    QCOMPARE(contents->widget(0), window.settingsWork());
    QCOMPARE(contents->widget(1), file);
    QVERIFY(window.fileWorkTabs()->closePrompt());
    window.fileWorkTabs()->closePrompt()->close();

    const QString title = contents->tabText(1);
    auto answer = [title](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [button, title] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QVERIFY(box->text().contains(title));
            box->button(button)->click();
        });
    };
    answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    answer(QMessageBox::Yes);
    QVERIFY(window.close());
}

QTEST_MAIN(TestFileWorkWindow)
#include "tst_fileworkwindow.moc"
