// The rig parameters: the reference encoder's resolution, the reference points, the
// calibration speed.
#pragma once

#include <QStringList>

#include "calibrationpage.h"

class RigParameterPage : public CalibrationPage {
    Q_OBJECT
public:
    explicit RigParameterPage(SettingsWork* work);

    // "" and every n below 2048 that divides 2048 with a step 360 / n of 1 to 22.5 degrees.
    static QStringList pointItems();
    static QStringList speedItems();

    QLineEdit* lineEdit() const { return line; }
    MComboBox* pointBox() const { return points; }
    MComboBox* speedBox() const { return speed; }

private:
    void reload();

    QLineEdit* line;
    MComboBox* points;
    MComboBox* speed;
};
