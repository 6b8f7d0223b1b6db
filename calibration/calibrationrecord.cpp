#include "calibrationrecord.h"

#include <cmath>

#include <QJsonArray>
#include <QSaveFile>

#include "calibrationentity.h"

namespace {
void replaceCurves(CalibrationEntity* to, const QMap<QString, QList<float>>& curves,
                   bool coefficients) {
    const QMap<QString, QList<float>> old =
        coefficients ? to->getPhaseCoefficients() : to->getInlCurves();
    for (auto it = old.cbegin(); it != old.cend(); ++it)
        if (!curves.contains(it.key())) {
            if (coefficients)
                to->setPhaseCoefficients(it.key(), {});
            else
                to->setInlCurve(it.key(), {});
        }
    for (auto it = curves.cbegin(); it != curves.cend(); ++it) {
        if (coefficients)
            to->setPhaseCoefficients(it.key(), it.value());
        else
            to->setInlCurve(it.key(), it.value());
    }
}

void replaceValues(CalibrationEntity* to, const QMap<QString, float>& values, bool offsets) {
    const QMap<QString, float> old = offsets ? to->getPhaseLineOffset() : to->getPhaseMaxInl();
    for (auto it = old.cbegin(); it != old.cend(); ++it)
        if (!values.contains(it.key())) {
            if (offsets)
                to->setPhaseLineOffset(it.key(), 0.0f);
            else
                to->setPhaseMaxInl(it.key(), 0.0f);
        }
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (offsets)
            to->setPhaseLineOffset(it.key(), it.value());
        else
            to->setPhaseMaxInl(it.key(), it.value());
    }
}

void applyCommon(CalibrationEntity* to, const CalibrationEntity* from) {
    to->setEncoderType(from->getEncoderType());
    to->setRigVerdict(from->getRigVerdict());
    to->setMaxInl(from->getMaxInl());
}

}  // namespace

void CalibrationRecord::setInlCurves(CalibrationEntity* to,
                                     const QMap<QString, QList<float>>& curves) {
    replaceCurves(to, curves, false);
}

void CalibrationRecord::setPhaseCoefficients(CalibrationEntity* to,
                                             const QMap<QString, QList<float>>& coefficients) {
    replaceCurves(to, coefficients, true);
}

void CalibrationRecord::setPhaseMaxInl(CalibrationEntity* to, const QMap<QString, float>& values) {
    replaceValues(to, values, false);
}

void CalibrationRecord::setPhaseLineOffset(CalibrationEntity* to,
                                           const QMap<QString, float>& values) {
    replaceValues(to, values, true);
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
    replaceCurves(to, from->getInlCurves(), false);
    replaceCurves(to, from->getPhaseCoefficients(), true);
    replaceValues(to, from->getPhaseMaxInl(), false);
    replaceValues(to, from->getPhaseLineOffset(), true);
    return to;
}

void CalibrationRecord::applyZero(CalibrationEntity* to, const CalibrationEntity* from) {
    applyCommon(to, from);
}

void CalibrationRecord::applyCalibration(CalibrationEntity* to, const CalibrationEntity* from) {
    applyCommon(to, from);
    replaceCurves(to, from->getInlCurves(), false);
    replaceCurves(to, from->getPhaseCoefficients(), true);
    replaceValues(to, from->getPhaseMaxInl(), false);
    replaceValues(to, from->getPhaseLineOffset(), true);
}

void CalibrationRecord::applyTest(CalibrationEntity* to, const CalibrationEntity* from) {
    applyCommon(to, from);
    replaceCurves(to, from->getInlCurves(), false);
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
