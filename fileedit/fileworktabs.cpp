#include "fileworktabs.h"

#include <QAbstractButton>
#include <QAction>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "baidutranslate.h"
#include "filework.h"
#include "fileworkcontroler.h"
#include "hexrenderer.h"
#include "hexview.h"

namespace {
constexpr int kShadowBackMs = 50;

QString normalPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();  // empty for a file that is not there
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
}  // namespace

FileWorkTabs::FileWorkTabs(QTabWidget* contents, QMenu* recentMenu, QWidget* window)
    : QObject(window),
      contents(contents),
      recentMenu(recentMenu),
      window(window),
      fileControler(new FileWorkControler(this)) {
    connect(fileControler, &FileWorkControler::newFileSignal, this, &FileWorkTabs::newFileSlot);
    connect(fileControler, &FileWorkControler::openFileSignal, this, &FileWorkTabs::openFileSlot);
    connect(fileControler, &FileWorkControler::saveFileSignal, this, &FileWorkTabs::saveFileSlot);
    connect(fileControler, &FileWorkControler::openRecentSignal, this,
            &FileWorkTabs::openRecentSlot);
    if (recentMenu)
        recentMenu->setEnabled(true);
    fileControler->openRecentSlot();
}

FileWork* FileWorkTabs::currentFileWork() const {
    return qobject_cast<FileWork*>(contents->currentWidget());
}

QList<FileWork*> FileWorkTabs::fileWorks() const {
    QList<FileWork*> list;
    for (int i = 0; i < contents->count(); ++i)
        if (auto* work = qobject_cast<FileWork*>(contents->widget(i)))
            list << work;
    return list;
}

FileWork* FileWorkTabs::createFileWork() {
    auto* work = new FileWork(contents);
    connect(work, &FileWork::saveFileSignal, this, [this, work](const QString& path) {
        saveTarget = work;
        fileControler->saveFileSlot(path);
    });
    connect(work, &FileWork::saveAsFileSignal, this, [this, work] { requestSaveAs(work, false); });
    connect(work, &FileWork::showMsg, this, &FileWorkTabs::showMsg);
    connect(work, &FileWork::modifiedChanged, this, [this, work] { updateTitle(work); });
    return work;
}

FileWork* FileWorkTabs::tabOfFile(const QString& path) const {
    const QString wanted = normalPath(path);
    for (FileWork* work : fileWorks())
        if (!work->isNewFile() && normalPath(work->getFilePath()) == wanted)
            return work;
    return nullptr;
}

void FileWorkTabs::updateTitle(FileWork* work) {
    const int index = contents->indexOf(work);
    if (index < 0)
        return;
    // A new document's path is its title ("新文件").
    const QString name = QFileInfo(work->getFilePath()).fileName();
    contents->setTabText(index, work->isModified() ? name + QLatin1Char('*') : name);
    contents->setTabToolTip(index, work->isNewFile() ? QString() : work->getFilePath());
}

void FileWorkTabs::setDisplayLine(int width) {
    for (FileWork* work : fileWorks()) work->setDisplayLine(width);
}

void FileWorkTabs::newFileSlot(QString fileName) {
    FileWork* work = createFileWork();
    work->setFilePath(fileName);
    work->setModified(true);
    work->setNewFile(true);
    contents->setCurrentIndex(contents->addTab(work, fileName));
    updateTitle(work);
    setDisplayLine((window->width() - 60) / 7 * 6);
    work->hexView()->setFocus();
}

void FileWorkTabs::openFileSlot(QString filePath, QString fileName) {
    currentPath = filePath;
    if (!QFileInfo::exists(filePath)) {
        emit showMsg(QMessageBox::Critical,
                     translated("文件： ") + fileName + translated(" 不存在。"));
        return;
    }
    // A file lives in one tab only: two tabs on one file would each save their own bytes over
    // the other's.
    if (FileWork* holder = tabOfFile(filePath)) {
        contents->setCurrentWidget(holder);
        fileControler->openRecentSlot();
        holder->hexView()->setFocus();
        return;
    }
    emit shutdownShadow();
    FileWork* work = createFileWork();
    if (!work->loadFile(filePath)) {
        // The reason has been shown; a tab over a part of the file would invite saving it.
        delete work;
        emit updateShadow();
        return;
    }
    contents->setCurrentIndex(contents->addTab(work, fileName));
    updateTitle(work);
    setDisplayLine(window->width() / 7 * 6);
    fileControler->openRecentSlot();
    emit updateShadow();
    work->hexView()->setFocus();
}

void FileWorkTabs::saveFileSlot(QString filePath, QString) {
    FileWork* work = saveTarget ? saveTarget.data() : currentFileWork();
    saveTarget = nullptr;
    const bool closeAfter = closeAfterSave;
    closeAfterSave = false;
    if (work && work->writeFile(filePath) && closeAfter)
        removeFileWork(work);
    fileControler->openRecentSlot();
}

void FileWorkTabs::saveAsFileSlot(QString filePath, QString) {
    if (FileWork* work = currentFileWork())
        saveAsInto(work, filePath, false);
    else
        currentPath = filePath;
    fileControler->openRecentSlot();
}

void FileWorkTabs::saveAsInto(FileWork* work, const QString& filePath, bool closeAfter) {
    currentPath = filePath;
    FileWork* holder = tabOfFile(filePath);
    if (holder == work)
        holder = nullptr;
    if (holder && holder->isModified()) {
        // Its unsaved changes would be lost without a word: the operator decides there first.
        contents->setCurrentWidget(holder);
        emit showMsg(QMessageBox::Warning,
                     translated("文件： ") + filePath +
                         translated(" 已在另一个标签页中打开且有未保存的修改，"
                                    "请先保存或关闭该标签页。"));
        return;
    }
    if (!work->writeFile(filePath))
        return;
    // The file now holds this tab's bytes; a tab that showed its old bytes goes, so that the
    // file stays in one tab.
    if (holder)
        removeFileWork(holder);
    updateTitle(work);
    if (closeAfter)
        removeFileWork(work);
    else
        contents->setCurrentWidget(work);
}

void FileWorkTabs::openRecentSlot(QStringList recentFileName) {
    qDebug() << recentFileName;
    if (!recentMenu)
        return;
    recentMenu->clear();
    for (const QString& path : recentFileName) {
        const QString name = QFileInfo(path).fileName();
        QAction* action = recentMenu->addAction(name);
        action->setToolTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this,
                [this, path, name] { openFileSlot(path, name); });
    }
    recentMenu->setToolTipsVisible(true);
}

void FileWorkTabs::requestSaveAs(FileWork* work, bool closeAfter) {
    QFileDialog* dialog = fileControler->saveAsFileSlot();
    if (!dialog)
        return;
    // The dialog answers for the tab that asked and for no other; when that tab has been
    // closed meanwhile, the choice writes nothing.
    QPointer<FileWork> target(work);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this, target, closeAfter](const QString& path) {
                // A closed tab may linger until its deferred deletion: gone from the tabs is gone.
                if (target && contents->indexOf(target) >= 0)
                    saveAsInto(target, path, closeAfter);
                fileControler->openRecentSlot();
            });
}

void FileWorkTabs::saveCurrent() {
    if (FileWork* work = currentFileWork())
        work->requestSave();
}

void FileWorkTabs::saveAsCurrent() {
    if (FileWork* work = currentFileWork())
        requestSaveAs(work, false);
}

void FileWorkTabs::removeFileWork(FileWork* work) {
    const int index = contents->indexOf(work);
    if (index < 0)
        return;
    emit shutdownShadow();
    contents->removeTab(index);
    // The tab holds the whole file in memory: free it with the tab.
    work->deleteLater();
    QTimer::singleShot(kShadowBackMs, this, &FileWorkTabs::updateShadow);
}

bool FileWorkTabs::closeTab(int index) {
    auto* work = qobject_cast<FileWork*>(contents->widget(index));
    if (!work)
        return false;
    if (!work->isModified()) {
        removeFileWork(work);
        return true;
    }
    if (prompt)
        prompt->close();
    const QString text = translated("警告,是否保存更改?");
    const int comma = text.indexOf(QLatin1Char(','));
    auto* box = new QMessageBox();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Information);
    box->setWindowTitle(comma < 0 ? text : text.left(comma));
    box->setText(comma < 0 ? QString() : text.mid(comma + 1));
    // Which file the question is about: several tabs may hold changes.
    box->setInformativeText(work->isNewFile() ? QFileInfo(work->getFilePath()).fileName()
                                              : work->getFilePath());
    box->addButton(translated("保存"), QMessageBox::YesRole);
    box->addButton(translated("不保存"), QMessageBox::NoRole);
    box->addButton(translated("取消"), QMessageBox::RejectRole);
    QPointer<FileWork> target(work);
    connect(box, &QMessageBox::buttonClicked, this, [this, box, target](QAbstractButton* button) {
        if (target)
            answerClosePrompt(target, box->buttonRole(button));
    });
    prompt = box;
    box->show();
    return true;
}

void FileWorkTabs::answerClosePrompt(FileWork* work, QMessageBox::ButtonRole role) {
    if (role == QMessageBox::NoRole) {
        removeFileWork(work);
        return;
    }
    if (role != QMessageBox::YesRole)
        return;
    qDebug() << (work->isNewFile() ? "true" : "false") << work->getFilePath();
    if (work->isNewFile()) {
        // The tab stays until its Save As has written it; a cancelled dialog keeps it.
        requestSaveAs(work, true);
        return;
    }
    closeAfterSave = true;
    work->requestSave();
}

void FileWorkTabs::openPaths(const QStringList& paths) {
    for (const QString& path : paths) {
        const QFileInfo info(path);
        const QString absolute = info.absoluteFilePath();
        if (info.exists() && !info.isDir())
            fileControler->rememberPath(absolute);
        openFileSlot(absolute, info.fileName());
    }
    if (FileWork* work = currentFileWork()) {
        work->hexView()->renderer()->selectArea(HexRenderer::HexArea);
        work->hexView()->setFocus();
    }
}

bool FileWorkTabs::mayDiscardChanges() {
    QStringList changed;
    for (FileWork* file : fileWorks())
        if (file->isModified()) {
            // As the operator knows it: the tab's title (a new document has no file yet).
            const int tab = contents->indexOf(file);
            changed << (tab >= 0 ? contents->tabText(tab)
                                 : QFileInfo(file->getFilePath()).fileName());
        }
    if (changed.isEmpty())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        window, translated("询问"),
        translated("以下文件有未保存的修改，退出后将丢失：") + QStringLiteral("\n") +
            changed.join(QLatin1Char('\n')) + QStringLiteral("\n") + translated("确定退出吗？"),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    return answer == QMessageBox::Yes;
}
