#include "iapparameterpage.h"

#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "baidutranslate.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "iapentity.h"
#include "mcombobox.h"
#include "settingswork.h"
#include "transformways.h"

IapParameterPage::IapParameterPage(SettingsWork* work)
    : FirmwarePage(work, QStringLiteral("IAP升级参数设置。")),
      deviceBox(new MComboBox(this)),
      protocolBox(new MComboBox(this)),
      axisBox(new MComboBox(this)),
      firmwarePath(new QLineEdit(this)),
      chooseButton(new QPushButton(translated("选择固件"), this)),
      serialNumber(new QLineEdit(this)) {
    serialNumber->setObjectName(QStringLiteral("serialNumber"));
    serialNumber->setPlaceholderText(translated("扫描或输入"));
    refillDevices();
    protocolBox->addItem(QString());
    protocolBox->addItems(TransformWays::keyList());
    axisBox->addItem(QString());
    axisBox->addItems(EncoderCaxis::instance()->keyList());
    for (QWidget* input : {static_cast<QWidget*>(deviceBox), static_cast<QWidget*>(protocolBox),
                           static_cast<QWidget*>(axisBox), static_cast<QWidget*>(firmwarePath),
                           static_cast<QWidget*>(serialNumber)})
        addInput(input);

    grid->addWidget(label("设备类型:"), 2, 0);
    grid->addWidget(deviceBox, 2, 1);
    grid->addWidget(label("协议:"), 2, 2);
    grid->addWidget(protocolBox, 2, 3);
    grid->addWidget(label("轴号:"), 2, 4);
    grid->addWidget(axisBox, 2, 5);
    grid->addWidget(label("升级固件:"), 3, 0);
    grid->addWidget(firmwarePath, 3, 1, 1, 3);
    grid->addWidget(chooseButton, 3, 4, 1, 2);
    grid->addWidget(label("编码器序列号:"), 4, 0);
    grid->addWidget(serialNumber, 4, 1, 1, 3);
    // The serial belongs to the encoder on the line now, not to the saved settings.
    connect(serialNumber, &QLineEdit::textChanged, this, [this](const QString& text) {
        this->work->getIapEntity()->setSerialNumber(text.trimmed());
    });

    connect(deviceBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (drawing)
            return;
        this->work->getIapEntity()->setDevicesName(text);
        DevicesType::instance()->setConnectedType(text);
        qDebug() << text << DevicesType::instance()->connectedKey();
    });
    connect(protocolBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (drawing)
            return;
        this->work->getIapEntity()->setTransformName(text);
        TransformWays::instance()->setValue(text);
    });
    connect(axisBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (drawing)
            return;
        this->work->getIapEntity()->setCaxisName(text);
        EncoderCaxis::instance()->setValue(text);
    });
    connect(firmwarePath, &QLineEdit::textEdited, this,
            [this](const QString& text) { this->work->getIapEntity()->setFirmwarePath(text); });
    connect(chooseButton, &QPushButton::clicked, this, [this] {
        chooseFile("选择升级固件", firmwarePath->text(), [this](const QString& path) {
            this->work->getIapEntity()->setFirmwarePath(path);
            firmwarePath->setText(path);
        });
    });
    // The worker reads the image path and the shared device type, packet size and axis while
    // it runs; the page lets none of them change until the result (finish()).
    connect(work, &SettingsWork::startIap, this, [this] {
        setJobRunning(true);
        chooseButton->setEnabled(false);
    });
    connect(work, &SettingsWork::finish, this, [this] {
        setJobRunning(false);
        chooseButton->setEnabled(true);
    });
    connect(work, &SettingsWork::viewReDraw, this, &IapParameterPage::reDraw);
    connect(work, &SettingsWork::devicesTypeUpdate, this, &IapParameterPage::refillDevices);
    reDraw();
}

void IapParameterPage::refillDevices() {
    drawing = true;
    deviceBox->clear();
    deviceBox->addItem(QString());
    deviceBox->addItems(DevicesType::instance()->keyList());
    deviceBox->setCurrentText(DevicesType::instance()->connectedKey());
    drawing = false;
}

void IapParameterPage::reDraw() {
    IapEntity* entity = work->getIapEntity();
    drawing = true;
    deviceBox->setCurrentText(entity->getDevicesName());
    protocolBox->setCurrentText(entity->getTransformName());
    axisBox->setCurrentText(entity->getCaxisName());
    firmwarePath->setText(entity->getFirmwarePath());
    drawing = false;
    // A reloaded record starts without a serial: the one typed here stays the encoder's.
    entity->setSerialNumber(serialNumber->text().trimmed());
    // The upgrade reads the packet size and the axis from the shared values: the names the page
    // shows are the ones it uses, not defaults left from before.
    if (TransformWays::keyList().contains(entity->getTransformName()))
        TransformWays::instance()->setValue(entity->getTransformName());
    if (EncoderCaxis::instance()->keyList().contains(entity->getCaxisName()))
        EncoderCaxis::instance()->setValue(entity->getCaxisName());
}
