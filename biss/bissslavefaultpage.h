// Page "从机错误 & 警告": the slave's error and warning flags (a resolver's own seven when the
// slave is an ABSRESLOVER), and the clear of the slave's faults.
#pragma once

#include <QList>

#include "bisspage.h"

class QCheckBox;
class QPushButton;

class BissSlaveFaultPage : public BissPage {
    Q_OBJECT
public:
    explicit BissSlaveFaultPage(SettingsWork* work);

    QList<QCheckBox*> indicators;  // I1..I7
    QPushButton* clearButton;

public slots:
    void dataTimerReDraw();

private:
    void clear();
};
