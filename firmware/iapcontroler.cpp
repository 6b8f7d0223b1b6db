#include "iapcontroler.h"

#include <QDebug>

#include "baidutranslate.h"
#include "connectflag.h"
#include "devicestype.h"
#include "iapentity.h"
#include "iapmode.h"

IapControler::IapControler(QObject* parent) : ControlerBase(parent), worker(new IapMode) {
    qDebug() << "Iap Controler Init";
    qRegisterMetaType<IapEntity*>("IapEntity*");
    connect(this, &IapControler::startIap, worker, &IapMode::startIap);
    connect(this, &IapControler::startTransfer, worker, &IapMode::startTransfer);
    connect(worker, &IapMode::connectIsSuccess, this, &IapControler::connectIsSuccessSlot);
    connect(worker, &IapMode::devicesTypeIsComp, this, &IapControler::devicesTypeIsCompSlot);
    connect(worker, &IapMode::transferIsSuccess, this, [this](bool ok) {
        emit transferResult(ok ? translated("传输完成。") : translated("传输失败。"), ok);
    });
    startWorker(worker);
}

void IapControler::devicesTypeIsCompSlot(bool isComp, QString devicesType) {
    if (isComp)
        emit compResult(translated("设备类型匹配成功。"), true);
    else
        emit compResult(translated("设备类型匹配失败，请修改设备类型为：") + devicesType, false);
}

void IapControler::connectIsSuccessSlot(bool connectFlag) {
    if (connectFlag) {
        emit connectResult(translated("升级完成。"), true);
        return;
    }
    emit connectResult(translated("升级失败。"), false);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
}

void IapControler::getConfigArgments() {
    qDebug() << "getconfig";
    emit getConfigArgments(worker->loadEntity(this));
}

void IapControler::setConfigArgments(IapEntity* iapEntity) {
    if (iapEntity)
        worker->saveEntity(iapEntity);
}

void IapControler::startIapSlot(IapEntity* iapEntity) {
    if (!iapEntity)
        return;
    DevicesType* types = DevicesType::instance();
    JobPort port;
    if (!prepareJob(types->keyToValue(iapEntity->getDevicesName()), port)) {
        // Another job holds the port: the upgrade ends here, and its page is told so.
        connectIsSuccessSlot(false);
        return;
    }
    emit startIap(iapEntity, port.portText, port.baudRate);
}

void IapControler::startTransferSlot(const QString& firmwarePath, int packetSize, bool sendStart) {
    JobPort port;
    if (!prepareJob(-1, port)) {
        emit transferResult(translated("传输失败。"), false);
        return;
    }
    emit startTransfer(port.portText, port.baudRate, firmwarePath, packetSize, sendStart);
}

QString IapControler::stopConsequence() const {
    return QStringLiteral("编码器将停留在Boot模式，直到下一次升级完成。");
}
