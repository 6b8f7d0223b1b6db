// Copies of the calibration task record and its results, as JSON and CSV for quality records.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

class CalibrationEntity;
class QObject;

class CalibrationRecord {
public:
    // A new record with every field of the given one.
    static CalibrationEntity* copy(const CalibrationEntity* from, QObject* parent = nullptr);
    // The first refusal of the record's run parameters (untranslated), or empty: the rules
    // every front end applies before a run is queued.
    static QString problem(const CalibrationEntity* record);
    // What a finished zero, calibration or test wrote into a copy, put into the record the
    // operator works on. Maps are replaced whole: a key the run did not send is emptied.
    static void applyZero(CalibrationEntity* to, const CalibrationEntity* from);
    static void applyCalibration(CalibrationEntity* to, const CalibrationEntity* from);
    static void applyTest(CalibrationEntity* to, const CalibrationEntity* from);

    // Whole-map replacement on a record whose maps have no clear: a key that is not in the
    // new map is emptied (an empty list or 0), which every reader takes as "not received".
    static void setInlCurves(CalibrationEntity* to, const QMap<QString, QList<float>>& curves);
    static void setPhaseCoefficients(CalibrationEntity* to,
                                     const QMap<QString, QList<float>>& coefficients);
    static void setPhaseMaxInl(CalibrationEntity* to, const QMap<QString, float>& values);
    static void setPhaseLineOffset(CalibrationEntity* to, const QMap<QString, float>& values);

    // The record's fields under their names; non-finite numbers become null.
    static QJsonObject toJson(const CalibrationEntity* record);
    // One line per curve point: phase,point,reference_deg,value.
    static QByteArray curvesCsv(const CalibrationEntity* record);
    // Writes the file whole or not at all (the old file survives a failure).
    static bool writeFile(const QString& path, const QByteArray& content, QString* error);
};
