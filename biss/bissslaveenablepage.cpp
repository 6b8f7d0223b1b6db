#include "bissslaveenablepage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "baidutranslate.h"
#include "bissentity.h"
#include "settingswork.h"

BissSlaveEnablePage::BissSlaveEnablePage(SettingsWork* work)
    : BissPage(work, QStringLiteral("从机使能，通断从机5V供电。")),
      indicator(new QCheckBox(translated("从机使能状态"), this)),
      offButton(new QPushButton(translated("断开"), this)),
      onButton(new QPushButton(translated("使能"), this)) {
    indicator->setEnabled(false);
    onButton->setObjectName(QStringLiteral("start"));
    grid->addWidget(detail, 0, 0, 1, 3);
    grid->addWidget(indicator, 0, 3);
    grid->addWidget(offButton, 1, 0, 1, 2);
    grid->addWidget(onButton, 1, 2, 1, 2);
    viewReDraw();
    onClick(offButton, [this] { switchOff(); });
    onClick(onButton, [this] { switchOn(); });
    connect(work, &SettingsWork::viewReDraw, this, &BissSlaveEnablePage::viewReDraw);
    connect(work, &SettingsWork::finish, this, &BissSlaveEnablePage::finish);
}

void BissSlaveEnablePage::viewReDraw() {
    // Checked (red) while the supply is off.
    indicator->setChecked(!entity()->getSlaveEnabled());
}

void BissSlaveEnablePage::finish() {
    offButton->setEnabled(true);
    onButton->setEnabled(true);
}

void BissSlaveEnablePage::switchOff() {
    // No slave check: the supply may be switched before any slave was identified.
    if (!masterCheck())
        return;
    BissEntity* e = entity();
    if (!e->getSlaveEnabled()) {
        inform(QStringLiteral("从机使能"), QStringLiteral("从机使能已断开"));
        return;
    }
    e->setSlaveEnabled(false);
    e->setContinuousRead(false);
    emit work->setBissSlaverEnableSignal(e);
    // The supply result hands no record back: the data page learns now that its values stop.
    emit work->dataTimerReDrawSignal();
}

void BissSlaveEnablePage::switchOn() {
    if (!masterCheck())
        return;
    BissEntity* e = entity();
    if (e->getSlaveEnabled()) {
        inform(QStringLiteral("从机使能"), QStringLiteral("从机已使能"));
        return;
    }
    e->setSlaveEnabled(true);
    emit work->setBissSlaverEnableSignal(e);
}
