// The calibration's figures, and the buttons that open the chart view of each phase.
#pragma once

#include "calibrationpage.h"

class QPushButton;

class CalibrationResultPage : public CalibrationPage {
    Q_OBJECT
public:
    explicit CalibrationResultPage(SettingsWork* work);

    QLineEdit* typeField() const { return type; }
    QLineEdit* thresholdField() const { return threshold; }
    QLineEdit* finalField() const { return final; }
    QPushButton* phaseButton(int index) const { return buttons[index]; }
    QPushButton* reportButton() const { return report; }
    // Opens the chart view of a phase key through the workspace.
    void openPage(const QString& key);

private:
    void reload();

    QLineEdit* type;
    QLineEdit* threshold;
    QLineEdit* final;
    QPushButton* buttons[3];
    QPushButton* report;
};
