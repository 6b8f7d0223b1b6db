// Common ground of the BiSS pages: the workspace they serve, the preconditions every button
// checks, the on-the-spot warning boxes, and inputs that are enabled only while the page is the
// workspace's current entry.
#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QWidget>

class BissEntity;
class QAbstractButton;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class QMessageBox;
class SettingsWork;

class BissPage : public QWidget {
    Q_OBJECT
public:
    BissPage(SettingsWork* work, const QString& description);

    // The checks, in the order the buttons run them. Each shows its own box and returns false.
    static bool jobRunning();
    // True when the BiSS master is connected and in normal mode. A job holding the port makes
    // it false without any message.
    bool masterCheck();
    // requiredType < 0: any slave but the rig and the master themselves.
    bool slaveTypeCheck(int requiredType = -1);
    bool slaveLinkCheck();
    bool slaveCheck(int requiredType = -1) {
        return slaveTypeCheck(requiredType) && slaveLinkCheck();
    }

    // Colours a read-only result field green or red through the style sheet.
    static void setResult(QLineEdit* field, bool success);
    // Neither pass nor fail: a value no longer renewed, shown in the plain (grey) style.
    static void setStale(QLineEdit* field);
    // A number typed by the operator; anything else, or out of the 32-bit range, is 0.
    static int numberOf(const QString& text);

    QLabel* detailLabel() const { return detail; }

protected:
    BissEntity* entity() const;
    // A non-modal warning box titled "警告", deleted when closed.
    QMessageBox* warn(const QString& text);
    QMessageBox* inform(const QString& title, const QString& text);
    // Created disabled; enabled exactly while this page is the list's current entry.
    void addInput(QWidget* input);
    // Runs click at once, or (while a job such as a poll holds the port) as soon as the port is
    // free; a click that cannot get the port in time is refused with a box. A click is never
    // dropped without a word.
    void whenPortFree(std::function<void()> click);
    void onClick(QAbstractButton* button, std::function<void()> click);

    SettingsWork* work;
    QGridLayout* grid;
    QLabel* detail;

private:
    void currentChanged(QListWidgetItem* current);

    int row;
    QList<QWidget*> inputs;
};
