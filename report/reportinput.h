// Everything a calibration or test report shows: who made the run where and when, the encoder
// and the rig's parameters, and the run's figures and curves.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

class CalibrationEntity;
class QObject;

struct ReportInput {
    enum Job { Calibration, Test };

    // The run's context: not part of the task record.
    QString program;
    QString version;
    QString station;
    QDateTime runTime;  // invalid when unknown
    QString permission;
    QString serial;
    QString recordId;
    QString resultText;  // the rig's closing message, when known
    Job job = Calibration;

    // The task record's figures.
    int encoderType = 0;
    int pointNum = 0;
    int encoderLine = 0;
    int calibrationSpeed = 0;
    QList<int> testSpeeds;
    float targetInl = 0.0f;
    bool rigVerdict = false;
    QMap<QString, QList<float>> inlCurves;
    QMap<QString, QList<float>> phaseCoefficients;
    QMap<QString, float> phaseMaxInl;
    QMap<QString, float> phaseLineOffset;
    QList<float> testMaxInl;

    // The phase keys of the job, in the order the run makes them.
    static QStringList phaseKeys(Job job);
    // The keys of this record that hold a curve.
    QStringList curveKeys() const;
    bool hasCurves() const { return !curveKeys().isEmpty(); }
    // A type-250 encoder is calibrated by the rig and has a Fourier fit; the others calibrate
    // themselves and deliver measured angles.
    bool selfCalibrating() const;
    // The device type's name, or its code when the type is not known here.
    QString deviceTypeName() const;

    // A finished run's record with the context the front end knows.
    static ReportInput fromEntity(const CalibrationEntity* record, Job job);
    // The fields a rig job's --record file holds, plus the optional context fields (recordId,
    // serial, station, program, version, permission, runTime as ISO 8601, job, resultText).
    // Without "job" a record with test curves is a test. False, with a message, when the
    // object lacks the record's fields.
    static bool fromJson(const QJsonObject& object, ReportInput* input, QString* error);
    // Reads a --record file: a regular file of at most maxJsonBytes holding a JSON object.
    static bool readJsonFile(const QString& path, ReportInput* input, QString* error);
    static constexpr qint64 maxJsonBytes = 64 * 1024 * 1024;

    // A task record with this report's figures, for the result views' chart classes.
    CalibrationEntity* toEntity(QObject* parent = nullptr) const;
    // The record's data as one JSON object (the task record's fields under their names and
    // the context fields above); the report's digest is taken over its compact form.
    QJsonObject toJson() const;
    QByteArray digest() const;  // lower-case hex SHA-256
};
