// Page "从机使能": switches the slave's 5 V supply through the master.
#pragma once

#include "bisspage.h"

class QCheckBox;
class QPushButton;

class BissSlaveEnablePage : public BissPage {
    Q_OBJECT
public:
    explicit BissSlaveEnablePage(SettingsWork* work);

    QCheckBox* indicator;
    QPushButton* offButton;
    QPushButton* onButton;

public slots:
    void viewReDraw();
    void finish();

private:
    void switchOff();
    void switchOn();
};
