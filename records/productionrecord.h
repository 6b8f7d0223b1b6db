// One job's outcome as the production record keeps it: who, where, when, on which encoder, with
// what parameters, and what came out. The JSON field names are the ones quelbrin-cli prints.
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

class CalibrationEntity;
class QObject;

struct ProductionRecord {
    // The three outcomes: the job ran and the device passed, ran and was judged bad, or failed.
    static const char* const kGood;
    static const char* const kBad;
    static const char* const kFailed;

    // The job kinds, named as the quelbrin-cli commands and BiSS operations that run them.
    static QStringList jobKinds();
    static QStringList outcomes();

    QString id;  // unique over every station: a UUID, the key of exactly-once forwarding
    QDateTime startedAt;  // UTC
    QDateTime endedAt;    // UTC
    QString station;
    QString programVersion;
    QString permission;
    QString job;
    QString port;
    int baud = 0;
    int deviceType = 0;
    QString deviceName;
    QString serial;
    QString outcome;
    QString resultText;
    // Everything else, under the field names of the job's own JSON record: the parameters,
    // the rig's verdict, maxima, curves and coefficients, the firmware image, the BiSS operation.
    QJsonObject details;
    QStringList log;

    bool isValid() const { return !id.isEmpty(); }
    // A new id and the station, program version and permission of this process.
    static ProductionRecord begin(const QString& job);

    QJsonObject toJson() const;
    static ProductionRecord fromJson(const QJsonObject& object);

    // Times as stored and printed: ISO 8601 in UTC with milliseconds, which sorts as text.
    static QString timeText(const QDateTime& time);
    static QDateTime parseTime(const QString& text);

    // A calibration or test record's figures and curves in a task record, as the result views
    // and charts take them after a run; nullptr for other jobs.
    CalibrationEntity* toCalibrationEntity(QObject* parent = nullptr) const;
    // The result-view keys of the curves this record holds, in the order of the result pages.
    QStringList curveKeys() const;

    // The columns of a CSV export and one row (fields quoted as RFC 4180 asks).
    static QByteArray csvHeader();
    QByteArray csvRow() const;
};
