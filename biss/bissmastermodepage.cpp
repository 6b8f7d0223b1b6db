#include "bissmastermodepage.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bisstransformmode.h"
#include "mcombobox.h"
#include "mspinbox.h"
#include "settingswork.h"

namespace {
QFont boldFont() {
    QFont font(QStringLiteral("Corbel"), 13);
    font.setBold(true);
    return font;
}
}  // namespace

BissMasterModePage::BissMasterModePage(SettingsWork* work)
    : BissPage(work, QStringLiteral("请选择主机通信模式，注主机通信模式需与从机一致。")),
      modeBox(new MComboBox(this)),
      multiTurnBox(new MSpinBox(this)),
      singleTurnBox(new MSpinBox(this)),
      setButton(new QPushButton(translated("设置"), this)) {
    modeBox->addItem(QString());
    modeBox->addItems(BissTransformMode::keyList());
    for (MSpinBox* box : {multiTurnBox, singleTurnBox}) {
        box->setRange(0, 32);
        box->setSingleStep(1);
        box->setFont(boldFont());
        addInput(box);
    }
    modeBox->setFont(boldFont());
    addInput(modeBox);
    setButton->setObjectName(QStringLiteral("start"));
    setButton->setFont(boldFont());

    grid->addWidget(detail, 0, 0, 1, 5);
    grid->addWidget(modeBox, 1, 0, 1, 5);
    grid->addWidget(new QLabel(translated("多圈位数："), this), 2, 0);
    grid->addWidget(multiTurnBox, 2, 1);
    grid->addWidget(new QLabel(translated("单圈位数："), this), 2, 2);
    grid->addWidget(singleTurnBox, 2, 3);
    grid->addWidget(setButton, 2, 4);
    viewReDraw();

    connect(modeBox, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { entity()->setMasterTransformMode(text); });
    onClick(setButton, [this] { apply(); });
    connect(work, &SettingsWork::viewReDraw, this, &BissMasterModePage::viewReDraw);
}

void BissMasterModePage::viewReDraw() {
    BissEntity* e = entity();
    multiTurnBox->setValue(e->getMultiTurnBits());
    singleTurnBox->setValue(e->getSingleTurnBits());
    const QString mode = e->getMasterTransformMode();
    modeBox->setCurrentIndex(qMax(0, modeBox->findText(mode)));
}

void BissMasterModePage::apply() {
    if (jobRunning())
        return;
    BissEntity* e = entity();
    const QString mode = modeBox->currentText();
    e->setMasterTransformMode(mode);
    e->setMultiTurnBits(multiTurnBox->value());
    e->setSingleTurnBits(singleTurnBox->value());
    if (!masterCheck())
        return;
    const bool noMode = mode.trimmed().isEmpty();
    if (!noMode && e->getMultiTurnBits() >= 0 && e->getSingleTurnBits() > 0)
        emit work->setMasterStatusSignal(e);
    else if (noMode)
        emit work->showMsg(QMessageBox::Warning, translated("请选择主机通信模式！"));
    else if (e->getMultiTurnBits() < 0)
        emit work->showMsg(QMessageBox::Warning, translated("多圈位数不能小于0！"));
    else
        emit work->showMsg(QMessageBox::Warning, translated("单圈位数必须大于0！"));
}
