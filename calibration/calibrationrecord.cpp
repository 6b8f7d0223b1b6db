#include "calibrationrecord.h"

#include "calibrationlimits.h"

#include <cmath>

#include <QJsonArray>
#include <QSaveFile>

#include "calibrationentity.h"

namespace {
void applyCommon(CalibrationEntity* to, const CalibrationEntity* from) {
    to->setEncoderType(from->getEncoderType());
    to->setRigVerdict(from->getRigVerdict());
    to->setMaxInl(from->getMaxInl());
}

}  // namespace

// A run's maps replace the record's whole: a key it did not send is gone, not an empty entry
// that would pass for data of this run in the record files.
void CalibrationRecord::setInlCurves(CalibrationEntity* to,
                                     const QMap<QString, QList<float>>& curves) {
    to->setInlCurves(curves);
}

void CalibrationRecord::setPhaseCoefficients(CalibrationEntity* to,
                                             const QMap<QString, QList<float>>& coefficients) {
    to->setPhaseCoefficients(coefficients);
}

void CalibrationRecord::setPhaseMaxInl(CalibrationEntity* to, const QMap<QString, float>& values) {
    to->setPhaseMaxInl(values);
}

void CalibrationRecord::setPhaseLineOffset(CalibrationEntity* to,
                                           const QMap<QString, float>& values) {
    to->setPhaseLineOffset(values);
}

namespace {
QJsonValue number(double value) {
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
}

QJsonArray numbers(const QList<float>& values) {
    QJsonArray array;
    for (float v : values) array.append(number(double(v)));
    return array;
}

QJsonObject curveObject(const QMap<QString, QList<float>>& curves) {
    QJsonObject object;
    for (auto it = curves.cbegin(); it != curves.cend(); ++it)
        object.insert(it.key(), numbers(it.value()));
    return object;
}

QJsonObject valueObject(const QMap<QString, float>& values) {
    QJsonObject object;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        object.insert(it.key(), number(double(it.value())));
    return object;
}
}  // namespace

CalibrationEntity* CalibrationRecord::copy(const CalibrationEntity* from, QObject* parent) {
    auto* to = new CalibrationEntity(parent, from->getPointNum(), from->getEncoderLine(),
                                     from->getMaxInl(), from->getEncoderType());
    to->setCalibrationSpeed(from->getCalibrationSpeed());
    to->setTestSpeed(from->getTestSpeed());
    to->setTestMaxInl(from->getTestMaxInl());
    to->setRigVerdict(from->getRigVerdict());
    to->setSerialNumber(from->getSerialNumber());
    to->setInlCurves(from->getInlCurves());
    to->setPhaseCoefficients(from->getPhaseCoefficients());
    to->setPhaseMaxInl(from->getPhaseMaxInl());
    to->setPhaseLineOffset(from->getPhaseLineOffset());
    return to;
}

void CalibrationRecord::applyZero(CalibrationEntity* to, const CalibrationEntity* from) {
    applyCommon(to, from);
}

void CalibrationRecord::applyCalibration(CalibrationEntity* to, const CalibrationEntity* from) {
    applyCommon(to, from);
    to->setInlCurves(from->getInlCurves());
    to->setPhaseCoefficients(from->getPhaseCoefficients());
    to->setPhaseMaxInl(from->getPhaseMaxInl());
    to->setPhaseLineOffset(from->getPhaseLineOffset());
}

void CalibrationRecord::applyTest(CalibrationEntity* to, const CalibrationEntity* from) {
    applyCommon(to, from);
    to->setInlCurves(from->getInlCurves());
    to->setTestMaxInl(from->getTestMaxInl());
}

QJsonObject CalibrationRecord::toJson(const CalibrationEntity* record) {
    QJsonArray speeds;
    for (quint16 s : record->getTestSpeed()) speeds.append(int(s));
    QJsonObject object;
    object.insert("pointNum", record->getPointNum());
    object.insert("encoderLine", record->getEncoderLine());
    object.insert("calibrationSpeed", record->getCalibrationSpeed());
    object.insert("testSpeed", speeds);
    object.insert("maxInl", number(double(record->getMaxInl())));
    object.insert("encoderType", record->getEncoderType());
    object.insert("rigVerdict", record->getRigVerdict());
    object.insert("inlCurves", curveObject(record->getInlCurves()));
    object.insert("phaseCoefficients", curveObject(record->getPhaseCoefficients()));
    object.insert("phaseMaxInl", valueObject(record->getPhaseMaxInl()));
    object.insert("phaseLineOffset", valueObject(record->getPhaseLineOffset()));
    object.insert("testMaxInl", numbers(record->getTestMaxInl()));
    return object;
}

QByteArray CalibrationRecord::curvesCsv(const CalibrationEntity* record) {
    QByteArray csv = "phase,point,reference_deg,value\n";
    const QMap<QString, QList<float>> curves = record->getInlCurves();
    for (auto it = curves.cbegin(); it != curves.cend(); ++it) {
        const QList<float>& values = it.value();
        const int n = int(values.size());
        for (int i = 0; i < n; ++i) {
            // The reference points lie at i * 360 / N of the run's own point count.
            const double reference = record->getPointNum() > 0
                                         ? double(float(i) * float(360.0 / record->getPointNum()))
                                         : 0.0;
            csv += it.key().toLatin1() + ',' + QByteArray::number(i) + ',' +
                   QByteArray::number(reference, 'g', 9) + ',' +
                   QByteArray::number(double(values.at(i)), 'g', 9) + '\n';
        }
    }
    return csv;
}

bool CalibrationRecord::writeFile(const QString& path, const QByteArray& content, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

QString CalibrationRecord::problem(const CalibrationEntity* record) {
    QList<qint64> speeds;
    for (quint16 s : record->getTestSpeed()) speeds.append(s);
    return CalibrationLimits::problem(record->getPointNum(), record->getEncoderLine(),
                                      record->getCalibrationSpeed(), speeds);
}
