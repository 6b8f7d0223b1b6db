// Base of every GUI-thread controller: creates its worker's thread, wires the message and
// progress relays, prepares each device job (port claim, saved connection, device type), and
// joins the thread before the worker is deleted.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>

class DeviceWorker;

class ControlerBase : public QObject {
    Q_OBJECT
public:
    ~ControlerBase() override;

    QThread* workerThread() { return thread; }
    // Asks a running job to stop at its next wait, quits the thread and joins it, for at most
    // stopLimitMs. Returns false when the thread did not end in time: it and its worker are then
    // left behind (never destroyed while running) so that quitting is never held up. Idempotent.
    bool stopWorker();
    int stopLimitMs = 10000;

    // The controller whose job holds the port now, or null.
    static ControlerBase* portHolder();
    // What the operator is told before a running job is stopped by quitting: the job's name and
    // what stopping it leaves behind on the device (untranslated).
    QString jobName() const;
    virtual QString stopConsequence() const;

    // A front end that brings its own connection (the command line) fixes the port and baud
    // rate of every job this controller accepts from now on; the saved connection of the window
    // is then neither read nor written, so two processes in one folder never cross.
    void setJobPort(const QString& portText, int baudRate);

signals:
    void msgSignal(QString modeName, QString msg);
    void msgSignals(QString modeName, QString msg, int arg);
    void setProgress(int value);

protected:
    explicit ControlerBase(QObject* parent = nullptr);
    // Takes ownership of a worker created without a parent, moves it to the thread and starts
    // the thread; call once, after the derived controller has made its own connections.
    void startWorker(DeviceWorker* worker);

    // The connection the serial dialog saved.
    struct JobPort {
        QString portText;
        int baudRate = 0;
    };
    // Call on the user-interface thread before queuing a device job. Takes the port claim
    // (false, with a log message, when another job holds the port: queue nothing then), reads
    // the saved port text and baud rate into port, and sets connectedType to devicesType unless
    // it is negative. The claim is given back when the worker's request slot has returned.
    bool prepareJob(int devicesType, JobPort& port);
    // The claim alone, for a job that brings its own connection (the connect job).
    bool claimPort();

private:
    void requestDone();

    // On the heap: a thread that outlives the stop limit is left, never destroyed running.
    QThread* thread;
    bool abandoned = false;
    DeviceWorker* baseWorker = nullptr;
    bool stopped = false;
    bool fixedPort = false;
    JobPort jobPort;
};
