#include "bissresolverpage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "absresloverresolution.h"
#include "baidutranslate.h"
#include "bissentity.h"
#include "devicestype.h"
#include "settingswork.h"

BissResolverPage::BissResolverPage(SettingsWork* work)
    : BissPage(work, QStringLiteral("旋变增量分辨率，电机极对数设置与霍尔信号使能。")),
      resolutionBox(new QComboBox(this)),
      polePairsField(new QLineEdit(this)),
      closeButton(new QPushButton(translated("关闭"), this)),
      enableButton(new QPushButton(translated("使能"), this)) {
    resolutionBox->addItem(QString());
    resolutionBox->addItems(AbsResloverResolution::keyList());
    polePairsField->setValidator(new QIntValidator(0, 20, polePairsField));
    addInput(resolutionBox);
    addInput(polePairsField);
    closeButton->setObjectName(QStringLiteral("FinalCheck"));
    enableButton->setObjectName(QStringLiteral("start"));
    grid->addWidget(detail, 0, 0, 1, 2);
    grid->addWidget(new QLabel(translated("分辨率："), this), 1, 0);
    grid->addWidget(resolutionBox, 1, 1);
    grid->addWidget(new QLabel(translated("极对数："), this), 1, 2);
    grid->addWidget(polePairsField, 1, 3);
    grid->addWidget(closeButton, 2, 0, 1, 2);
    grid->addWidget(enableButton, 2, 2, 1, 2);
    viewReDraw();
    connect(resolutionBox, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { entity()->setResolution(text); });
    onClick(enableButton, [this] { enable(); });
    onClick(closeButton, [this] { closeHall(); });
    connect(work, &SettingsWork::viewReDraw, this, &BissResolverPage::viewReDraw);
}

void BissResolverPage::viewReDraw() {
    BissEntity* e = entity();
    resolutionBox->setCurrentIndex(qMax(0, resolutionBox->findText(e->getResolution())));
    polePairsField->setText(QString::number(e->getPolePairs()));
}

bool BissResolverPage::resolverChecks() {
    return masterCheck() && slaveTypeCheck(DevicesType::ABSRESLOVER) && slaveLinkCheck();
}

void BissResolverPage::enable() {
    if (!resolverChecks())
        return;
    BissEntity* e = entity();
    e->setPolePairs(numberOf(polePairsField->text()));
    if (e->getPolePairs() > 0 && !e->getResolution().isEmpty())
        emit work->setResolutionAndPolePairsSignal(e);
    else
        warn(QStringLiteral("输入参数不能为空且极对数不能为0!"));
}

void BissResolverPage::closeHall() {
    if (!resolverChecks())
        return;
    emit work->closeResolutionAndPolePairsSignal(entity());
}
