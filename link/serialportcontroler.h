// GUI-thread side of the connect job: what the serial dialog and quelbrin-cli talk to.
#pragma once

#include <QStringList>

#include "serialportentity.h"

#include "controlerbase.h"

class SerialPortEntity;
class SerialPortMode;

class SerialPortControler : public ControlerBase {
    Q_OBJECT
public:
    explicit SerialPortControler(QObject* parent = nullptr);

    SerialPortMode* getWorker() const { return worker; }

signals:
    void startConnect(SerialPortEntity* serialPortEntity);
    void connectResult(QString msg, bool connectFlag);
    void compResult(QString msg, bool compFlag);
    void getConfigArgments(SerialPortEntity* serialPortEntity);
    void getSerialPortList(QStringList serialPortList);

public slots:
    void devicesTypeIsCompSlot(bool isComp, QString devicesType);
    void connectIsSuccessSlot(bool connectFlag);
    void getConfigArgments();
    void setConfigArgments(SerialPortEntity* serialPortEntity);
    void getSerialPortList();
    void connectSerialPort(SerialPortEntity* serialPortEntity);

private:
    SerialPortMode* worker;
};
