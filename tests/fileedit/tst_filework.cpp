#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include "chineseconfig.h"
#include "filework.h"
#include "fileworkcontroler.h"
#include "fileworkentity.h"
#include "fileworktabs.h"
#include "findbar.h"
#include "gotooffsetbar.h"
#include "hexcursor.h"
#include "hexdocument.h"
#include "hexrenderer.h"
#include "hexstatusline.h"
#include "hexview.h"
#include "language.h"
#include "readconfig.h"
#include "testworkdir.h"

using Messages = QList<QPair<int, QString>>;

class TestFileWork : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recentList_data();
    void recentList();
    void tenNewestRecentKept();
    void vanishedRecentEntryOpensNothing();
    void saveAsWithoutRememberedPathOpensNothing();
    void newDocumentSavesThroughSaveAs();
    void closePrompt_data();
    void closePrompt();
    void closingNewDocumentWaitsForItsSaveAs_data();
    void closingNewDocumentWaitsForItsSaveAs();
    void unmodifiedTabClosesAtOnce();
    void eachSaveAsDialogWritesItsOwnTab();
    void saveAsOfClosedTabWritesNothing();
    void fileLivesInOneTab_data();
    void fileLivesInOneTab();
    void displayLine_data();
    void displayLine();
    void shownRowsFitTheView();
    void modifiedFlag();
    void saveShortcutWritesInPlace();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void badFiles_data();
    void badFiles();
    void fileShrinkingOnDiskStillSavesWhole();
    void largePasteStaysResponsive();
    void findBar();
    void gotoBar_data();
    void gotoBar();
    void statusLine();
    void startupPaths();

private:
    QString writeFile(const QString& name, const QByteArray& data);
    void chooseInDialog(const QString& path);
    FileWork* tab(int i) const { return qobject_cast<FileWork*>(contents->widget(i)); }

    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<QWidget> window;
    QTabWidget* contents = nullptr;
    QMenu* recent = nullptr;
    FileWorkTabs* tabs = nullptr;
    Messages messages;
};

void TestFileWork::init() {
    work.reset();  // the old folder restores its working directory first
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    window = std::make_unique<QWidget>();
    window->resize(1280, 800);
    contents = new QTabWidget(window.get());
    recent = new QMenu(window.get());
    tabs = new FileWorkTabs(contents, recent, window.get());
    messages.clear();
    connect(tabs, &FileWorkTabs::showMsg, this, [this](QMessageBox::Icon icon, const QString& msg) {
        messages << qMakePair(int(icon), msg);
    });
}

void TestFileWork::cleanup() {
    if (tabs->controler()->currentDialog())
        tabs->controler()->currentDialog()->close();
    if (tabs->closePrompt())
        tabs->closePrompt()->close();
    window.reset();
    work.reset();
    FileWork::maxFileSize = qint64(2) * 1024 * 1024 * 1024;
}

QString TestFileWork::writeFile(const QString& name, const QByteArray& data) {
    const QString path = work->filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
    return path;
}

void TestFileWork::chooseInDialog(const QString& path) {
    QFileDialog* dialog = tabs->controler()->currentDialog();
    QVERIFY(dialog);
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

static QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

static QStringList menuPaths(QMenu* menu) {
    QStringList list;
    for (QAction* a : menu->actions()) list << a->toolTip();
    return list;
}

void TestFileWork::recentList_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("recent");
    QTest::addRow("same path twice is listed once")
        << QStringList{"a.bin", "a.bin"} << QStringList{"a.bin"};
    QTest::addRow("a case difference is another path")
        << QStringList{"a.bin", "A.bin"} << QStringList{"a.bin", "A.bin"};
    QTest::addRow("order of first use")
        << QStringList{"b.bin", "a.bin", "b.bin"} << QStringList{"b.bin", "a.bin"};
}

void TestFileWork::recentList() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, recent);
    QStringList expected;
    for (const QString& name : recent) expected << work->filePath(name);
    for (const QString& name : names) {
        const QString path = writeFile(name, "\x01\x02");
        tabs->controler()->openFileSlot();
        chooseInDialog(path);
    }
    // A file opened twice stays in its one tab.
    QCOMPARE(contents->count(), recent.size());
    QCOMPARE(menuPaths(this->recent), expected);
    QCOMPARE(ReadConfig::readStringArray(QStringLiteral("FileWorkEntityList"),
                                         QStringLiteral("recentPath")),
             expected);
    QCOMPARE(ReadConfig::readValue(QStringLiteral("FileWorkEntity"), QStringLiteral("filePath")),
             work->filePath(names.last()));
}

void TestFileWork::tenNewestRecentKept() {
    QStringList all;
    for (int i = 0; i < 11; ++i) all << writeFile(QStringLiteral("f%1.bin").arg(i), "x");
    for (const QString& path : all) tabs->controler()->saveFileSlot(path);
    QCOMPARE(menuPaths(recent), all.mid(1));
    QCOMPARE(ReadConfig::readStringArray(QStringLiteral("FileWorkEntityList"),
                                         QStringLiteral("recentPath")),
             all.mid(1));
    // A restart reads the same ten.
    FileWorkControler again;
    QCOMPARE(again.getEntity()->getRecentList(), all.mid(1));
}

void TestFileWork::vanishedRecentEntryOpensNothing() {
    const QString path = writeFile(QStringLiteral("gone.bin"), "x");
    tabs->controler()->saveFileSlot(path);
    QFile::remove(path);
    QCOMPARE(recent->actions().size(), 1);
    QCOMPARE(recent->actions().first()->text(), QStringLiteral("gone.bin"));
    recent->actions().first()->trigger();
    QCOMPARE(contents->count(), 0);
    QCOMPARE(messages,
             (Messages{{int(QMessageBox::Critical), QStringLiteral("文件： gone.bin 不存在。")}}));
}

void TestFileWork::saveAsWithoutRememberedPathOpensNothing() {
    tabs->controler()->saveAsFileSlot();
    QVERIFY(!tabs->controler()->currentDialog());
    tabs->controler()->newFileSlot();
    QCOMPARE(contents->count(), 1);
    tabs->saveAsCurrent();
    tabs->saveCurrent();  // a new document saves through Save As: nothing either
    QVERIFY(!tabs->controler()->currentDialog());
    QVERIFY(tab(0)->isModified());
}

void TestFileWork::newDocumentSavesThroughSaveAs() {
    // A remembered path, as any earlier open leaves one.
    tabs->controler()->saveFileSlot(writeFile(QStringLiteral("old.bin"), "o"));
    tabs->controler()->newFileSlot();
    QCOMPARE(contents->tabText(0), QStringLiteral("新文件*"));
    FileWork* fresh = tab(0);
    QVERIFY(fresh->isNewFile() && fresh->isModified());
    QTest::keyClicks(fresh->hexView(), QStringLiteral("12ab"));
    tabs->saveCurrent();
    QFileDialog* dialog = tabs->controler()->currentDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    const QString target = work->filePath(QStringLiteral("made.bin"));
    chooseInDialog(target);
    QCOMPARE(readAll(target), QByteArray::fromHex("12AB"));
    QVERIFY(!fresh->isNewFile() && !fresh->isModified());
    QCOMPARE(fresh->getFilePath(), target);
    // The tab now holds the file, under its name; no second tab on the same file.
    QCOMPARE(contents->count(), 1);
    QCOMPARE(contents->tabText(0), QStringLiteral("made.bin"));
    QVERIFY(menuPaths(recent).contains(target));
}

void TestFileWork::closePrompt_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("tabsAfter");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::addRow("保存 saves, then closes") << "保存" << 0 << QByteArray::fromHex("AB02");
    QTest::addRow("不保存 discards the changes") << "不保存" << 0 << QByteArray::fromHex("0102");
    QTest::addRow("取消 keeps the tab") << "取消" << 1 << QByteArray::fromHex("0102");
}

void TestFileWork::closePrompt() {
    QFETCH(QString, answer);
    QFETCH(int, tabsAfter);
    QFETCH(QByteArray, fileAfter);
    const QString path = writeFile(QStringLiteral("p.bin"), QByteArray::fromHex("0102"));
    tabs->openFileSlot(path, QStringLiteral("p.bin"));
    QTest::keyClicks(tab(0)->hexView(), QStringLiteral("ab"));
    QVERIFY(tabs->closeTab(0));
    QMessageBox* box = tabs->closePrompt();
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), QStringLiteral("警告"));
    QCOMPARE(box->text(), QStringLiteral("是否保存更改?"));
    QCOMPARE(box->informativeText(), path);  // the prompt names its file
    QCOMPARE(contents->tabText(0), QStringLiteral("p.bin*"));
    QCOMPARE(box->buttons().size(), 3);
    QAbstractButton* button = nullptr;
    for (QAbstractButton* b : box->buttons())
        if (b->text() == answer)
            button = b;
    QVERIFY(button);
    button->click();
    QCOMPARE(contents->count(), tabsAfter);
    QCOMPARE(readAll(path), fileAfter);
}

void TestFileWork::closingNewDocumentWaitsForItsSaveAs_data() {
    QTest::addColumn<bool>("accept");
    QTest::addRow("dialog cancelled: tab and changes kept") << false;
    QTest::addRow("dialog accepted: written, then closed") << true;
}

void TestFileWork::closingNewDocumentWaitsForItsSaveAs() {
    QFETCH(bool, accept);
    const QString other = writeFile(QStringLiteral("other.bin"), "zz");
    tabs->controler()->saveFileSlot(other);
    tabs->openFileSlot(other, QStringLiteral("other.bin"));
    tabs->controler()->newFileSlot();
    FileWork* fresh = tab(1);
    QTest::keyClicks(fresh->hexView(), QStringLiteral("7e"));
    contents->setCurrentIndex(0);  // the closing tab is not the current one
    QVERIFY(tabs->closeTab(1));
    for (QAbstractButton* b : tabs->closePrompt()->buttons())
        if (b->text() == QStringLiteral("保存"))
            b->click();
    QCOMPARE(contents->count(), 2);  // still there while the dialog is open
    const QString target = work->filePath(QStringLiteral("new.bin"));
    if (accept) {
        chooseInDialog(target);
        QCOMPARE(readAll(target), QByteArray::fromHex("7E"));
        QCOMPARE(readAll(other), QByteArray("zz"));  // the other tab was not written instead
        QCOMPARE(contents->count(), 1);              // the closed tab went once it was written
        QVERIFY(contents->indexOf(fresh) < 0);
    } else {
        tabs->controler()->currentDialog()->reject();
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(contents->indexOf(fresh), 1);
        QCOMPARE(fresh->hexView()->document()->read(0, 10), QByteArray::fromHex("7E"));
        QVERIFY(fresh->isModified());
    }
}

void TestFileWork::unmodifiedTabClosesAtOnce() {
    const QString path = writeFile(QStringLiteral("u.bin"), "u");
    tabs->openFileSlot(path, QStringLiteral("u.bin"));
    QPointer<FileWork> opened = tab(0);
    QVERIFY(tabs->closeTab(0));
    QVERIFY(!tabs->closePrompt());
    QCOMPARE(contents->count(), 0);
    QTRY_VERIFY(!opened);  // the tab and its bytes are freed
    auto* plain = new QWidget;
    contents->addTab(plain, QStringLiteral("工作区"));
    QVERIFY(!tabs->closeTab(0));  // not a file tab: left to the window
}

void TestFileWork::eachSaveAsDialogWritesItsOwnTab() {
    const QString a = writeFile(QStringLiteral("a.bin"), "a");
    const QString b = writeFile(QStringLiteral("b.bin"), "b");
    tabs->controler()->saveFileSlot(a);
    tabs->openFileSlot(a, QStringLiteral("a.bin"));
    tabs->openFileSlot(b, QStringLiteral("b.bin"));
    contents->setCurrentIndex(0);
    tabs->saveAsCurrent();
    QPointer<QFileDialog> first = tabs->controler()->currentDialog();
    contents->setCurrentIndex(1);
    tabs->saveAsCurrent();
    QPointer<QFileDialog> second = tabs->controler()->currentDialog();
    QVERIFY(first && second && first != second);
    // Answered in the other order, with the other tab current.
    contents->setCurrentIndex(0);
    const QString fromB = work->filePath(QStringLiteral("fromB.bin"));
    const QString fromA = work->filePath(QStringLiteral("fromA.bin"));
    second->selectFile(fromB);
    QMetaObject::invokeMethod(second, "accept");
    first->selectFile(fromA);
    QMetaObject::invokeMethod(first, "accept");
    QCOMPARE(readAll(fromA), QByteArray("a"));
    QCOMPARE(readAll(fromB), QByteArray("b"));
}

void TestFileWork::saveAsOfClosedTabWritesNothing() {
    const QString other = writeFile(QStringLiteral("other.bin"), "zz");
    tabs->controler()->saveFileSlot(other);
    tabs->openFileSlot(other, QStringLiteral("other.bin"));
    tabs->controler()->newFileSlot();
    QTest::keyClicks(tab(1)->hexView(), QStringLiteral("7e"));
    tabs->saveCurrent();  // a new document: Save As
    QPointer<QFileDialog> dialog = tabs->controler()->currentDialog();
    QVERIFY(dialog);
    QVERIFY(tabs->closeTab(1));
    for (QAbstractButton* b : tabs->closePrompt()->buttons())
        if (b->text() == QStringLiteral("不保存"))
            b->click();
    QCOMPARE(contents->count(), 1);
    const QString target = work->filePath(QStringLiteral("late.bin"));
    dialog->selectFile(target);
    QMetaObject::invokeMethod(dialog, "accept");
    QVERIFY(!QFileInfo::exists(target));  // nobody's bytes: the tab that asked is gone
    QCOMPARE(readAll(other), QByteArray("zz"));
    QCOMPARE(contents->count(), 1);
}

void TestFileWork::fileLivesInOneTab_data() {
    QTest::addColumn<bool>("otherModified");
    QTest::addRow("the other tab is unchanged: it gives way") << false;
    QTest::addRow("the other tab has changes: nothing written") << true;
}

void TestFileWork::fileLivesInOneTab() {
    QFETCH(bool, otherModified);
    const QString a = writeFile(QStringLiteral("a.bin"), "a");
    const QString b = writeFile(QStringLiteral("b.bin"), "b");
    tabs->controler()->saveFileSlot(a);
    tabs->openFileSlot(a, QStringLiteral("a.bin"));
    // Opening it again (by another spelling of the path) goes to its tab.
    tabs->openFileSlot(work->filePath(QStringLiteral("./a.bin")), QStringLiteral("a.bin"));
    QCOMPARE(contents->count(), 1);
    tabs->openFileSlot(b, QStringLiteral("b.bin"));
    FileWork* tabA = tab(0);
    FileWork* tabB = tab(1);
    if (otherModified)
        tabA->hexView()->document()->replace(0, uchar('A'));
    // b saved as a.bin, which tab 0 holds.
    contents->setCurrentWidget(tabB);
    tabs->saveAsCurrent();
    QFileDialog* dialog = tabs->controler()->currentDialog();
    QVERIFY(dialog);
    // As after the dialog's own overwrite question was answered yes.
    emit dialog->fileSelected(a);
    dialog->close();
    if (otherModified) {
        QCOMPARE(readAll(a), QByteArray("a"));
        QCOMPARE(contents->count(), 2);
        QCOMPARE(contents->currentWidget(), tabA);
        QCOMPARE(messages.last().first, int(QMessageBox::Warning));
    } else {
        QCOMPARE(readAll(a), QByteArray("b"));
        QCOMPARE(contents->count(), 1);
        QCOMPARE(tab(0), tabB);
        QCOMPARE(tabB->getFilePath(), a);
        // A later save of that one tab cannot bring back the other's bytes.
        tabB->hexView()->document()->replace(0, uchar('c'));
        tabs->saveCurrent();
        QCOMPARE(readAll(a), QByteArray("c"));
    }
}

void TestFileWork::displayLine_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("bytes");
    QTest::addRow("670 gives 12, shown as 8") << 670 << 8;
    QTest::addRow("1092 gives 22, shown as 16") << 1092 << 16;
    QTest::addRow("7 bytes stay 7") << 460 << 7;
    QTest::addRow("narrow: at least one") << 100 << 1;
    QTest::addRow("208 gives 1") << 208 << 1;
    QTest::addRow("wide: no more than 255, shown as 248") << 20000 << 248;
}

void TestFileWork::displayLine() {
    QFETCH(int, width);
    QFETCH(int, bytes);
    FileWork fileWork;
    fileWork.setDisplayLine(width);
    QCOMPARE(int(fileWork.hexView()->document()->hexLineWidth()), bytes);
    QCOMPARE(int(fileWork.hexView()->document()->cursor()->lineWidth()), bytes);
    QVERIFY(!fileWork.isModified());  // a new layout is not a change
}

void TestFileWork::shownRowsFitTheView() {
    window->show();
    contents->resize(700, 500);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    tabs->openFileSlot(writeFile(QStringLiteral("wide.bin"), QByteArray(5000, 'w')),
                       QStringLiteral("wide.bin"));
    HexView* view = tab(0)->hexView();
    // 1280 / 7 * 6 asks for 22 bytes a row; the 700 pixels of the tab hold fewer.
    QTRY_VERIFY(view->renderer()->getEndColumnX() < view->viewport()->width());
    const int fitting = view->document()->hexLineWidth();
    QVERIFY(fitting < 22);
    contents->resize(1250, 500);
    QTRY_COMPARE(int(view->document()->hexLineWidth()), 16);  // 22 fit: the 8-multiple below
    QVERIFY(!tab(0)->isModified());
}

void TestFileWork::modifiedFlag() {
    const QString path = writeFile(QStringLiteral("m.bin"), "abc");
    tabs->openFileSlot(path, QStringLiteral("m.bin"));
    FileWork* fileWork = tab(0);
    QVERIFY(!fileWork->isModified());
    QCOMPARE(fileWork->hexView()->document()->read(0, 10), QByteArray("abc"));
    fileWork->hexView()->document()->replace(0, uchar('x'));
    QVERIFY(fileWork->isModified());
    fileWork->hexView()->document()->undo();
    QVERIFY(fileWork->isModified());  // any change of the history counts
}

void TestFileWork::saveShortcutWritesInPlace() {
    const QString path = writeFile(QStringLiteral("s.bin"), "abc");
    tabs->openFileSlot(path, QStringLiteral("s.bin"));
    FileWork* fileWork = tab(0);
    QTest::keyClicks(fileWork->hexView(), QStringLiteral("ff"));
    QTest::keyClick(fileWork->hexView(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readAll(path), QByteArray("\xFF"
                                       "bc"));
    QVERIFY(!fileWork->isModified());
    QCOMPARE(messages.last(),
             qMakePair(int(QMessageBox::Information), "文件： " + path + " 保存成功 "));
}

void TestFileWork::failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("how");
    QTest::addRow("the folder refuses new files") << "folder";
    QTest::addRow("the disk fills up half way") << "full";
}

void TestFileWork::failedSaveKeepsOldFile() {
    QFETCH(QString, how);
    QByteArray old(100000, '\0');
    for (int i = 0; i < old.size(); ++i) old[i] = char(i * 7);
    const QString path = writeFile(QStringLiteral("locked/image.bin"), old);
    tabs->openFileSlot(path, QStringLiteral("image.bin"));
    FileWork* fileWork = tab(0);
    fileWork->hexView()->document()->insert(0, QByteArray(50000, 'n'));
    const QString folder = QFileInfo(path).absolutePath();
    bool ok;
    if (how == "folder") {
        if (geteuid() != 0) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            ok = fileWork->writeFile(path);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        } else {
            // Root ignores permissions; an immutable folder still refuses new names.
            if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) != 0)
                QSKIP("needs chattr +i when running as root");
            ok = fileWork->writeFile(path);
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
        }
    } else {
        // Writes past 64 KiB fail with EFBIG, as on a full disk.
        struct rlimit previous;
        getrlimit(RLIMIT_FSIZE, &previous);
        struct rlimit limited = previous;
        limited.rlim_cur = 64 * 1024;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        ok = fileWork->writeFile(path);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, oldHandler);
    }
    QVERIFY(!ok);
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("image.bin")});
    QVERIFY(fileWork->isModified());
    QCOMPARE(messages.last(),
             qMakePair(int(QMessageBox::Critical), "文件： " + path + " 保存失败 "));
    QVERIFY(fileWork->writeFile(path));  // and works once the folder lets it
    QCOMPARE(readAll(path), QByteArray(50000, 'n') + old);
}

void TestFileWork::badFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message");  // %1: the path
    QTest::addRow("empty file opens empty") << "empty" << true << "";
    QTest::addRow("missing") << "missing" << false << "文件： x.bin 不存在。";
    QTest::addRow("a folder") << "folder" << false << "文件： %1 是文件夹，不是文件。";
    QTest::addRow("no read permission") << "unreadable" << false << "文件： %1 无法读取： ";
    QTest::addRow("too large for memory") << "large" << false << "文件： %1 太大，无法读入内存。";
}

void TestFileWork::badFiles() {
    QFETCH(QString, kind);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    QString path = work->filePath(QStringLiteral("x.bin"));
    if (kind == "empty" || kind == "unreadable" || kind == "large")
        writeFile(QStringLiteral("x.bin"), kind == "large" ? QByteArray(2000, 'l') : QByteArray());
    if (kind == "folder")
        QDir().mkpath(path);
    if (kind == "unreadable") {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        QFile::setPermissions(path, QFile::WriteOwner);
    }
    if (kind == "large")
        FileWork::maxFileSize = 1000;
    tabs->openFileSlot(path, QStringLiteral("x.bin"));
    QCOMPARE(contents->count(), opens ? 1 : 0);
    if (message.isEmpty()) {
        QVERIFY(messages.isEmpty());
        QCOMPARE(tab(0)->hexView()->document()->length(), qint64(0));
        QTest::keyClicks(tab(0)->hexView(), QStringLiteral("5"));
        QCOMPARE(tab(0)->hexView()->document()->read(0, 4), QByteArray("\x50"));
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().first, int(QMessageBox::Critical));
        const QString expected =
            message.contains(QLatin1String("%1")) ? message.arg(path) : message;
        QVERIFY2(messages.first().second.startsWith(expected), qPrintable(messages.first().second));
    }
}

void TestFileWork::fileShrinkingOnDiskStillSavesWhole() {
    const QString path = writeFile(QStringLiteral("shrink.bin"), QByteArray(4096, 'a'));
    tabs->openFileSlot(path, QStringLiteral("shrink.bin"));
    QFile::resize(path, 10);
    tab(0)->hexView()->document()->replace(4000, QByteArray("end"));
    tabs->saveCurrent();
    QByteArray expected(4096, 'a');
    expected.replace(4000, 3, "end");
    QCOMPARE(readAll(path), expected);
}

void TestFileWork::largePasteStaysResponsive() {
    tabs->controler()->newFileSlot();
    HexView* view = tab(0)->hexView();
    QByteArray text(10 * 1024 * 1024, 'q');
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
    view->renderer()->selectArea(HexRenderer::AsciiArea);
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    view->viewport()->repaint();
    QCOMPARE(view->document()->length(), qint64(text.size()));
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    // The hex copy of 10 MiB fits the clipboard limit; a larger selection is refused.
    view->document()->insert(0, QByteArray(HexDocument::kMaxClipboardBytes, 'z'));
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(view->document()->length(), qint64(text.size()) + HexDocument::kMaxClipboardBytes);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().first, int(QMessageBox::Warning));
}

void TestFileWork::findBar() {
    const QString path =
        writeFile(QStringLiteral("f.bin"), QByteArray::fromHex("00DEAD00") + "text" + "\xDE\xAD");
    tabs->openFileSlot(path, QStringLiteral("f.bin"));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    FileWork* fileWork = tab(0);
    fileWork->hexView()->setFocus();
    QTest::keyClick(fileWork->hexView(), Qt::Key_F, Qt::ControlModifier);
    FindBar* bar = fileWork->findBar();
    QTRY_VERIFY(bar->isVisible());
    QTRY_VERIFY(bar->patternEdit()->hasFocus());
    QCOMPARE(bar->modeBox()->currentIndex(), int(FindBar::Hex));
    QTest::keyClicks(bar->patternEdit(), QStringLiteral("de ad"));
    QTest::keyClick(bar->patternEdit(), Qt::Key_Return);
    QCOMPARE(fileWork->hexView()->document()->cursor()->selectionStart().offset(), qint64(1));
    QCOMPARE(bar->findNext(), qint64(8));
    QCOMPARE(bar->findNext(), qint64(-1));
    QCOMPARE(bar->statusText(), QStringLiteral("未找到"));
    QCOMPARE(bar->findPrevious(), qint64(1));
    bar->modeBox()->setCurrentIndex(FindBar::Text);
    bar->patternEdit()->setText(QStringLiteral("text"));
    QCOMPARE(bar->findNext(), qint64(4));
    bar->modeBox()->setCurrentIndex(FindBar::Hex);
    bar->patternEdit()->setText(QStringLiteral("DEA"));
    QCOMPARE(bar->findNext(), qint64(-1));
    QCOMPARE(bar->statusText(), QStringLiteral("十六进制字节格式错误"));
    QTest::keyClick(bar->patternEdit(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QTRY_VERIFY(fileWork->hexView()->hasFocus());
}

void TestFileWork::gotoBar_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("offset");  // -1: refused
    QTest::addColumn<QString>("status");
    QTest::addRow("decimal") << "20" << qint64(20) << "";
    QTest::addRow("hex with 0x") << "0x1F" << qint64(31) << "";
    QTest::addRow("the append position") << "0x40" << qint64(64) << "";
    QTest::addRow("past the end") << "65" << qint64(-1) << "超出范围 (0 - 0x40)";
    QTest::addRow("not a number") << "12z" << qint64(-1) << "偏移量无效";
    QTest::addRow("negative") << "-3" << qint64(-1) << "偏移量无效";
}

void TestFileWork::gotoBar() {
    QFETCH(QString, text);
    QFETCH(qint64, offset);
    QFETCH(QString, status);
    tabs->openFileSlot(writeFile(QStringLiteral("g.bin"), QByteArray(64, 'g')),
                       QStringLiteral("g.bin"));
    FileWork* fileWork = tab(0);
    fileWork->gotoBar()->open();
    fileWork->gotoBar()->offsetEdit()->setText(text);
    QCOMPARE(fileWork->gotoBar()->go(), offset >= 0);
    QCOMPARE(fileWork->gotoBar()->statusText(), status);
    QCOMPARE(fileWork->hexView()->document()->cursor()->positionOffset(), qMax<qint64>(0, offset));
}

void TestFileWork::statusLine() {
    tabs->openFileSlot(writeFile(QStringLiteral("st.bin"), QByteArray(300, 's')),
                       QStringLiteral("st.bin"));
    FileWork* fileWork = tab(0);
    HexCursor* cursor = fileWork->hexView()->document()->cursor();
    cursor->placeAt(0x20);
    cursor->extendTo(0x2F);
    QString text = fileWork->statusLine()->text();
    QVERIFY2(text.contains(QStringLiteral("偏移: 0x2F (47)")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("选中: 16 字节")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("长度: 300 字节")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("覆盖")), qPrintable(text));
    QTest::keyClick(fileWork->hexView(), Qt::Key_Insert);
    QVERIFY(fileWork->statusLine()->text().endsWith(QStringLiteral("插入")));
}

void TestFileWork::startupPaths() {
    const QString a = writeFile(QStringLiteral("a.bin"), "a");
    const QString b = writeFile(QStringLiteral("b.bin"), "b");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    tabs->openPaths({QStringLiteral("a.bin"), QStringLiteral("missing.bin"), b});
    QCOMPARE(contents->count(), 2);
    QCOMPARE(tab(0)->getFilePath(), a);
    QCOMPARE(contents->currentIndex(), 1);
    QTRY_VERIFY(tab(1)->hexView()->hasFocus());
    QCOMPARE(tab(1)->hexView()->renderer()->selectedArea(), int(HexRenderer::HexArea));
    QCOMPARE(
        messages,
        (Messages{{int(QMessageBox::Critical), QStringLiteral("文件： missing.bin 不存在。")}}));
    QCOMPARE(menuPaths(recent), (QStringList{a, b}));
}

QTEST_MAIN(TestFileWork)
#include "tst_filework.moc"
