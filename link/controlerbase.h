// Base of every GUI-thread controller: creates its worker once, wires the message and progress
// relays, starts the worker's thread, and joins and deletes the worker when it goes.
#pragma once

#include <QObject>

class DeviceWorker;

class ControlerBase : public QObject {
    Q_OBJECT
public:
    ~ControlerBase() override;

signals:
    void msgSignal(QString modeName, QString msg);
    void msgSignals(QString modeName, QString msg, int arg);
    void setProgress(int value);

protected:
    explicit ControlerBase(QObject* parent = nullptr);
    // Takes ownership of a worker created without a parent; call once, after the derived
    // controller has made its own connections to the worker.
    void startWorker(DeviceWorker* worker);
    DeviceWorker* baseWorker = nullptr;
};
