// Connection parameters of the serial device link.
#pragma once

#include <QObject>
#include <QString>

class DevicesType;
class DevicesStatus;
class ConnectFlag;
class EncoderCaxis;

class SerialPortEntity : public QObject {
    Q_OBJECT
public:
    explicit SerialPortEntity(QObject* parent = nullptr, const QString& serialPortNum = QString(),
                              int baudRate = 0);

    QString getSerialPortNum() const { return SerialPortNum; }
    void setSerialPortNum(const QString& text) { SerialPortNum = text; }
    int getBaudRate() const { return BaudRate; }
    void setBaudRate(int rate) { BaudRate = rate; }

    DevicesType* devicesType;
    DevicesStatus* devicesStatus;
    ConnectFlag* connectFlag;
    EncoderCaxis* encoderCaxis;

private:
    QString SerialPortNum;
    int BaudRate;
};
