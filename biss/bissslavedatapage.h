// Page "从机反馈数据": the slave's model, position and supply voltage, single-turn zeroing and
// continuous acquisition with a live position chart.
#pragma once

#include <QDateTime>

#include "bisspage.h"

class BissPositionChart;
class QCheckBox;
class QLabel;
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
    // Says whether the shown values are current, or since when they are not.
    QLabel* freshness;

public slots:
    void dataTimerReDraw();

private:
    void dataResult();
    void continuousClicked(bool checked);
    void zeroSingleTurn();

    QString description;
    // When the last data result came that the slave answered; invalid before the first.
    QDateTime lastGoodRead;
};
