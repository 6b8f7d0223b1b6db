#include "serialportbusy.h"

#include <QMutexLocker>

SerialPortBusy* SerialPortBusy::instance() {
    static SerialPortBusy* const holder = new SerialPortBusy;
    return holder;
}

SerialPortBusy::SerialPortBusy() {
    qRegisterMetaType<SerialPortBusy::SerialPortBusyEnum>("SerialPortBusy::SerialPortBusyEnum");
}

bool SerialPortBusy::claim(const void* who) {
    QMutexLocker locker(&mutex);
    if (owner && owner != who)
        return false;
    owner = who;
    ++depth;
    return true;
}

void SerialPortBusy::release(const void* who) {
    QMutexLocker locker(&mutex);
    if (owner != who || depth == 0)
        return;
    if (--depth == 0)
        owner = nullptr;
}

void SerialPortBusy::releaseAll(const void* who) {
    QMutexLocker locker(&mutex);
    if (owner != who)
        return;
    owner = nullptr;
    depth = 0;
}

bool SerialPortBusy::isOpen() const {
    QMutexLocker locker(&mutex);
    return owner != nullptr;
}

const void* SerialPortBusy::holder() const {
    QMutexLocker locker(&mutex);
    return owner;
}
