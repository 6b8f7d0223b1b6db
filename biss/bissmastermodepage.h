// Page "主机通信模式": the master's link mode and its multi-turn and single-turn bit counts.
#pragma once

#include "bisspage.h"

class MComboBox;
class MSpinBox;
class QPushButton;

class BissMasterModePage : public BissPage {
    Q_OBJECT
public:
    explicit BissMasterModePage(SettingsWork* work);

    MComboBox* modeBox;
    MSpinBox* multiTurnBox;
    MSpinBox* singleTurnBox;
    QPushButton* setButton;

public slots:
    void viewReDraw();

private:
    void apply();
};
