#include "firmwareentity.h"

#include "devicesareaconfig.h"
#include "devicestype.h"
#include "mode.h"

FirmwareEntity::FirmwareEntity(QObject* parent)
    : QObject(parent),
      devicesType(DevicesType::instance()),
      mode(Mode::instance()),
      devicesAreaConfig(new DevicesAreaConfig(this)) {}

void FirmwareEntity::setWatermarkName(const QString& name) {
    watermarkName = name;
    devicesAreaConfig->setDevicesName(name);
    reloadAreaSizes();
}

void FirmwareEntity::reloadAreaSizes() {
    bootAreaSize = devicesAreaConfig->value(QStringLiteral("bootAreaSize"));
    appAreaSize = devicesAreaConfig->value(QStringLiteral("appAreaSize"));
    configAreaSize = devicesAreaConfig->value(QStringLiteral("configAreaSize"));
    idAreaSize = devicesAreaConfig->value(QStringLiteral("idAreaSize"));
}
