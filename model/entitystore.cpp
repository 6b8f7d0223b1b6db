#include "entitystore.h"

#include "calibrationentity.h"
#include "devicestype.h"
#include "fileworkentity.h"
#include "firmwareentity.h"
#include "iapentity.h"
#include "readconfig.h"
#include "serialportentity.h"

namespace {
const QString kSerial = QStringLiteral("SerialPortEntity");
const QString kIap = QStringLiteral("IapEntity");
const QString kFirmware = QStringLiteral("FirmwareEntity");
const QString kCalibration = QStringLiteral("CalibrationEntity");
const QString kCalibrationList = QStringLiteral("CalibrationEntityList");
const QString kFileWork = QStringLiteral("FileWorkEntity");
const QString kFileWorkList = QStringLiteral("FileWorkEntityList");

QString read(const QString& group, const char* key) {
    return ReadConfig::readValue(group, QString::fromLatin1(key));
}
// Missing or non-numeric entries read as 0 rather than failing the whole load.
int readInt(const QString& group, const char* key) {
    return read(group, key).trimmed().toInt();
}
}  // namespace

SerialPortEntity* EntityStore::loadSerialPortEntity(QObject* parent) {
    auto* entity =
        new SerialPortEntity(parent, read(kSerial, "SerialPortNum"), readInt(kSerial, "BaudRate"));
    DevicesType::instance()->setConnectedType(read(kSerial, "DevicesType"));
    return entity;
}

void EntityStore::saveSerialPortEntity(const SerialPortEntity* entity) {
    ReadConfig::Session config;
    config.setValue(kSerial, QStringLiteral("SerialPortNum"), entity->getSerialPortNum());
    config.setValue(kSerial, QStringLiteral("BaudRate"), QString::number(entity->getBaudRate()));
    config.setValue(kSerial, QStringLiteral("DevicesType"),
                    DevicesType::instance()->connectedKey());
}

IapEntity* EntityStore::loadIapEntity(QObject* parent) {
    auto* entity = new IapEntity(parent, QString(), read(kIap, "transformName"),
                                 read(kIap, "caxisName"), read(kIap, "firmwarePath"));
    entity->setDevicesName(read(kIap, "devicesName"));
    return entity;
}

void EntityStore::saveIapEntity(const IapEntity* entity) {
    ReadConfig::Session config;
    config.setValue(kIap, QStringLiteral("devicesName"), entity->getDevicesName());
    config.setValue(kIap, QStringLiteral("transformName"), entity->getTransformName());
    config.setValue(kIap, QStringLiteral("caxisName"), entity->getCaxisName());
    config.setValue(kIap, QStringLiteral("firmwarePath"), entity->getFirmwarePath());
}

FirmwareEntity* EntityStore::loadFirmwareEntity(QObject* parent) {
    auto* entity = new FirmwareEntity(parent);
    entity->setModeName(read(kFirmware, "modeName"));
    entity->setBootFirmwarePath(read(kFirmware, "bootFirmwarePath"));
    entity->setAppFirmwarePath(read(kFirmware, "appFirmwarePath"));
    entity->setWatermarkName(read(kFirmware, "watermarkName"));
    entity->setVersion(read(kFirmware, "version").trimmed().toDouble());
    entity->setSavePath(read(kFirmware, "savePath"));
    entity->reloadAreaSizes();
    return entity;
}

void EntityStore::saveFirmwareEntity(const FirmwareEntity* entity) {
    ReadConfig::Session config;
    config.setValue(kFirmware, QStringLiteral("modeName"), entity->getModeName());
    config.setValue(kFirmware, QStringLiteral("bootFirmwarePath"), entity->getBootFirmwarePath());
    config.setValue(kFirmware, QStringLiteral("appFirmwarePath"), entity->getAppFirmwarePath());
    config.setValue(kFirmware, QStringLiteral("watermarkName"), entity->getWatermarkName());
    config.setValue(kFirmware, QStringLiteral("version"), QString::number(entity->getVersion()));
    config.setValue(kFirmware, QStringLiteral("savePath"), entity->getSavePath());
}

CalibrationEntity* EntityStore::loadCalibrationEntity(QObject* parent) {
    auto* entity = new CalibrationEntity(parent, readInt(kCalibration, "pointNum"),
                                         readInt(kCalibration, "encoderLine"),
                                         read(kCalibration, "maxInl").trimmed().toFloat());
    entity->setCalibrationSpeed(readInt(kCalibration, "calibrationSpeed"));
    QList<quint16> speeds;
    for (int s : ReadConfig::readIntArray(kCalibrationList, QStringLiteral("testSpeed")))
        speeds.append(static_cast<quint16>(s));
    // The rig always runs four tests: an empty stored list means four speeds of 0.
    if (speeds.isEmpty())
        speeds = {0, 0, 0, 0};
    entity->setTestSpeed(speeds);
    return entity;
}

void EntityStore::saveCalibrationEntity(const CalibrationEntity* entity) {
    ReadConfig::Session config;
    config.setValue(kCalibration, QStringLiteral("pointNum"),
                    QString::number(entity->getPointNum()));
    config.setValue(kCalibration, QStringLiteral("maxInl"), QString::number(entity->getMaxInl()));
    config.setValue(kCalibration, QStringLiteral("encoderLine"),
                    QString::number(entity->getEncoderLine()));
    config.setValue(kCalibration, QStringLiteral("calibrationSpeed"),
                    QString::number(entity->getCalibrationSpeed()));
    QStringList speedTexts;
    for (quint16 speed : entity->getTestSpeed()) speedTexts.append(QString::number(speed));
    config.setStringArray(kCalibrationList, QStringLiteral("testSpeed"), speedTexts);
}

FileWorkEntity* EntityStore::loadFileWorkEntity(QObject* parent) {
    auto* entity = new FileWorkEntity(parent);
    entity->setFilePath(read(kFileWork, "filePath"));
    entity->setRecentList(ReadConfig::readStringArray(kFileWorkList, QStringLiteral("recentPath")));
    return entity;
}

void EntityStore::saveFileWorkEntity(FileWorkEntity* entity) {
    ReadConfig::Session config;
    config.setValue(kFileWork, QStringLiteral("filePath"), entity->getFilePath());
    config.setStringArray(kFileWorkList, QStringLiteral("recentPath"), entity->getRecentList());
}
