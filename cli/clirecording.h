// The production record of one quelbrin-cli job: the recorder on the command's controller, the
// writer on its thread, and the wait for the record before the process exits.
#pragma once

#include <QString>

#include "jobrecorder.h"
#include "recordwriter.h"

class CliRecording {
public:
    // The message of a refused serial (the setting requires one), empty when the job may run.
    static QString checkSerial(const QString& serial);

    explicit CliRecording(const QString& serial);
    ~CliRecording();

    template <typename Controler>
    void attach(Controler* controler) {
        recorder.attach(controler);
    }
    // Waits a bounded time for the job's records; a record that could not be stored is said on
    // stderr (the job's own result and exit code stand).
    void finish();

private:
    RecordWriter writer;
    JobRecorder recorder;
    bool finished = false;
};
