// "固件参数": image kind, watermark device, version, and that device's area sizes (shown only).
#pragma once

#include "firmwarepage.h"

class MComboBox;
class MDoubleSpinBox;
class MSpinBox;

class FirmwareParameterPage : public FirmwarePage {
    Q_OBJECT
public:
    explicit FirmwareParameterPage(SettingsWork* work);

    MComboBox* modeBox;
    MComboBox* watermarkBox;
    MDoubleSpinBox* versionBox;
    MSpinBox* bootSize;
    MSpinBox* appSize;
    MSpinBox* configSize;
    MSpinBox* idSize;

private:
    void reDraw(bool withWatermark);
    bool drawing = false;
};
