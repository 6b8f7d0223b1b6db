// Holds the one live serial port object, so that a panel can tell whether a job is using the port.
#pragma once

#include <QMutex>
#include <QObject>

class QSerialPort;

class SerialPortBusy : public QObject {
    Q_OBJECT
public:
    enum SerialPortBusyEnum { IDLE = 0, BUSY = 1 };

    static SerialPortBusy* instance();

    // Deletes the port held so far (unless it is the same object) and keeps the new one.
    void setSerialPort(QSerialPort* port);
    QSerialPort* getSerialPort() const;
    bool isOpen() const;

private:
    SerialPortBusy();
    mutable QMutex mutex;
    QSerialPort* serialPort = nullptr;
};
