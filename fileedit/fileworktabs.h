// The main window's side of the file workspace: file tabs in the contents tab widget, saving
// through the right tab, the close prompt and the recent-files menu.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>

class FileWork;
class FileWorkControler;
class QMenu;
class QTabWidget;

class FileWorkTabs : public QObject {
    Q_OBJECT
public:
    // contents holds the tabs, recentMenu lists the recent files, window gives the width the
    // rows are laid out for. The controller is created here and owned by this object.
    FileWorkTabs(QTabWidget* contents, QMenu* recentMenu, QWidget* window);

    FileWorkControler* controler() const { return fileControler; }
    FileWork* currentFileWork() const;
    QList<FileWork*> fileWorks() const;
    QString currentFilePath() const { return currentPath; }
    // The file tab that holds path (compared as absolute, cleaned paths), if any; a new
    // document holds no file.
    FileWork* tabOfFile(const QString& path) const;
    // The open close prompt, while it is open.
    QMessageBox* closePrompt() const { return prompt.data(); }

signals:
    void showMsg(QMessageBox::Icon type, QString msg);
    void shutdownShadow();
    void updateShadow();

public slots:
    void openFileSlot(QString filePath, QString fileName);
    void newFileSlot(QString fileName);
    void saveFileSlot(QString filePath, QString fileName);
    // Save As into the current file tab (the menu's own dialogs bind their tab instead).
    void saveAsFileSlot(QString filePath, QString fileName);
    void openRecentSlot(QStringList recentFileName);
    // The "保存" and "另存为" menu actions.
    void saveCurrent();
    void saveAsCurrent();
    // The tab widget's close request: true when the tab is a file tab and has been dealt with
    // here (removed, or a prompt is open); false leaves other tabs to the caller.
    bool closeTab(int index);
    // Files named at start-up: each one opens in a tab (a missing one gives a message), the
    // last one opened gets the keyboard focus.
    void openPaths(const QStringList& paths);
    void setDisplayLine(int width);
    // Before the window goes: true when no file tab holds unsaved changes, or the operator,
    // shown the modified tabs, agrees to lose them.
    bool mayDiscardChanges();

private:
    FileWork* createFileWork();
    void removeFileWork(FileWork* work);
    void requestSaveAs(FileWork* work, bool closeAfter);
    void saveAsInto(FileWork* work, const QString& filePath, bool closeAfter);
    void answerClosePrompt(FileWork* work, QMessageBox::ButtonRole role);
    void updateTitle(FileWork* work);

    QTabWidget* contents;
    QMenu* recentMenu;
    QWidget* window;
    FileWorkControler* fileControler;
    QString currentPath;
    // The tab a save was asked for, so the answer reaches that tab and no other. (A save runs
    // through at once; each Save As dialog holds its own tab instead, since several can be open.)
    QPointer<FileWork> saveTarget;
    bool closeAfterSave = false;
    QPointer<QMessageBox> prompt;
};
