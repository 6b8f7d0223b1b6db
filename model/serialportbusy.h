// Whether a job holds the serial port. A job's controller claims the port on the user-interface
// thread when it accepts the job and releases it once the job's result has been delivered, so
// jobs of different workers never overlap and a panel can refuse a click while a job runs.
#pragma once

#include <QMutex>
#include <QObject>

class SerialPortBusy : public QObject {
    Q_OBJECT
public:
    enum SerialPortBusyEnum { IDLE = 0, BUSY = 1 };

    static SerialPortBusy* instance();

    // Takes the claim for owner; false when another owner holds it. Claims of one owner nest:
    // each successful claim needs its own release.
    bool claim(const void* owner);
    // Gives back one claim of owner; a release by someone else is ignored.
    void release(const void* owner);
    // Drops every claim of owner (an owner that goes away).
    void releaseAll(const void* owner);
    // True while a job holds the port.
    bool isOpen() const;
    const void* holder() const;

private:
    SerialPortBusy();
    mutable QMutex mutex;
    const void* owner = nullptr;
    int depth = 0;
};
