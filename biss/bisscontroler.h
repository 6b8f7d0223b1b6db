// GUI-thread side of the BiSS requests: turns a panel's request into a queued job for BissMode
// and its results into the result signals and summary texts that the window shows.
#pragma once

#include <QString>

#include "controlerbase.h"

class BissEntity;
class BissMode;

class BissControler : public ControlerBase {
    Q_OBJECT
public:
    explicit BissControler(QObject* parent = nullptr);

    BissMode* getWorker() const { return worker; }

signals:
    void getMasterStatus(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void setMasterStatus(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void setBissSlaverEnable(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void getSlaverStatus(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void getSlaverData(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void setSlaverStatus(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void readSlaverRegedit(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void writeSlaverRegedit(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void clearSlaverError(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void clearMasterError(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void setResolutionPolePairs(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void closeResolutionPolePairs(BissEntity* bissEntity, QString serialPortName, int baudRate);
    void bissResult(QString msg, bool bissFlag);
    void compResult(QString msg, bool compFlag);
    void getMasterStatusResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void setMasterStatusResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void setBissSlaverEnableResult(QString msg, bool bissFlag);
    void getSlaverStatusResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void getSlaverDataResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void setSlaverStatusResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void readSlaverRegeditResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void writeSlaverRegeditResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void clearSlaverErrorResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void clearMasterErrorResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void setResolutionPolePairsResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void closeResolutionPolePairsResult(QString msg, bool bissFlag, BissEntity* bissEntity);
    void getConfigArgementsResult(BissEntity* bissEntity);

public slots:
    void devicesTypeIsCompSlot(bool isComp, QString devicesType);
    void getMasterStatusSlot(BissEntity* bissEntity);
    void setMasterStatusSlot(BissEntity* bissEntity);
    void setBissSlaverEnableSlot(BissEntity* bissEntity);
    void getSlaverStatusSlot(BissEntity* bissEntity);
    void getSlaverDataSlot(BissEntity* bissEntity);
    void setSlaverStatusSlot(BissEntity* bissEntity);
    void readSlaverRegeditSlot(BissEntity* bissEntity);
    void writeSlaverRegeditSlot(BissEntity* bissEntity);
    void clearSlaverErrorSlot(BissEntity* bissEntity);
    void clearMasterErrorSlot(BissEntity* bissEntity);
    void setResolutionPolePairsSlot(BissEntity* bissEntity);
    void closeResolutionPolePairsSlot(BissEntity* bissEntity);
    void setConfigArgementsSlot(BissEntity* bissEntity);
    void getConfigArgementsSlot();
    void getMasterStatusIsSuccessSlot(bool ok);
    void setMasterStatusIsSuccessSlot(bool ok);
    void setBissSlaverEnableIsSuccessSlot(bool ok);
    void getSlaverStatusIsSuccessSlot(bool ok);
    void getSlaverDataIsSuccessSlot(bool ok);
    void setSlaverStatusIsSuccessSlot(bool ok);
    void readSlaverRegeditIsSuccessSlot(bool ok);
    void writeSlaverRegeditIsSuccessSlot(bool ok);
    void clearSlaverErrorIsSuccessSlot(bool ok);
    void clearMasterErrorIsSuccessSlot(bool ok);
    void setResolutionPolePairsIsSuccessSlot(bool ok);
    void closeResolutionPolePairsIsSuccessSlot(bool ok);

private:
    using RequestSignal = void (BissControler::*)(BissEntity*, QString, int);
    // Takes the port claim with the saved connection and queues the request; nothing is queued
    // while another job holds the port.
    void queue(RequestSignal signal, BissEntity* bissEntity);
    void summary(bool ok, const char* success, const char* failure);

    BissMode* worker;
};
