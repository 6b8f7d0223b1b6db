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

QString SerialPortMode::portText(const QString& description, const QString& name) {
    // Built-in ports often have no description: the name stands in for it.
    const QString shown = description.trimmed().isEmpty() ? name : description;
    return shown + QStringLiteral(" (") + name + QLatin1Char(')');
}

QStringList SerialPortMode::portTexts(const QList<QSerialPortInfo>& system,
                                      const QList<VirtualPorts::Port>& own) {
    QStringList texts;
    for (const QSerialPortInfo& info : system)
        texts << portText(info.description(), info.portName());
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
