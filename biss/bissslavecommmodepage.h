// Page "从机通信模式": the link mode of a ZEK_MT_BISS slave (it switches after a restart).
#pragma once

#include "bisspage.h"

class MComboBox;
class QCheckBox;
class QPushButton;

class BissSlaveCommModePage : public BissPage {
    Q_OBJECT
public:
    explicit BissSlaveCommModePage(SettingsWork* work);

    QCheckBox* modeBox;
    MComboBox* modeChoice;
    QPushButton* setButton;

public slots:
    void reViewSlaverTrans();

private:
    void apply();
};
