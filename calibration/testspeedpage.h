// One of the four test runs: its speed, and the maximum INL it gave.
#pragma once

#include "calibrationpage.h"

class TestSpeedPage : public CalibrationPage {
    Q_OBJECT
public:
    TestSpeedPage(SettingsWork* work, int index);

    MComboBox* speedBox() const { return speed; }
    QLineEdit* maxInlField() const { return maxInl; }

private:
    void reload();

    int index;
    MComboBox* speed;
    QLineEdit* maxInl;
};
