#include "iapmode.h"

#include <QDebug>
#include <QThread>

#include "baidutranslate.h"
#include "connectflag.h"
#include "devicestype.h"
#include "entitystore.h"
#include "firmwareupgrade.h"
#include "iapentity.h"

namespace {
const QString kDashes(71, QLatin1Char('-'));
}

IapMode::IapMode()
    : DeviceWorker(QStringLiteral("IAP"),
                   {"iap Mode Init", "Iap Thread Deinit", "Iap Thread Is End"}),
      upgrade(new FirmwareUpgrade(ymodem)) {}

IapMode::~IapMode() {
    delete upgrade;
}

IapEntity* IapMode::loadEntity(QObject* parent) const {
    return EntityStore::loadIapEntity(parent);
}

void IapMode::saveEntity(const IapEntity* entity) const {
    EntityStore::saveIapEntity(entity);
}

void IapMode::startIap(IapEntity* iapEntity, QString serialPortName, int baudRate) {
    Request request(this);
    qDebug() << "Current thread:" << QThread::currentThread();
    qDebug() << "Expected thread:" << thread();
    qDebug() << DevicesType::instance()->connectedKey()
             << (iapEntity ? iapEntity->getDevicesName() : QString());
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    const QString mode = getModeName();
    emit msgSignal(mode, kDashes);
    emit msgSignal(mode, kDashes);
    emit msgSignal(mode, translated("更新固件"));
    emit msgSignal(mode, kDashes);
    emit msgSignal(mode, kDashes);
    emit setProgress(0);
    const bool ok = iapEntity && upgrade->upgradeFirmware(serialPortName, baudRate,
                                                          iapEntity->getFirmwarePath());
    emit setProgress(100);
    emit connectIsSuccess(ok);
}

void IapMode::startTransfer(QString serialPortName, int baudRate, QString firmwarePath,
                            int packetSize, bool sendStart) {
    Request request(this);
    upgrade->getTransfer()->sendStart = sendStart;
    const bool ok = upgrade->sendFile(serialPortName, baudRate, firmwarePath, packetSize);
    upgrade->getTransfer()->sendStart = true;
    emit transferIsSuccess(ok);
}
