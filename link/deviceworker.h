// Base of every job worker: owns its thread and its device link, relays the link's messages
// tagged with the worker's mode name, and stops and joins its thread before it goes.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>

class Ymodem;
class ReadConfig;

class DeviceWorker : public QObject {
    Q_OBJECT
public:
    struct Lines {
        const char* init;    // written when the worker is created
        const char* deinit;  // written when it starts to go
        const char* end;     // written once its thread has ended
    };

    // withLink false: a worker without a device (firmware generation).
    DeviceWorker(const QString& modeName, const Lines& lines, bool withLink = true);
    ~DeviceWorker() override;

    QString getModeName() const { return modeName; }
    Ymodem* getYmodem() const { return ymodem; }
    QThread* workerThread() { return &jobThread; }

    // Moves the worker (and its children) to its own thread and starts it.
    void startThread();
    // Asks a running job to stop at its next wait, quits the thread and joins it. Idempotent;
    // must run before any part of a derived worker is destroyed.
    void stopThread();

signals:
    void msgSignal(QString modeName, QString msg);
    void msgSignals(QString modeName, QString msg, int arg);
    void setProgress(int value);

protected:
    QThread jobThread;
    Ymodem* ymodem = nullptr;
    ReadConfig* readConfig;

private:
    QString modeName;
    Lines lines;
    bool stopped = false;
};
