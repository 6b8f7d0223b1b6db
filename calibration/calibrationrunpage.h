// The run buttons: calibrate, zero and test, each after the connection and parameter checks.
#pragma once

#include "calibrationpage.h"

class QPushButton;

class CalibrationRunPage : public CalibrationPage {
    Q_OBJECT
public:
    enum Run { Calibrate, Zero, Test };

    explicit CalibrationRunPage(SettingsWork* work);

    QPushButton* button(Run run) const { return buttons[run]; }
    // The first failed check's message, empty when the record may run.
    static QString validate(const CalibrationEntity* record);

private:
    void start(Run run);
    void setButtonsEnabled(bool enabled);

    QPushButton* buttons[3];
};
