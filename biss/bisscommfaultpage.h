// Page "通信错误 & 警告": the communication fault codes the master reported, and their clear.
#pragma once

#include <QList>

#include "bisspage.h"

class QCheckBox;
class QPushButton;

class BissCommFaultPage : public BissPage {
    Q_OBJECT
public:
    explicit BissCommFaultPage(SettingsWork* work);

    QList<QCheckBox*> indicators;  // codes 3, 2, 4, 5, 6, 7, 8
    QPushButton* clearButton;

public slots:
    void dataTimerReDraw();

private:
    void clear();
};
