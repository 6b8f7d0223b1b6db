// Turns each job's outcome into a production record: it listens to a controller's request
// signals (the job was accepted: start time, port, parameters, serial), its messages (the job's
// log) and its result signals (the outcome), the same signals the window and quelbrin-cli show.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include "productionrecord.h"

class BissControler;
class BissEntity;
class CalibrationControler;
class CalibrationEntity;
class FirmwareControler;
class IapControler;
class RecordWriter;
class SerialPortControler;

class JobRecorder : public QObject {
    Q_OBJECT
public:
    // writer may be null: the records are then only emitted.
    explicit JobRecorder(RecordWriter* writer, QObject* parent = nullptr);

    // The serial of jobs whose task record carries none (quelbrin-cli --serial).
    void setDefaultSerial(const QString& serial) { defaultSerial = serial; }

    void attach(CalibrationControler* controler);
    void attach(IapControler* controler);
    void attach(BissControler* controler);
    void attach(SerialPortControler* controler);
    void attach(FirmwareControler* controler);

    // Lines kept per record; a longer log keeps its first lines and says how many were left out.
    static constexpr int kMaxLogLines = 4000;

signals:
    // A finished job's record, as handed to the writer.
    void recordReady(const ProductionRecord& record);

private:
    struct Run {
        ProductionRecord record;
        bool active = false;
        QString verdictText;
        int dropped = 0;
    };
    Run& begin(QObject* controler, const QString& job, const QString& port, int baud,
               const QString& serial);
    void log(QObject* controler, const QString& text);
    // outcome empty: decided from ok and the rig's verdict.
    void finish(QObject* controler, const QString& text, bool ok, const QString& outcome = {});
    void calibrationResult(QObject* controler, const QString& job, const QString& text,
                           CalibrationEntity* entity);
    void noteImage(const ProductionRecord& record, const QString& path);

    QPointer<RecordWriter> writer;
    QString defaultSerial;
    QHash<QObject*, Run> runs;
};
