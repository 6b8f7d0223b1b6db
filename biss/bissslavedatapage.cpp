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
      freshness(new QLabel(this)),
      description(detail->text()) {
    freshness->setObjectName(QStringLiteral("detail"));
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
    grid->addWidget(freshness, 3, 0, 1, 4);
    grid->addWidget(chart, 4, 0, 1, 4);
    // The chart only exists for continuous acquisition; hidden it costs nothing.
    chart->hide();
    dataTimerReDraw();
    connect(continuousBox, &QCheckBox::clicked, this, [this](bool checked) {
        whenPortFree([this, checked] { continuousClicked(checked); });
    });
    onClick(zeroButton, [this] { zeroSingleTurn(); });
    connect(work, &SettingsWork::dataTimerReDrawSignal, this, &BissSlaveDataPage::dataTimerReDraw);
    connect(work, &SettingsWork::slaverDataResult, this, &BissSlaveDataPage::dataResult);
}

void BissSlaveDataPage::dataResult() {
    // A failed read comes back with continuousRead already off: only a good read is a sample.
    BissEntity* e = entity();
    if (!e->getContinuousRead())
        return;
    lastGoodRead = QDateTime::currentDateTime();
    chart->show();
    chart->addSample(quint32(e->getSingleTurnValue()), quint32(e->getMultiTurnValue()));
}

void BissSlaveDataPage::dataTimerReDraw() {
    BissEntity* e = entity();
    DevicesType* types = DevicesType::instance();
    const bool slaveKnown = ConnectFlag::instance()->getSlaveConnection() == ConnectFlag::CONNECTED;
    // Before the first status read the slave type is only the default: no model to name.
    detail->setText(
        description + QLatin1Char('(') +
        (slaveKnown ? types->valueToKey(types->getSlaveType()) : translated("尚未读取从机")) +
        QLatin1Char(')'));
    // Positions are unsigned 32-bit counts (bit 31 set is a large position, not a negative one).
    multiTurnField->setText(QString::number(quint32(e->getMultiTurnValue())));
    singleTurnField->setText(QString::number(quint32(e->getSingleTurnValue())));
    voltageField->setText(QString::number(double(e->getVoltage()), 'g', 6));
    continuousBox->setChecked(e->getContinuousRead());
    // Values that no poll renews any more (supply off, slave lost, acquisition ended) are shown
    // grey with the time they were read, never in the colours of a live verdict.
    const bool live = e->getContinuousRead() && e->getSlaveEnabled() && slaveKnown;
    if (live || !lastGoodRead.isValid()) {
        const bool clean = e->getErrorFree() && e->getWarningFree();
        setResult(multiTurnField, clean);
        setResult(singleTurnField, clean);
        setResult(voltageField, e->getVoltage() > 3.1f);
        freshness->clear();
    } else {
        for (QLineEdit* field : {multiTurnField, singleTurnField, voltageField}) setStale(field);
        freshness->setText(translated("数据已停止更新，最后读取时间：") +
                           lastGoodRead.toString(QStringLiteral("HH:mm:ss")));
    }
    if (!e->getContinuousRead() && (chart->isVisible() || chart->sampleCount() > 0)) {
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
    // Switched off, no result will come to say the values stop here: say it now.
    if (!checked)
        dataTimerReDraw();
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
