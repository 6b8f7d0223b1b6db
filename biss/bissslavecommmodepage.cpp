#include "bissslavecommmodepage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bisstransformmode.h"
#include "devicestype.h"
#include "mcombobox.h"
#include "settingswork.h"

BissSlaveCommModePage::BissSlaveCommModePage(SettingsWork* work)
    : BissPage(work, QStringLiteral("请选择从机通信模式，注从机通信模式需与主机一致。")),
      modeBox(new QCheckBox(this)),
      modeChoice(new MComboBox(this)),
      setButton(new QPushButton(translated("设置"), this)) {
    modeBox->setCheckable(false);
    modeChoice->addItem(QString());
    modeChoice->addItems(BissTransformMode::keyList());
    QFont bold(QStringLiteral("Corbel"), 13);
    bold.setBold(true);
    modeChoice->setFont(bold);
    addInput(modeChoice);
    setButton->setObjectName(QStringLiteral("start"));
    grid->addWidget(detail, 0, 0, 1, 2);
    grid->addWidget(modeBox, 0, 2);
    grid->addWidget(modeChoice, 1, 0, 1, 2);
    grid->addWidget(setButton, 1, 2);
    const QString current =
        BissTransformMode::valueToKey(BissTransformMode::instance()->getSlaveMode());
    modeChoice->setCurrentIndex(qMax(0, modeChoice->findText(current)));
    reViewSlaverTrans();
    connect(modeChoice, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { entity()->setSlaveTransformMode(text); });
    onClick(setButton, [this] { apply(); });
    connect(work, &SettingsWork::reViewSlaverTrans, this,
            &BissSlaveCommModePage::reViewSlaverTrans);
}

void BissSlaveCommModePage::reViewSlaverTrans() {
    modeBox->setText(BissTransformMode::valueToKey(BissTransformMode::instance()->getSlaveMode()));
}

void BissSlaveCommModePage::apply() {
    if (!masterCheck() || !slaveTypeCheck(DevicesType::ZEK_MT_BISS) || !slaveLinkCheck())
        return;
    const QString mode = modeChoice->currentText();
    entity()->setSlaveTransformMode(mode);
    if (mode.isEmpty()) {
        warn(QStringLiteral("请选择从机通信协议!"));
        return;
    }
    emit work->setSlaverStatusSignal(entity());
}
