#include "virtualports.h"

#include <QMutexLocker>

QMutex VirtualPorts::mutex;
QList<VirtualPorts::Port> VirtualPorts::ports;

void VirtualPorts::add(const QString& description, const QString& path) {
    QMutexLocker locker(&mutex);
    ports.append({description, path});
}

void VirtualPorts::remove(const QString& path) {
    QMutexLocker locker(&mutex);
    ports.removeIf([&](const Port& p) { return p.path == path; });
}

QList<VirtualPorts::Port> VirtualPorts::list() {
    QMutexLocker locker(&mutex);
    return ports;
}
