#include "entitystore.h"

#include <QMutex>
#include <QSet>

#include "calibrationentity.h"
#include "calibrationlimits.h"
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

QMutex problemsMutex;
QStringList pendingProblems;
QSet<QString> reportedProblems;

void addProblem(const QString& group, const QString& key, const QString& value,
                const QString& why) {
    const QString text = QStringLiteral("配置文件 [%1] %2 = %3 无效，已忽略：%4")
                             .arg(group, key, value, why);
    QMutexLocker locker(&problemsMutex);
    if (reportedProblems.contains(text))
        return;
    reportedProblems.insert(text);
    pendingProblems.append(text);
}

// A stored number checked by its rule: refused values read as 0 ("not set") and are reported.
// The text is read as a 64-bit number, so 2^31 and beyond are seen for what they are.
int checkedInt(const QString& group, const char* key,
               QString (*rule)(qint64)) {
    const QString text = read(group, key).trimmed();
    if (text.isEmpty())
        return 0;
    bool numeric = false;
    const qint64 value = text.toLongLong(&numeric);
    const QString why = numeric ? rule(value) : QStringLiteral("不是数字");
    if (!numeric || (value != 0 && !why.isEmpty())) {
        addProblem(group, QString::fromLatin1(key), text, why);
        return 0;
    }
    return int(value);
}
}  // namespace

QStringList EntityStore::takeLoadProblems() {
    QMutexLocker locker(&problemsMutex);
    const QStringList taken = pendingProblems;
    pendingProblems.clear();
    return taken;
}

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
    auto* entity = new CalibrationEntity(
        parent, checkedInt(kCalibration, "pointNum", &CalibrationLimits::pointNumProblem),
        checkedInt(kCalibration, "encoderLine", &CalibrationLimits::encoderLineProblem),
        read(kCalibration, "maxInl").trimmed().toFloat());
    entity->setCalibrationSpeed(
        checkedInt(kCalibration, "calibrationSpeed", &CalibrationLimits::calibrationSpeedProblem));
    // Four speeds, each one the pages offer or 0 (not set yet); anything else is refused whole.
    const QStringList texts =
        ReadConfig::readStringArray(kCalibrationList, QStringLiteral("testSpeed"));
    QList<quint16> speeds;
    QString why;
    if (!texts.isEmpty() && texts.size() != CalibrationLimits::kTestSpeedCount)
        why = QStringLiteral("应为 %1 项").arg(CalibrationLimits::kTestSpeedCount);
    for (const QString& text : texts) {
        if (!why.isEmpty())
            break;
        bool numeric = false;
        const qint64 v = text.trimmed().toLongLong(&numeric);
        if (!numeric && !text.trimmed().isEmpty())
            why = QStringLiteral("不是数字");
        else if (v != 0)
            why = CalibrationLimits::testSpeedsProblem({v, v, v, v});
        speeds.append(quint16(qBound(qint64(0), v, qint64(0xFFFF))));
    }
    if (!why.isEmpty()) {
        QStringList shown = texts.mid(0, CalibrationLimits::kTestSpeedCount);
        if (texts.size() > shown.size())
            shown << QStringLiteral("…(%1)").arg(texts.size());
        addProblem(kCalibrationList, QStringLiteral("testSpeed"), shown.join(QLatin1Char(',')),
                   why);
        speeds.clear();
    }
    // The rig always runs four tests: an empty or refused list means four speeds of 0.
    if (speeds.size() != CalibrationLimits::kTestSpeedCount)
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
