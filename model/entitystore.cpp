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
void write(const QString& group, const char* key, const QVariant& value) {
    ReadConfig::writeValue(group, QString::fromLatin1(key), value);
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
    write(kSerial, "SerialPortNum", entity->getSerialPortNum());
    write(kSerial, "BaudRate", QString::number(entity->getBaudRate()));
    write(kSerial, "DevicesType", DevicesType::instance()->connectedKey());
}

IapEntity* EntityStore::loadIapEntity(QObject* parent) {
    auto* entity = new IapEntity(parent, QString(), read(kIap, "transformName"),
                                 read(kIap, "caxisName"), read(kIap, "firmwarePath"));
    entity->setDevicesName(read(kIap, "devicesName"));
    return entity;
}

void EntityStore::saveIapEntity(const IapEntity* entity) {
    write(kIap, "devicesName", entity->getDevicesName());
    write(kIap, "transformName", entity->getTransformName());
    write(kIap, "caxisName", entity->getCaxisName());
    write(kIap, "firmwarePath", entity->getFirmwarePath());
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
    write(kFirmware, "modeName", entity->getModeName());
    write(kFirmware, "bootFirmwarePath", entity->getBootFirmwarePath());
    write(kFirmware, "appFirmwarePath", entity->getAppFirmwarePath());
    write(kFirmware, "watermarkName", entity->getWatermarkName());
    write(kFirmware, "version", QString::number(entity->getVersion()));
    write(kFirmware, "savePath", entity->getSavePath());
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
    write(kCalibration, "pointNum", QString::number(entity->getPointNum()));
    write(kCalibration, "maxInl", QString::number(entity->getMaxInl()));
    write(kCalibration, "encoderLine", QString::number(entity->getEncoderLine()));
    write(kCalibration, "calibrationSpeed", QString::number(entity->getCalibrationSpeed()));
    QList<int> speeds;
    for (quint16 s : entity->getTestSpeed()) speeds.append(s);
    ReadConfig::writeIntArray(kCalibrationList, QStringLiteral("testSpeed"), speeds);
}

FileWorkEntity* EntityStore::loadFileWorkEntity(QObject* parent) {
    auto* entity = new FileWorkEntity(parent);
    entity->setFilePath(read(kFileWork, "filePath"));
    entity->setRecentList(ReadConfig::readStringArray(kFileWorkList, QStringLiteral("recentPath")));
    return entity;
}

void EntityStore::saveFileWorkEntity(FileWorkEntity* entity) {
    write(kFileWork, "filePath", entity->getFilePath());
    ReadConfig::writeStringArray(kFileWorkList, QStringLiteral("recentPath"),
                                 entity->getRecentList());
}
