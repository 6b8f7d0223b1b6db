// One file tab: a hex view over a firmware file, with its path, find bar and status line.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>

class FindBar;
class GotoOffsetBar;
class HexStatusLine;
class HexView;
class QGridLayout;

class FileWork : public QWidget {
    Q_OBJECT
public:
    // Files above this size are refused before any memory is taken for them.
    static qint64 maxFileSize;

    explicit FileWork(QWidget* parent = nullptr);

    HexView* hexView() const { return view; }
    FindBar* findBar() const { return finder; }
    GotoOffsetBar* gotoBar() const { return gotoOffset; }
    HexStatusLine* statusLine() const { return status; }

    bool isModified() const { return modified; }
    bool isNewFile() const { return newFile; }
    void setModified(bool b);
    void setNewFile(bool b) { newFile = b; }
    QString getFilePath() const { return filePath; }
    void setFilePath(const QString& path) { filePath = path; }

    // Reads the whole file into the view; false (with the reason as a message) when it cannot.
    bool loadFile(const QString& path);
    // Writes the document to path through a temporary file that replaces the target only once
    // it is complete; false (with a message) leaves the file on disk as it was.
    bool writeFile(const QString& path);
    // What the save menu action does: a new document asks for a path, any other is written to
    // its own through saveFileSignal.
    void requestSave();

signals:
    void saveFileSignal(QString filePath);
    void saveAsFileSignal();
    void showMsg(QMessageBox::Icon type, QString msg);
    void drawFinish();
    // The modified flag changed: the tab's title marks unsaved changes.
    void modifiedChanged(bool modified);

public slots:
    void documentIsChanged();
    void setDisplayLine(int width);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void attachDocumentSignals();
    void applyDisplayLine();

    QGridLayout* layout;
    HexView* view;
    FindBar* finder;
    GotoOffsetBar* gotoOffset;
    HexStatusLine* status;
    bool modified = false;
    bool newFile = false;
    QString filePath;
    // The width the window last offered for the rows (0: none yet).
    int displayWidth = 0;
};
