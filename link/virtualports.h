// Ports the program itself serves (simulated equipment): listed beside the system's ports.
#pragma once

#include <QList>
#include <QMutex>
#include <QString>

class VirtualPorts {
public:
    struct Port {
        QString description;
        QString path;
    };

    static void add(const QString& description, const QString& path);
    static void remove(const QString& path);
    static QList<Port> list();

private:
    static QMutex mutex;
    static QList<Port> ports;
};
