// Worker of the BiSS requests: runs one BiSS job per request on its own thread and reports the
// result with the entity it filled.
#pragma once

#include <QString>

#include "bissjobs.h"
#include "deviceworker.h"

class BissEntity;

class BissMode : public DeviceWorker {
    Q_OBJECT
public:
    BissMode();

    BissJobs* getJobs() { return &jobs; }

signals:
    void getMasterStatusIsSuccess(bool ok);
    void setMasterStatusIsSuccess(bool ok);
    void setBissSlaverEnableIsSuccess(bool ok);
    void getSlaverStatusIsSuccess(bool ok);
    void getSlaverDataIsSuccess(bool ok);
    void setSlaverStatusIsSuccess(bool ok);
    void readSlaverRegeditIsSuccess(bool ok);
    void writeSlaverRegeditIsSuccess(bool ok);
    void clearSlaverErrorIsSuccess(bool ok);
    void clearMasterErrorIsSuccess(bool ok);
    void setResolutionPolePairsIsSuccess(bool ok);
    void closeResolutionPolePairsIsSuccess(bool ok);
    void devicesTypeIsComp(bool compFlag, QString devicesType);
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

public slots:
    void getMasterStatus(BissEntity* bissEntity, QString portName, int baudRate);
    void setMasterStatus(BissEntity* bissEntity, QString portName, int baudRate);
    void setBissSlaverEnable(BissEntity* bissEntity, QString portName, int baudRate);
    void getSlaverStatus(BissEntity* bissEntity, QString portName, int baudRate);
    void getSlaverData(BissEntity* bissEntity, QString portName, int baudRate);
    void setSlaverStatus(BissEntity* bissEntity, QString portName, int baudRate);
    void readSlaverRegedit(BissEntity* bissEntity, QString portName, int baudRate);
    void writeSlaverRegedit(BissEntity* bissEntity, QString portName, int baudRate);
    void clearSlaverError(BissEntity* bissEntity, QString portName, int baudRate);
    void clearMasterError(BissEntity* bissEntity, QString portName, int baudRate);
    void setResolutionPolePairs(BissEntity* bissEntity, QString portName, int baudRate);
    void closeResolutionPolePairs(BissEntity* bissEntity, QString portName, int baudRate);

private:
    // Marks the master connected, logs the banner and runs the job of op.
    bool serve(int op, const char* name, BissEntity* entity, const QString& portName, int baudRate);
    // serve, then the op's result text and signals; every request but the slave enable.
    void serveAndReport(int op, BissEntity* entity, const QString& portName, int baudRate);

    BissJobs jobs;
};
