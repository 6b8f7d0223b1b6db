// Worker of the IAP upgrade: runs the upgrade job (and the plain YMODEM transfer) on its own
// thread over its device link.
#pragma once

#include <QString>

#include "deviceworker.h"

class FirmwareUpgrade;
class IapEntity;

class IapMode : public DeviceWorker {
    Q_OBJECT
public:
    IapMode();
    ~IapMode() override;

    IapEntity* loadEntity(QObject* parent = nullptr) const;
    void saveEntity(const IapEntity* entity) const;

    // The job, for settings (its waits) before the first request; used on the worker's thread.
    FirmwareUpgrade* getUpgrade() const { return upgrade; }

signals:
    void connectIsSuccess(bool iapFlag);
    // Declared for the pattern's sake; the upgrade does not compare device types.
    void devicesTypeIsComp(bool compFlag, QString devicesType);
    void transferIsSuccess(bool transferFlag);

public slots:
    void startIap(IapEntity* iapEntity, QString serialPortName, int baudRate);
    void startTransfer(QString serialPortName, int baudRate, QString firmwarePath, int packetSize,
                       bool sendStart);

private:
    FirmwareUpgrade* upgrade;
};
