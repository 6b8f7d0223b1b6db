// "固件路径": the boot-loader and application files of an image.
#pragma once

#include "firmwarepage.h"

class QPushButton;

class FirmwarePathPage : public FirmwarePage {
    Q_OBJECT
public:
    explicit FirmwarePathPage(SettingsWork* work);

    QLineEdit* bootPath;
    QLineEdit* appPath;
    QPushButton* bootButton;
    QPushButton* appButton;
};
