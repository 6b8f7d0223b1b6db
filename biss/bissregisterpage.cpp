#include "bissregisterpage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bisstransformmode.h"
#include "settingswork.h"

const char* const BissRegisterPage::kByteExpression = "^(0|[1-9]\\d?|1\\d{2}|2[0-4]\\d|25[0-5])$";
const char* const BissRegisterPage::kBissAddressExpression = "^(0|[1-9]\\d?|1[0-1]\\d|12[0-7])$";

BissRegisterPage::BissRegisterPage(SettingsWork* work)
    : BissPage(work, QStringLiteral("从机编码器寄存器读写。")),
      eepromBox(new QCheckBox(QStringLiteral("EEPROM"), this)),
      addressField(new QLineEdit(this)),
      dataField(new QLineEdit(this)),
      readButton(new QPushButton(translated("读取"), this)),
      writeButton(new QPushButton(translated("写入"), this)) {
    eepromBox->setObjectName(QStringLiteral("normal"));
    writeButton->setObjectName(QStringLiteral("start"));
    dataField->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(kByteExpression)), dataField));
    addInput(addressField);
    addInput(dataField);
    grid->addWidget(detail, 0, 0, 1, 3);
    grid->addWidget(eepromBox, 0, 3);
    grid->addWidget(new QLabel(translated("地址："), this), 1, 0);
    grid->addWidget(addressField, 1, 1);
    grid->addWidget(new QLabel(translated("数据："), this), 1, 2);
    grid->addWidget(dataField, 1, 3);
    grid->addWidget(readButton, 2, 0, 1, 2);
    grid->addWidget(writeButton, 2, 2, 1, 2);
    viewReDraw();
    connect(eepromBox, &QCheckBox::clicked, this,
            [this](bool checked) { entity()->setSaveToEeprom(checked); });
    onClick(readButton, [this] { read(); });
    onClick(writeButton, [this] { write(); });
    connect(work, &SettingsWork::viewReDraw, this, &BissRegisterPage::viewReDraw);
}

void BissRegisterPage::chooseValidators() {
    const bool bissC = BissTransformMode::instance()->getMasterMode() == BissTransformMode::BISS_C;
    const QString expression =
        QString::fromLatin1(bissC ? kBissAddressExpression : kByteExpression);
    auto* current = qobject_cast<const QRegularExpressionValidator*>(addressField->validator());
    if (current && current->regularExpression().pattern() == expression)
        return;
    addressField->setValidator(
        new QRegularExpressionValidator(QRegularExpression(expression), addressField));
    if (current)
        delete current;
}

void BissRegisterPage::viewReDraw() {
    chooseValidators();
    BissEntity* e = entity();
    addressField->setText(QString::number(e->getRegisterAddress()));
    dataField->setText(QString::number(e->getRegisterValue()));
}

void BissRegisterPage::read() {
    if (!masterCheck() || !slaveCheck())
        return;
    entity()->setRegisterAddress(numberOf(addressField->text()));
    emit work->readSlaverRegeditSignal(entity());
}

void BissRegisterPage::write() {
    if (!masterCheck() || !slaveCheck())
        return;
    BissEntity* e = entity();
    e->setRegisterAddress(numberOf(addressField->text()));
    e->setRegisterValue(numberOf(dataField->text()));
    emit work->writeSlaverRegeditSignal(e);
}
