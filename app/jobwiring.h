// The main window's side of the four device jobs: their controllers, created once; a
// workspace's requests connected to them; and their messages and results turned into log lines,
// progress colours, message boxes and result tabs.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class BissControler;
class CalibrationControler;
class CalibrationEntity;
class FirmwareControler;
class IapControler;
class JobRecorder;
class MainWindow;
class RecordWriter;
class SettingsWork;

class JobWiring : public QObject {
    Q_OBJECT
public:
    explicit JobWiring(MainWindow* window);
    ~JobWiring() override;

    // Connects a workspace's requests to the controllers; the results go to the workspace
    // attached last. Called for the first workspace and for every rebuilt one.
    void attach(SettingsWork* work);
    // Asks the controllers for the stored parameters of each area, as the panels start with.
    void loadStoredArguments();

    CalibrationControler* calibration() const { return calibrationControler; }
    FirmwareControler* firmware() const { return firmwareControler; }
    IapControler* iap() const { return iapControler; }
    BissControler* biss() const { return bissControler; }
    // Every job's outcome goes to the production record through these.
    JobRecorder* recorder() const { return jobRecorder; }
    RecordWriter* recordWriter() const { return writer; }

    // Joins every worker thread; nothing of a job runs after this.
    void stop();

private:
    void wireCalibration();
    void wireFirmware();
    void wireIap();
    void wireBiss();
    void attachBiss(SettingsWork* work);
    // A job's log name: the name of its left tab.
    QString calibrationTag() const;
    QString firmwareTag() const;
    QString bissTag() const;
    void logResult(const QString& tag, const QString& msg, bool ok);
    void jobStarted(bool clearLog);
    void calibrationResultView(const QString& msg, bool ok, CalibrationEntity* record,
                               bool calibration);
    // Logs a job's message and keeps it as the job's latest reason.
    void logMessage(const QString& tag, const QString& msg, QString& reason);
    // A result box: on failure the job's latest message (the reason, often only in the log)
    // stands under the result text.
    void resultBox(bool ok, const QString& msg, const QString& reason);

    MainWindow* window;
    QPointer<SettingsWork> work;
    CalibrationControler* calibrationControler;
    FirmwareControler* firmwareControler;
    IapControler* iapControler;
    BissControler* bissControler;
    RecordWriter* writer;
    JobRecorder* jobRecorder;
    // The latest message of each job, the reason a failure box shows.
    QString calibrationReason;
    QString firmwareReason;
    QString iapReason;
    QString bissReason;
};
