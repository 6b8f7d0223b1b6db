#include "firmwareparameterpage.h"

#include <QGridLayout>
#include <QLabel>

#include "devicestype.h"
#include "firmwareentity.h"
#include "mcombobox.h"
#include "mdoublespinbox.h"
#include "mode.h"
#include "mspinbox.h"
#include "settingswork.h"

namespace {
MSpinBox* sizeBox(QWidget* parent) {
    auto* box = new MSpinBox(parent);
    box->setRange(0, 65536);
    box->setSingleStep(2048);
    box->setEnabled(false);
    return box;
}
}  // namespace

FirmwareParameterPage::FirmwareParameterPage(SettingsWork* work)
    : FirmwarePage(work, QString()),
      modeBox(new MComboBox(this)),
      watermarkBox(new MComboBox(this)),
      versionBox(new MDoubleSpinBox(this)),
      bootSize(sizeBox(this)),
      appSize(sizeBox(this)),
      configSize(sizeBox(this)),
      idSize(sizeBox(this)) {
    FirmwareEntity* entity = work->getFirmwareEntity();
    modeBox->addItem(QString());
    modeBox->addItems(Mode::instance()->keyList());
    modeBox->setCurrentText(entity->getModeName());
    watermarkBox->addItem(QString());
    watermarkBox->addItems(DevicesType::instance()->keyList());
    watermarkBox->setCurrentText(DevicesType::instance()->connectedKey());
    versionBox->setRange(0.01, 9.99);
    versionBox->setSingleStep(0.01);
    versionBox->setValue(entity->getVersion());
    for (QWidget* input : {static_cast<QWidget*>(modeBox), static_cast<QWidget*>(watermarkBox),
                           static_cast<QWidget*>(versionBox)})
        addInput(input);
    for (MSpinBox* box : {bootSize, appSize, configSize, idSize})
        box->setFont(QFont(QStringLiteral("Corbel"), 13, QFont::Bold));

    grid->addWidget(label("模式:"), 1, 0);
    grid->addWidget(modeBox, 1, 1, 1, 5);
    grid->addWidget(label("水印:"), 2, 0);
    grid->addWidget(watermarkBox, 2, 1);
    grid->addWidget(label("版本:"), 2, 2);
    grid->addWidget(versionBox, 2, 3);
    grid->addWidget(label("Boot:"), 2, 4);
    grid->addWidget(bootSize, 2, 5);
    grid->addWidget(label("App:"), 3, 0);
    grid->addWidget(appSize, 3, 1);
    grid->addWidget(label("Config:"), 3, 2);
    grid->addWidget(configSize, 3, 3);
    grid->addWidget(label("Id:"), 3, 4);
    grid->addWidget(idSize, 3, 5);

    connect(modeBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (drawing)
            return;
        this->work->getFirmwareEntity()->setModeName(text);
        Mode::instance()->setValue(text);
    });
    connect(watermarkBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (drawing)
            return;
        // The entity reloads the four sizes from that device's area table.
        this->work->getFirmwareEntity()->setWatermarkName(text);
        emit this->work->viewReDraw();
    });
    connect(versionBox, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (!drawing)
            this->work->getFirmwareEntity()->setVersion(value);
    });
    connect(work, &SettingsWork::viewReDraw, this, [this] { reDraw(true); });
    // When built, the watermark shows the connected device; after that, the entity's.
    reDraw(false);
}

void FirmwareParameterPage::reDraw(bool withWatermark) {
    FirmwareEntity* entity = work->getFirmwareEntity();
    drawing = true;
    modeBox->setCurrentText(entity->getModeName());
    if (withWatermark)
        watermarkBox->setCurrentText(entity->getWatermarkName());
    versionBox->setValue(entity->getVersion());
    bootSize->setValue(entity->getBootAreaSize());
    appSize->setValue(entity->getAppAreaSize());
    configSize->setValue(entity->getConfigAreaSize());
    idSize->setValue(entity->getIdAreaSize());
    drawing = false;
}
