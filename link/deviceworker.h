// Base of every job worker: owns its device link, relays the link's messages tagged with the
// worker's mode name, and tells its controller when a request has been served.
#pragma once

#include <QObject>
#include <QString>

class Ymodem;
class ReadConfig;

class DeviceWorker : public QObject {
    Q_OBJECT
public:
    struct Lines {
        const char* init;    // written when the worker is created
        const char* deinit;  // written when its thread is asked to stop
        const char* end;     // written once its thread has ended
    };

    // withLink false: a worker without a device (firmware generation).
    DeviceWorker(const QString& modeName, const Lines& lines, bool withLink = true);
    ~DeviceWorker() override;

    QString getModeName() const { return modeName; }
    const Lines& getLines() const { return lines; }
    Ymodem* getYmodem() const { return ymodem; }

signals:
    void msgSignal(QString modeName, QString msg);
    void msgSignals(QString modeName, QString msg, int arg);
    void setProgress(int value);
    // Once per request slot, after its results were emitted: the controller gives back the port
    // claim it took when it accepted the request.
    void requestDone();

protected:
    // Declare one at the top of every request slot: requestDone() follows the slot's results on
    // every return path.
    class Request {
    public:
        explicit Request(DeviceWorker* worker) : worker(worker) {}
        ~Request() { emit worker->requestDone(); }
        Request(const Request&) = delete;
        Request& operator=(const Request&) = delete;

    private:
        DeviceWorker* worker;
    };

    // A translated operator message under the worker's mode name.
    void report(const QString& text);

    Ymodem* ymodem = nullptr;
    ReadConfig* readConfig;

private:
    QString modeName;
    Lines lines;
};
