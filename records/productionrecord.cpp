#include "productionrecord.h"

#include <QJsonArray>
#include <QTimeZone>
#include <QUuid>

#include "calibrationentity.h"
#include "permissioncontroller.h"
#include "recordsettings.h"

const char* const ProductionRecord::kGood = "good";
const char* const ProductionRecord::kBad = "bad";
const char* const ProductionRecord::kFailed = "failed";

QStringList ProductionRecord::jobKinds() {
    return {"connect",         "params",         "zero",          "calibrate",
            "test",            "firmware",       "iap",           "ymodem",
            "set-master",      "slave-enable",   "set-slave-mode", "write-reg",
            "write-resolution", "clear-slave-fault", "clear-master-fault"};
}

QStringList ProductionRecord::outcomes() {
    return {kGood, kBad, kFailed};
}

ProductionRecord ProductionRecord::begin(const QString& job) {
    ProductionRecord r;
    r.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    r.startedAt = QDateTime::currentDateTimeUtc();
    r.endedAt = r.startedAt;
    r.station = RecordSettings::load().stationName();
    r.programVersion = QStringLiteral(QUELBRIN_VERSION);
    r.permission = PermissionController::instance()->currentKey();
    r.job = job;
    return r;
}

QString ProductionRecord::timeText(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QDateTime ProductionRecord::parseTime(const QString& text) {
    QDateTime t = QDateTime::fromString(text, Qt::ISODateWithMs);
    return t.isValid() ? t.toUTC() : t;
}

QJsonObject ProductionRecord::toJson() const {
    // The job's own fields first, so that the record's identity can never be overwritten by them.
    QJsonObject o = details;
    o.insert("id", id);
    o.insert("startedAt", timeText(startedAt));
    o.insert("endedAt", timeText(endedAt));
    o.insert("station", station);
    o.insert("programVersion", programVersion);
    o.insert("permission", permission);
    o.insert("job", job);
    o.insert("port", port);
    o.insert("baud", baud);
    o.insert("deviceType", deviceType);
    o.insert("deviceName", deviceName);
    o.insert("serial", serial);
    o.insert("outcome", outcome);
    o.insert("resultText", resultText);
    o.insert("log", QJsonArray::fromStringList(log));
    return o;
}

ProductionRecord ProductionRecord::fromJson(const QJsonObject& object) {
    ProductionRecord r;
    QJsonObject rest = object;
    auto take = [&rest](const char* key) { return rest.take(QLatin1String(key)); };
    r.id = take("id").toString();
    r.startedAt = parseTime(take("startedAt").toString());
    r.endedAt = parseTime(take("endedAt").toString());
    r.station = take("station").toString();
    r.programVersion = take("programVersion").toString();
    r.permission = take("permission").toString();
    r.job = take("job").toString();
    r.port = take("port").toString();
    r.baud = take("baud").toInt();
    r.deviceType = take("deviceType").toInt();
    r.deviceName = take("deviceName").toString();
    r.serial = take("serial").toString();
    r.outcome = take("outcome").toString();
    r.resultText = take("resultText").toString();
    for (const QJsonValue& line : take("log").toArray()) r.log << line.toString();
    r.details = rest;
    return r;
}

namespace {
QByteArray csvField(const QString& text) {
    QByteArray bytes = text.toUtf8();
    // A field that a spreadsheet would read as a formula is kept as text.
    if (!bytes.isEmpty() && QByteArray("=+-@").contains(bytes.at(0)) && bytes.size() > 1 &&
        !QChar(QLatin1Char(bytes.at(1))).isDigit())
        bytes.prepend('\'');
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') ||
        bytes.contains('\r')) {
        bytes.replace("\"", "\"\"");
        bytes = '"' + bytes + '"';
    }
    return bytes;
}

QString numberText(const QJsonValue& v) {
    return v.isDouble() ? QString::number(v.toDouble(), 'g', 9) : QString();
}
}  // namespace

QByteArray ProductionRecord::csvHeader() {
    return "id,startedAt,endedAt,station,job,serial,outcome,resultText,deviceType,deviceName,"
           "port,baud,permission,programVersion,rigVerdict,maxInl,finalInl,testMaxInl,"
           "firmwareName,firmwareSha256\n";
}

QByteArray ProductionRecord::csvRow() const {
    QStringList tests;
    for (const QJsonValue& v : details.value("testMaxInl").toArray()) tests << numberText(v);
    const QJsonValue verdict = details.value("rigVerdict");
    const QStringList fields{
        id,
        timeText(startedAt),
        timeText(endedAt),
        station,
        job,
        serial,
        outcome,
        resultText,
        QString::number(deviceType),
        deviceName,
        port,
        QString::number(baud),
        permission,
        programVersion,
        verdict.isBool() ? (verdict.toBool() ? QStringLiteral("true") : QStringLiteral("false"))
                         : QString(),
        numberText(details.value("maxInl")),
        numberText(details.value("phaseMaxInl").toObject().value("FINAL")),
        tests.join(QLatin1Char(' ')),
        details.value("firmwareName").toString(),
        details.value("firmwareSha256").toString()};
    QByteArray row;
    for (const QString& f : fields) {
        if (!row.isEmpty() || &f != &fields.first())
            row += ',';
        row += csvField(f);
    }
    return row + '\n';
}

QStringList ProductionRecord::curveKeys() const {
    const QJsonObject curves = details.value("inlCurves").toObject();
    QStringList keys;
    for (const char* key : {"ROUGH", "FINE", "FINAL", "FIRST", "SECOND", "THIRD", "FOURTH"})
        if (!curves.value(QLatin1String(key)).toArray().isEmpty())
            keys << QString::fromLatin1(key);
    return keys;
}

CalibrationEntity* ProductionRecord::toCalibrationEntity(QObject* parent) const {
    if (job != QLatin1String("calibrate") && job != QLatin1String("test") &&
        job != QLatin1String("zero"))
        return nullptr;
    auto floats = [](const QJsonValue& v) {
        QList<float> list;
        for (const QJsonValue& item : v.toArray()) list << float(item.toDouble());
        return list;
    };
    auto* e = new CalibrationEntity(parent, details.value("pointNum").toInt(),
                                    details.value("encoderLine").toInt(),
                                    float(details.value("maxInl").toDouble()),
                                    details.value("encoderType").toInt());
    e->setCalibrationSpeed(details.value("calibrationSpeed").toInt());
    QList<quint16> speeds;
    for (const QJsonValue& v : details.value("testSpeed").toArray()) speeds << quint16(v.toInt());
    if (speeds.size() == 4)
        e->setTestSpeed(speeds);
    if (details.contains("testMaxInl"))
        e->setTestMaxInl(floats(details.value("testMaxInl")));
    e->setRigVerdict(details.value("rigVerdict").toBool());
    e->setSerialNumber(serial);
    const QJsonObject curves = details.value("inlCurves").toObject();
    for (auto it = curves.begin(); it != curves.end(); ++it) e->setInlCurve(it.key(), floats(*it));
    const QJsonObject coefficients = details.value("phaseCoefficients").toObject();
    for (auto it = coefficients.begin(); it != coefficients.end(); ++it)
        e->setPhaseCoefficients(it.key(), floats(*it));
    const QJsonObject maxima = details.value("phaseMaxInl").toObject();
    for (auto it = maxima.begin(); it != maxima.end(); ++it)
        e->setPhaseMaxInl(it.key(), float(it->toDouble()));
    const QJsonObject offsets = details.value("phaseLineOffset").toObject();
    for (auto it = offsets.begin(); it != offsets.end(); ++it)
        e->setPhaseLineOffset(it.key(), float(it->toDouble()));
    return e;
}
