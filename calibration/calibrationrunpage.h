// The run buttons: calibrate, zero and test, each after the connection and parameter checks.
#pragma once

#include "calibrationpage.h"

class QLineEdit;
class QPushButton;

class CalibrationRunPage : public CalibrationPage {
    Q_OBJECT
public:
    enum Run { Calibrate, Zero, Test };

    explicit CalibrationRunPage(SettingsWork* work);

    QPushButton* button(Run run) const { return buttons[run]; }
    // "编码器序列号": typed, or scanned (a scanner types the code and Enter).
    QLineEdit* serialField() const { return serialEdit; }
    // The first failed check's message, empty when the record may run.
    static QString validate(const CalibrationEntity* record);

private:
    void start(Run run);
    void setButtonsEnabled(bool enabled);

    QPushButton* buttons[3];
    QLineEdit* serialEdit;
};
