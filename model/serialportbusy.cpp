#include "serialportbusy.h"

#include <QMutexLocker>
#include <QSerialPort>

SerialPortBusy* SerialPortBusy::instance() {
    static SerialPortBusy* const holder = new SerialPortBusy;
    return holder;
}

SerialPortBusy::SerialPortBusy() : serialPort(new QSerialPort) {
    qRegisterMetaType<SerialPortBusy::SerialPortBusyEnum>("SerialPortBusy::SerialPortBusyEnum");
}

void SerialPortBusy::setSerialPort(QSerialPort* port) {
    QSerialPort* old = nullptr;
    {
        QMutexLocker locker(&mutex);
        if (port == serialPort)
            return;
        old = serialPort;
        serialPort = port;
    }
    delete old;
}

QSerialPort* SerialPortBusy::getSerialPort() const {
    QMutexLocker locker(&mutex);
    return serialPort;
}

bool SerialPortBusy::isOpen() const {
    QMutexLocker locker(&mutex);
    return serialPort && serialPort->isOpen();
}
