// Page "从机反馈数据": the slave's model, position and supply voltage, single-turn zeroing and
// continuous acquisition with a live position chart.
#pragma once

#include "bisspage.h"

class BissPositionChart;
class QCheckBox;
class QLineEdit;
class QPushButton;

class BissSlaveDataPage : public BissPage {
    Q_OBJECT
public:
    explicit BissSlaveDataPage(SettingsWork* work);

    QCheckBox* continuousBox;
    QLineEdit* multiTurnField;
    QLineEdit* singleTurnField;
    QLineEdit* voltageField;
    QPushButton* zeroButton;
    BissPositionChart* chart;

public slots:
    void dataTimerReDraw();

private:
    void continuousClicked(bool checked);
    void zeroSingleTurn();

    QString description;
};
