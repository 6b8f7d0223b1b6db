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
    // "编码器序列号" of the encoder being upgraded: typed, or scanned (the code and Enter).
    QLineEdit* serialNumber;

private:
    void reDraw();
    void refillDevices();
    bool drawing = false;
};
