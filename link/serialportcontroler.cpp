#include "serialportcontroler.h"

#include <QDebug>

#include "baidutranslate.h"
#include "devicestype.h"
#include "serialportentity.h"
#include "serialportmode.h"

SerialPortControler::SerialPortControler(QObject* parent) : ControlerBase(parent) {
    qDebug() << "SerialPort Controler Init";
    // The record crosses to the worker thread by pointer in a queued signal.
    qRegisterMetaType<SerialPortEntity*>("SerialPortEntity*");
    worker = new SerialPortMode;
    // Queued: the worker lives on its own thread, so the job runs there.
    connect(this, &SerialPortControler::startConnect, worker, &SerialPortMode::getDevicesType);
    connect(worker, &SerialPortMode::connectIsSuccess, this,
            &SerialPortControler::connectIsSuccessSlot);
    connect(worker, &SerialPortMode::devicesTypeIsComp, this,
            &SerialPortControler::devicesTypeIsCompSlot);
    startWorker(worker);
}

void SerialPortControler::devicesTypeIsCompSlot(bool isComp, QString devicesType) {
    if (isComp)
        emit compResult(translated("设备类型匹配成功。"), true);
    else
        emit compResult(translated("设备类型匹配失败，请修改设备类型为：") + devicesType, false);
}

void SerialPortControler::connectIsSuccessSlot(bool connectFlag) {
    if (connectFlag)
        emit connectResult(translated("通信完成。"), true);
    else
        emit connectResult(translated("通信失败。"), false);
}

void SerialPortControler::getConfigArgments() {
    SerialPortEntity* entity = worker->loadEntity(this);
    qDebug() << "getconfig";
    emit getConfigArgments(entity);
}

void SerialPortControler::setConfigArgments(SerialPortEntity* serialPortEntity) {
    worker->saveEntity(serialPortEntity);
}

void SerialPortControler::getSerialPortList() {
    emit getSerialPortList(worker->serialPortList());
}

void SerialPortControler::connectSerialPort(SerialPortEntity* serialPortEntity) {
    if (!claimPort()) {
        // Another job holds the port; the dialog learns that nothing will run.
        emit connectResult(translated("通信失败。"), false);
        return;
    }
    worker->saveEntity(serialPortEntity);
    const QString message = translated("正在连接设备: [") +
                            DevicesType::instance()->connectedKey() + translated("] 串口: [") +
                            serialPortEntity->getSerialPortNum() + translated("] 波特率：[") +
                            QString::number(serialPortEntity->getBaudRate()) + QStringLiteral("] ");
    emit msgSignal(QStringLiteral("SerialPort"), message);
    emit startConnect(serialPortEntity);
}
