// Common ground of the calibration pages: the workspace and its record, a grid, labels, and
// inputs enabled only while the page is the workspace's current entry.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class CalibrationEntity;
class MComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class SettingsWork;

class CalibrationPage : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationPage(SettingsWork* work);

    // The record the workspace holds now: a result may have handed over another one.
    CalibrationEntity* record() const;

    // Sets the dynamic property "Result" to "success" or "fail" and re-polishes the widget.
    static void setResult(QWidget* widget, bool success);
    static void setName(QWidget* widget, const QString& objectName);
    // Puts the item whose text is value's number first, or the empty item.
    static void selectNumber(MComboBox* box, int value);

protected:
    // A page label: translated, object name "detail".
    QLabel* label(const char* text);
    QLineEdit* resultField();
    // Created disabled; enabled exactly while this page is the list's current entry.
    void addInput(QWidget* input);

    SettingsWork* work;
    QGridLayout* grid;

private:
    void currentChanged(QListWidgetItem* current);

    int row;
    QList<QWidget*> inputs;
};
