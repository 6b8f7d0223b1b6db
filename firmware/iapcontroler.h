// GUI-thread side of the IAP upgrade: what the IAP pages and quelbrin-cli talk to.
#pragma once

#include <QString>

#include "controlerbase.h"

class IapEntity;
class IapMode;

class IapControler : public ControlerBase {
    Q_OBJECT
public:
    explicit IapControler(QObject* parent = nullptr);

    IapMode* getWorker() const { return worker; }
    // An upgrade stopped half-way leaves the encoder waiting for an image.
    QString stopConsequence() const override;

signals:
    void startIap(IapEntity* iapEntity, QString serialPortName, int baudRate);
    void connectResult(QString msg, bool connectFlag);
    void compResult(QString msg, bool compFlag);
    void getConfigArgments(IapEntity* iapEntity);
    void startTransfer(QString serialPortName, int baudRate, QString firmwarePath, int packetSize,
                       bool sendStart);
    // The plain YMODEM transfer's outcome.
    void transferResult(QString msg, bool transferFlag);

public slots:
    void devicesTypeIsCompSlot(bool isComp, QString devicesType);
    void connectIsSuccessSlot(bool connectFlag);
    void getConfigArgments();
    void setConfigArgments(IapEntity* iapEntity);
    void startIapSlot(IapEntity* iapEntity);
    // Sends one file by YMODEM over the saved connection, without identification or mode
    // switches: for boot loaders that speak plain YMODEM.
    void startTransferSlot(const QString& firmwarePath, int packetSize, bool sendStart);

private:
    IapMode* worker;
};
