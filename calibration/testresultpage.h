// The tests' figures, and the buttons that open the chart view of each test run.
#pragma once

#include "calibrationpage.h"

class QPushButton;

class TestResultPage : public CalibrationPage {
    Q_OBJECT
public:
    explicit TestResultPage(SettingsWork* work);

    QLineEdit* averageField() const { return average; }
    QPushButton* runButton(int index) const { return buttons[index]; }
    QPushButton* reportButton() const { return report; }
    void openPage(int index);

private:
    void reload();

    QLineEdit* type;
    QLineEdit* threshold;
    QLineEdit* average;
    QPushButton* buttons[4];
    QPushButton* report;
};
