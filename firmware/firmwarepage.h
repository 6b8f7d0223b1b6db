// Common ground of the firmware and IAP pages: the workspace they serve, a grid under a
// description label, inputs enabled only while the page is the workspace's current entry, and
// the file choosers.
#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QWidget>

class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class SettingsWork;

class FirmwarePage : public QWidget {
    Q_OBJECT
public:
    FirmwarePage(SettingsWork* work, const QString& description);

    // A page label: translated, object name "detail".
    QLabel* label(const char* text);
    // Created disabled; enabled exactly while this page is the list's current entry and no
    // job of the page is running.
    void addInput(QWidget* input);
    // A non-modal chooser of a .bin file starting in the folder of currentPath; chosen gets
    // the path.
    void chooseFile(const char* title, const QString& currentPath,
                    const std::function<void(const QString&)>& chosen);
    static QString folderOf(const QString& path);

protected:
    // While the page's job runs, the record it handed over must not change under the worker:
    // the inputs stay disabled even on the current entry.
    void setJobRunning(bool running);

    SettingsWork* work;
    QGridLayout* grid;

private:
    void currentChanged(QListWidgetItem* item);
    void updateInputs();

    int row;
    QList<QWidget*> inputs;
    bool current = false;
    bool jobRunning = false;
};
