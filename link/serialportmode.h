// Worker of the connect job: greets and identifies the device on its own thread.
#pragma once

#include <QList>
#include <QSerialPortInfo>
#include <QStringList>

#include "deviceworker.h"
#include "virtualports.h"

class SerialPortEntity;

class SerialPortMode : public DeviceWorker {
    Q_OBJECT
public:
    SerialPortMode();

    SerialPortEntity* loadEntity(QObject* parent = nullptr) const;
    void saveEntity(const SerialPortEntity* entity) const;

    // The system's ports, then the program's own, each as "description (name)".
    QStringList serialPortList() const;
    static QString portText(const QString& description, const QString& name);
    static QStringList portTexts(const QList<QSerialPortInfo>& system,
                                 const QList<VirtualPorts::Port>& own);

signals:
    void connectIsSuccess(bool connectFlag);
    void devicesTypeIsComp(bool compFlag, QString devicesType);

public slots:
    void getDevicesType(SerialPortEntity* serialPortEntity);
};
