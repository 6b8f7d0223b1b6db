#include "bissmode.h"

#include <QDebug>
#include <QThread>

#include "baidutranslate.h"
#include "bissentity.h"
#include "connectflag.h"

namespace {
const QString kMode = QStringLiteral("BiSS");
QString text(bool ok, const char* success, const char* failure) {
    return translated(ok ? success : failure);
}
}  // namespace

BissMode::BissMode()
    : DeviceWorker(kMode, {"Biss Mode Init", "Biss Thread Deint", "Biss Thread Exit"}),
      jobs(getYmodem()) {}

bool BissMode::serve(int op, const char* name, BissEntity* entity, const QString& portName,
                     int baudRate) {
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    const QString dashes(71, QLatin1Char('-'));
    emit msgSignal(kMode, dashes);
    emit msgSignal(kMode, dashes);
    emit msgSignal(kMode, translated(QStringLiteral(" ") + QString::fromUtf8(name)));
    emit msgSignal(kMode, dashes);
    emit msgSignal(kMode, dashes);
    return jobs.runJob(op, entity, portName, baudRate);
}

void BissMode::serveAndReport(int op, BissEntity* entity, const QString& portName, int baudRate) {
    struct Reply {
        int op;
        const char* banner;
        const char* success;
        const char* failure;
        void (BissMode::*result)(QString, bool, BissEntity*);
        void (BissMode::*done)(bool);
    };
    static const Reply replies[] = {
        {BissJobs::GetMasterStatus, "获取Master状态", "获取Master成功。", "获取Master失败。",
         &BissMode::getMasterStatusResult, &BissMode::getMasterStatusIsSuccess},
        {BissJobs::SetMasterParameters, "设置Master状态", "设置Master成功。", "设置Master失败。",
         &BissMode::setMasterStatusResult, &BissMode::setMasterStatusIsSuccess},
        {BissJobs::GetSlaveStatus, "获取BiSS从机状态", "获取BiSS从机状态成功。",
         "获取BiSS从机状态失败。", &BissMode::getSlaverStatusResult,
         &BissMode::getSlaverStatusIsSuccess},
        {BissJobs::GetSlaveData, "获取BiSS从机数据", "获取BiSS从机数据成功。",
         "获取BiSS从机数据失败。", &BissMode::getSlaverDataResult,
         &BissMode::getSlaverDataIsSuccess},
        {BissJobs::SetSlaveCommMode, "设置BiSS从机状态", "设置BiSS从机状态成功。重新使能后生效！！",
         "设置BiSS从机状态失败。", &BissMode::setSlaverStatusResult,
         &BissMode::setSlaverStatusIsSuccess},
        {BissJobs::ReadSlaveRegister, "读取BiSS从机寄存器", "读取BiSS从机寄存器成功。",
         "读取BiSS从机寄存器失败。", &BissMode::readSlaverRegeditResult,
         &BissMode::readSlaverRegeditIsSuccess},
        {BissJobs::WriteSlaveRegister, "写入BiSS从机寄存器", "写入BiSS从机寄存器成功。",
         "写入BiSS从机寄存器失败。", &BissMode::writeSlaverRegeditResult,
         &BissMode::writeSlaverRegeditIsSuccess},
        {BissJobs::ClearSlaveFault, "清除BiSS从机错误", "清除BiSS从机错误成功。",
         "清除BiSS从机错误失败。", &BissMode::clearSlaverErrorResult,
         &BissMode::clearSlaverErrorIsSuccess},
        {BissJobs::ClearMasterFault, "清除BiSS主机错误", "清除BiSS主机错误成功",
         "清除BiSS主机错误失败", &BissMode::clearMasterErrorResult,
         &BissMode::clearMasterErrorIsSuccess},
        {BissJobs::WriteResolution, "设置旋变分辨率与极对数", "设置分辨率与极对数成功",
         "设置分辨率与极对数失败", &BissMode::setResolutionPolePairsResult,
         &BissMode::setResolutionPolePairsIsSuccess},
        {BissJobs::ReadResolution, "读取旋变分辨率与极对数，关闭霍尔输出",
         "读取分辨率与极对数成功，重启后关闭霍尔输出", "读取分辨率与极对数失败",
         &BissMode::closeResolutionPolePairsResult, &BissMode::closeResolutionPolePairsIsSuccess}};
    for (const Reply& r : replies) {
        if (r.op != op)
            continue;
        const bool ok = serve(op, r.banner, entity, portName, baudRate);
        emit(this->*r.result)(text(ok, r.success, r.failure), ok, entity);
        emit(this->*r.done)(ok);
        return;
    }
}

void BissMode::getMasterStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    qDebug() << "Current thread:" << QThread::currentThread();
    qDebug() << "Expected thread:" << thread();
    serveAndReport(BissJobs::GetMasterStatus, bissEntity, portName, baudRate);
}

void BissMode::setMasterStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::SetMasterParameters, bissEntity, portName, baudRate);
}

void BissMode::setBissSlaverEnable(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissJobs::SetSlaveEnable, "设置BiSS从机使能", bissEntity, portName, baudRate);
    // The panel flipped slaveEnabled before asking; a failed switch leaves the supply as it was.
    if (!ok && bissEntity)
        bissEntity->setSlaveEnabled(!bissEntity->getSlaveEnabled());
    emit setBissSlaverEnableResult(
        text(ok, "设置BiSS从机使能状态成功。", "设置BiSS从机使能状态失败。"), ok);
    emit setBissSlaverEnableIsSuccess(ok);
}

void BissMode::getSlaverStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::GetSlaveStatus, bissEntity, portName, baudRate);
}

void BissMode::getSlaverData(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::GetSlaveData, bissEntity, portName, baudRate);
}

void BissMode::setSlaverStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::SetSlaveCommMode, bissEntity, portName, baudRate);
}

void BissMode::readSlaverRegedit(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::ReadSlaveRegister, bissEntity, portName, baudRate);
}

void BissMode::writeSlaverRegedit(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::WriteSlaveRegister, bissEntity, portName, baudRate);
}

void BissMode::clearSlaverError(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::ClearSlaveFault, bissEntity, portName, baudRate);
}

void BissMode::clearMasterError(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::ClearMasterFault, bissEntity, portName, baudRate);
}

void BissMode::setResolutionPolePairs(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::WriteResolution, bissEntity, portName, baudRate);
}

void BissMode::closeResolutionPolePairs(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    serveAndReport(BissJobs::ReadResolution, bissEntity, portName, baudRate);
}
