#include "reportinput.h"

#include <cmath>
#include <limits>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>

#include "calibrationentity.h"
#include "calibrationrecord.h"
#include "devicestype.h"
#include "permissioncontroller.h"

namespace {
const QStringList kCalibrationKeys{"ROUGH", "FINE", "FINAL"};
const QStringList kTestKeys{"FIRST", "SECOND", "THIRD", "FOURTH"};

// null stands for a number that was not finite when the record was written.
float toFloat(const QJsonValue& value) {
    return value.isDouble() ? float(value.toDouble()) : std::numeric_limits<float>::quiet_NaN();
}

QList<float> floats(const QJsonValue& value) {
    QList<float> list;
    for (const QJsonValue& v : value.toArray()) list << toFloat(v);
    return list;
}

QMap<QString, QList<float>> curveMap(const QJsonValue& value) {
    QMap<QString, QList<float>> map;
    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        map.insert(it.key(), floats(it.value()));
    return map;
}

QMap<QString, float> valueMap(const QJsonValue& value) {
    QMap<QString, float> map;
    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        map.insert(it.key(), toFloat(it.value()));
    return map;
}
}  // namespace

QStringList ReportInput::phaseKeys(Job job) {
    return job == Test ? kTestKeys : kCalibrationKeys;
}

QStringList ReportInput::curveKeys() const {
    QStringList keys;
    for (const QString& key : phaseKeys(job))
        if (!inlCurves.value(key).isEmpty())
            keys << key;
    return keys;
}

bool ReportInput::selfCalibrating() const {
    return encoderType != DevicesType::ZEK_ENCODER;
}

QString ReportInput::deviceTypeName() const {
    const QString name = DevicesType::instance()->valueToKey(encoderType);
    return name.isEmpty() ? QString::number(encoderType) : name;
}

ReportInput ReportInput::fromEntity(const CalibrationEntity* record, Job job) {
    ReportInput input;
    input.program = QCoreApplication::applicationName();
    input.version = QCoreApplication::applicationVersion();
    input.station = QSysInfo::machineHostName();
    input.permission = PermissionController::instance()->currentKey();
    input.job = job;
    input.encoderType = record->getEncoderType();
    input.pointNum = record->getPointNum();
    input.encoderLine = record->getEncoderLine();
    input.calibrationSpeed = record->getCalibrationSpeed();
    for (quint16 s : record->getTestSpeed()) input.testSpeeds << int(s);
    input.targetInl = record->getMaxInl();
    input.rigVerdict = record->getRigVerdict();
    input.inlCurves = record->getInlCurves();
    input.phaseCoefficients = record->getPhaseCoefficients();
    input.phaseMaxInl = record->getPhaseMaxInl();
    input.phaseLineOffset = record->getPhaseLineOffset();
    input.testMaxInl = record->getTestMaxInl();
    return input;
}

bool ReportInput::fromJson(const QJsonObject& o, ReportInput* input, QString* error) {
    for (const char* name : {"pointNum", "encoderType"})
        if (!o.value(QLatin1String(name)).isDouble()) {
            if (error)
                *error = QStringLiteral("not a calibration record: the number \"%1\" is missing")
                             .arg(QLatin1String(name));
            return false;
        }
    ReportInput in;
    in.program = o.value("program").toString();
    in.version = o.value("version").toString();
    in.station = o.value("station").toString();
    in.permission = o.value("permission").toString();
    in.serial = o.value("serial").toString();
    in.recordId = o.value("recordId").toString();
    in.resultText = o.value("resultText").toString();
    in.runTime = QDateTime::fromString(o.value("runTime").toString(), Qt::ISODateWithMs);
    in.encoderType = o.value("encoderType").toInt();
    in.pointNum = o.value("pointNum").toInt();
    in.encoderLine = o.value("encoderLine").toInt();
    in.calibrationSpeed = o.value("calibrationSpeed").toInt();
    for (const QJsonValue& v : o.value("testSpeed").toArray()) in.testSpeeds << v.toInt();
    in.targetInl = toFloat(o.value("maxInl"));
    in.rigVerdict = o.value("rigVerdict").toBool();
    in.inlCurves = curveMap(o.value("inlCurves"));
    in.phaseCoefficients = curveMap(o.value("phaseCoefficients"));
    in.phaseMaxInl = valueMap(o.value("phaseMaxInl"));
    in.phaseLineOffset = valueMap(o.value("phaseLineOffset"));
    in.testMaxInl = floats(o.value("testMaxInl"));
    const QString job = o.value("job").toString();
    if (job == QLatin1String("test")) {
        in.job = Test;
    } else if (job == QLatin1String("calibrate") || job == QLatin1String("calibration")) {
        in.job = Calibration;
    } else if (!job.isEmpty()) {
        if (error)
            *error = QStringLiteral("unknown job \"%1\" (calibrate or test)").arg(job);
        return false;
    } else {
        // A test run replaces the record's curves with its four runs: curves under the test
        // keys make it a test.
        in.job = Test;
        if (!in.hasCurves())
            in.job = Calibration;
    }
    *input = in;
    return true;
}

bool ReportInput::readJsonFile(const QString& path, ReportInput* input, QString* error) {
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("%1: no such file").arg(path));
    if (!info.isFile())
        return fail(QStringLiteral("%1: not a regular file").arg(path));
    if (info.size() > maxJsonBytes)
        return fail(QStringLiteral("%1: %2 bytes, more than a record can hold (%3)")
                        .arg(path)
                        .arg(info.size())
                        .arg(maxJsonBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    // The size is checked again on the read itself: the file may grow after the check.
    const QByteArray content = file.read(maxJsonBytes + 1);
    if (content.size() > maxJsonBytes)
        return fail(QStringLiteral("%1: more than a record can hold").arg(path));
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(content, &parse);
    if (parse.error != QJsonParseError::NoError)
        return fail(QStringLiteral("%1: not JSON (%2 at byte %3)")
                        .arg(path, parse.errorString())
                        .arg(parse.offset));
    if (!document.isObject())
        return fail(QStringLiteral("%1: not a JSON object").arg(path));
    QString why;
    if (!fromJson(document.object(), input, &why))
        return fail(QStringLiteral("%1: %2").arg(path, why));
    return true;
}

CalibrationEntity* ReportInput::toEntity(QObject* parent) const {
    auto* entity = new CalibrationEntity(parent, pointNum, encoderLine, targetInl, encoderType);
    entity->setCalibrationSpeed(calibrationSpeed);
    QList<quint16> speeds;
    for (int s : testSpeeds) speeds << quint16(s);
    entity->setTestSpeed(speeds);
    entity->setTestMaxInl(testMaxInl);
    entity->setRigVerdict(rigVerdict);
    CalibrationRecord::setInlCurves(entity, inlCurves);
    CalibrationRecord::setPhaseCoefficients(entity, phaseCoefficients);
    CalibrationRecord::setPhaseMaxInl(entity, phaseMaxInl);
    CalibrationRecord::setPhaseLineOffset(entity, phaseLineOffset);
    return entity;
}

QJsonObject ReportInput::toJson() const {
    CalibrationEntity* entity = toEntity();
    QJsonObject object = CalibrationRecord::toJson(entity);
    delete entity;
    // The test speeds are written as given: a record may hold other than four.
    QJsonArray speeds;
    for (int s : testSpeeds) speeds.append(s);
    object.insert("testSpeed", speeds);
    object.insert("job", job == Test ? QStringLiteral("test") : QStringLiteral("calibrate"));
    const std::pair<const char*, QString> context[] = {
        {"program", program},
        {"version", version},
        {"station", station},
        {"permission", permission},
        {"serial", serial},
        {"recordId", recordId},
        {"resultText", resultText},
        {"runTime", runTime.isValid() ? runTime.toString(Qt::ISODateWithMs) : QString()}};
    for (const auto& [name, value] : context)
        if (!value.isEmpty())
            object.insert(QLatin1String(name), value);
    return object;
}

QByteArray ReportInput::digest() const {
    return QCryptographicHash::hash(QJsonDocument(toJson()).toJson(QJsonDocument::Compact),
                                    QCryptographicHash::Sha256)
        .toHex();
}
