#include "serialportmode.h"

#include "connectflag.h"
#include "devicestype.h"
#include "entitystore.h"
#include "serialportentity.h"
#include "ymodem.h"

SerialPortMode::SerialPortMode()
    : DeviceWorker(QStringLiteral("SerialPort"), {"SerialPort Mode Init", "serialPort Thread Deint",
                                                  "serialPort Thread is end"}) {}

SerialPortEntity* SerialPortMode::loadEntity(QObject* parent) const {
    return EntityStore::loadSerialPortEntity(parent);
}

void SerialPortMode::saveEntity(const SerialPortEntity* entity) const {
    EntityStore::saveSerialPortEntity(entity);
}

QStringList SerialPortMode::serialPortList() const {
    return portTexts(QSerialPortInfo::availablePorts(), VirtualPorts::list());
}

QStringList SerialPortMode::portTexts(const QList<QSerialPortInfo>& system,
                                      const QList<VirtualPorts::Port>& own) {
    QStringList texts;
    for (const QSerialPortInfo& info : system)
        texts << info.description() + QStringLiteral(" (") + info.portName() + QLatin1Char(')');
    for (const VirtualPorts::Port& port : own)
        texts << port.description + QStringLiteral(" (") + port.path + QLatin1Char(')');
    return texts;
}

void SerialPortMode::getDevicesType(SerialPortEntity* serialPortEntity) {
    Request request(this);
    int reported = 0;
    const bool ok = ymodem->connectDevice(reported, serialPortEntity->getSerialPortNum(),
                                          serialPortEntity->getBaudRate(), -1);
    // The flag is set before any result goes out: a receiver of "设备类型匹配成功。" must find
    // the device connected.
    ConnectFlag* flag = ConnectFlag::instance();
    DevicesType* types = DevicesType::instance();
    const bool equal = ok && reported == types->getConnectedType();
    flag->setDeviceConnection(equal ? ConnectFlag::CONNECTED : ConnectFlag::DISCONNECTED);
    emit setProgress(100);
    emit connectIsSuccess(ok);
    if (ok)
        emit devicesTypeIsComp(equal, types->valueToKey(reported));
}
