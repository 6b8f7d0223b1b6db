#include "firmwarerunpage.h"

#include <QDebug>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

#include "baidutranslate.h"
#include "connectflag.h"
#include "firmwareentity.h"
#include "iapentity.h"
#include "serialportbusy.h"
#include "serialrequirement.h"
#include "settingswork.h"

FirmwareRunPage::FirmwareRunPage(SettingsWork* work, Job job)
    : FirmwarePage(work, QStringLiteral("保存设置参数 & 开始。")),
      saveButton(new QPushButton(translated("保存"), this)),
      startButton(new QPushButton(translated("开始"), this)),
      job(job) {
    startButton->setObjectName(QStringLiteral("start"));
    grid->addWidget(saveButton, 2, 0);
    grid->addWidget(startButton, 2, 1);
    connect(saveButton, &QPushButton::clicked, this, &FirmwareRunPage::save);
    connect(startButton, &QPushButton::clicked, this, &FirmwareRunPage::start);
    connect(work, &SettingsWork::finish, this, [this] { startButton->setEnabled(true); });
}

void FirmwareRunPage::warn(const char* text) {
    emit work->showMsg(QMessageBox::Warning, translated(text));
}

void FirmwareRunPage::save() {
    // A job holds the port: its record must not change under it.
    if (SerialPortBusy::instance()->isOpen())
        return;
    if (job == Generation)
        emit work->setFirmwareArgments(work->getFirmwareEntity());
    else
        emit work->setIapArgments(work->getIapEntity());
}

void FirmwareRunPage::start() {
    if (SerialPortBusy::instance()->isOpen())
        return;
    if (job == Generation)
        startGeneration();
    else
        startIap();
}

void FirmwareRunPage::startGeneration() {
    FirmwareEntity* entity = work->getFirmwareEntity();
    emit work->setFirmwareArgments(entity);
    if (entity->getModeName().isEmpty())
        return warn("请选择模式");
    if (entity->getWatermarkName().isEmpty())
        return warn("请选择水印");
    if (entity->getBootFirmwarePath().isEmpty())
        return warn("请选择boot固件");
    if (entity->getAppFirmwarePath().isEmpty())
        return warn("请选择app固件");

    auto* dialog = new QFileDialog(this, translated("保存固件"), folderOf(entity->getSavePath()),
                                   QStringLiteral("Binary(*.bin)"));
    dialog->setObjectName(QStringLiteral("saveFirmwareDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        FirmwareEntity* current = work->getFirmwareEntity();
        current->setSavePath(path);
        emit work->startFirmware(current);
        emit work->setFirmwareArgments(current);
    });
    // Chosen or cancelled, the pages may start again.
    connect(dialog, &QDialog::finished, work, &SettingsWork::finish);
    dialog->open();
}

void FirmwareRunPage::startIap() {
    IapEntity* entity = work->getIapEntity();
    emit work->setIapArgments(entity);
    qDebug() << entity->getDevicesName();
    if (ConnectFlag::instance()->getDeviceConnection() != ConnectFlag::CONNECTED) {
        auto* box = new QMessageBox(QMessageBox::Warning, translated("警告"),
                                    translated("请连接设备"), QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("connectWarning"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        connect(box, &QMessageBox::finished, work, &SettingsWork::devicesNotConnect);
        box->show();
        return;
    }
    if (entity->getDevicesName().isEmpty())
        return warn("请选择设备型号");
    if (entity->getTransformName().isEmpty())
        return warn("请选择传输方式");
    if (entity->getCaxisName().isEmpty())
        return warn("请选择目标设备所在轴号");
    if (entity->getFirmwarePath().isEmpty())
        return warn("请选择升级固件");
    if (entity->getSerialNumber().isEmpty() && SerialRequirement::required())
        return warn("请输入编码器序列号。");
    startButton->setEnabled(false);
    emit work->startIap(entity);
}
