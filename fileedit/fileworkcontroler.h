// The file dialogs of the file workspace, the remembered path and the recent-files list.
#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPointer>
#include <QStringList>

class FileWorkEntity;
class FileWorkMode;

class FileWorkControler : public QObject {
    Q_OBJECT
public:
    explicit FileWorkControler(QObject* parent = nullptr);

    FileWorkEntity* getEntity() const { return entity; }
    // The dialog opened last, while it is open.
    QFileDialog* currentDialog() const { return dialog.data(); }

signals:
    void openFileSignal(QString filePath, QString fileName);
    void newFileSignal(QString fileName);
    void saveFileSignal(QString filePath, QString fileName);
    void saveAsFileSignal(QString filePath, QString fileName);
    void openRecentSignal(QStringList recentFilePath);

public slots:
    void openFileSlot();
    void newFileSlot();
    void saveFileSlot(QString filePath);
    // The dialog it opened (nullptr without a remembered path), so that the caller can bind
    // the answer to the tab that asked: several save dialogs may be open at once.
    QFileDialog* saveAsFileSlot();
    void openRecentSlot();
    // Records a path opened by other means (the command line) as opening through the dialog does.
    void rememberPath(const QString& filePath);

private:
    QFileDialog* makeDialog(const QString& title);

    FileWorkMode* mode;
    FileWorkEntity* entity;
    QPointer<QFileDialog> dialog;
};
