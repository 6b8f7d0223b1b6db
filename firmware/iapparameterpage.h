// "IAP参数": device type, packet size, axis and the upgrade image.
#pragma once

#include "firmwarepage.h"

class MComboBox;
class QPushButton;

class IapParameterPage : public FirmwarePage {
    Q_OBJECT
public:
    explicit IapParameterPage(SettingsWork* work);

    MComboBox* deviceBox;
    MComboBox* protocolBox;
    MComboBox* axisBox;
    QLineEdit* firmwarePath;
    QPushButton* chooseButton;

private:
    void reDraw();
    void refillDevices();
    bool drawing = false;
};
