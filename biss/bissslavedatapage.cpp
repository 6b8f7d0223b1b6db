#include "bissslavedatapage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bisspolling.h"
#include "bisspositionchart.h"
#include "bissslaveregedit.h"
#include "bisstransformmode.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "settingswork.h"

namespace {
constexpr int kZeroSingleTurn = 0x2C;
}

BissSlaveDataPage::BissSlaveDataPage(SettingsWork* work)
    : BissPage(work, QStringLiteral("当前连接从机设备型号：")),
      continuousBox(new QCheckBox(translated("连续获取"), this)),
      multiTurnField(new QLineEdit(this)),
      singleTurnField(new QLineEdit(this)),
      voltageField(new QLineEdit(this)),
      zeroButton(new QPushButton(translated("单圈置零"), this)),
      chart(new BissPositionChart(this)),
      description(detail->text()) {
    continuousBox->setObjectName(QStringLiteral("normal"));
    zeroButton->setObjectName(QStringLiteral("FineCalibration"));
    for (QLineEdit* field : {multiTurnField, singleTurnField, voltageField})
        field->setEnabled(false);
    grid->addWidget(detail, 0, 0, 1, 3);
    grid->addWidget(continuousBox, 0, 3);
    grid->addWidget(new QLabel(translated("多圈："), this), 1, 0);
    grid->addWidget(multiTurnField, 1, 1);
    grid->addWidget(new QLabel(translated("单圈："), this), 1, 2);
    grid->addWidget(singleTurnField, 1, 3);
    grid->addWidget(new QLabel(translated("电压:"), this), 2, 0);
    grid->addWidget(voltageField, 2, 1);
    grid->addWidget(zeroButton, 2, 3);
    grid->addWidget(chart, 3, 0, 1, 4);
    // The chart only exists for continuous acquisition; hidden it costs nothing.
    chart->hide();
    dataTimerReDraw();
    connect(continuousBox, &QCheckBox::clicked, this, &BissSlaveDataPage::continuousClicked);
    connect(zeroButton, &QPushButton::clicked, this, &BissSlaveDataPage::zeroSingleTurn);
    connect(work, &SettingsWork::dataTimerReDrawSignal, this, &BissSlaveDataPage::dataTimerReDraw);
}

void BissSlaveDataPage::dataTimerReDraw() {
    BissEntity* e = entity();
    DevicesType* types = DevicesType::instance();
    detail->setText(description + QLatin1Char('(') + types->valueToKey(types->getSlaveType()) +
                    QLatin1Char(')'));
    multiTurnField->setText(QString::number(e->getMultiTurnValue()));
    singleTurnField->setText(QString::number(e->getSingleTurnValue()));
    voltageField->setText(QString::number(double(e->getVoltage()), 'g', 6));
    const bool clean = e->getErrorFree() && e->getWarningFree();
    setResult(multiTurnField, clean);
    setResult(singleTurnField, clean);
    setResult(voltageField, e->getVoltage() > 3.1f);
    continuousBox->setChecked(e->getContinuousRead());
    if (e->getContinuousRead()) {
        chart->show();
        chart->addSample(quint32(e->getSingleTurnValue()), e->getMultiTurnValue());
    } else if (chart->isVisible() || chart->sampleCount() > 0) {
        chart->hide();
        chart->reset();
    }
}

void BissSlaveDataPage::continuousClicked(bool checked) {
    if (jobRunning())
        return;
    if (!masterCheck()) {
        continuousBox->setChecked(false);
        return;
    }
    if (!slaveCheck()) {
        continuousBox->setChecked(false);
        return;
    }
    entity()->setContinuousRead(checked);
    BissPolling::attach(work)->startDataTimer();
    // The next data redraw shows the state the polling really is in.
    continuousBox->setChecked(false);
}

void BissSlaveDataPage::zeroSingleTurn() {
    if (jobRunning())
        return;
    DevicesType* types = DevicesType::instance();
    if (types->getConnectedType() != DevicesType::BiSS_Master ||
        BissTransformMode::instance()->getMasterMode() != BissTransformMode::BISS_C) {
        QMessageBox* box = warn(QStringLiteral("请连接BiSS_C Master!"));
        connect(box, &QMessageBox::finished, work, &SettingsWork::devicesNotConnect);
        return;
    }
    if (ConnectFlag::instance()->getDeviceConnection() != ConnectFlag::CONNECTED) {
        warn(QStringLiteral("此功能仅适用于BISS通信状态下!"));
        return;
    }
    if (DevicesStatus::instance()->getValue() != DevicesStatus::NORMAL)
        return;
    if (!slaveCheck())
        return;
    BissEntity* e = entity();
    e->setRegisterAddress(types->getSlaveType() == DevicesType::FENOXA_BISS
                              ? BissSlaveRegEdit::FENOXA_COMMAND_ADDR
                              : BissSlaveRegEdit::COMMAND_ADDR);
    e->setRegisterValue(kZeroSingleTurn);
    emit work->writeSlaverRegeditSignal(e);
}
