#include "bissjobs.h"

#include "bissentity.h"
#include "devicestype.h"
#include "jobframe.h"
#include "ymodem.h"

// Progress 0 comes from the job frame before the port is opened, 100 only on success.

void BissJobs::progress(int value) {
    emit link->setProgress(value);
}

bool BissJobs::framedJob(const QString& portText, int baudRate, int firstProgress,
                         const QString& opening, const std::function<bool()>& steps) {
    JobFrame frame(link, portText, baudRate);
    if (!frame.isOpen())
        return false;
    if (firstProgress != kNoFirstProgress)
        progress(firstProgress);
    if (!opening.isEmpty())
        link->report(opening);
    if (!steps())
        return false;
    progress(100);
    return true;
}

bool BissJobs::setMasterParametersJob(BissEntity* entity, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 10, QStringLiteral("开始设置Master参数..."), [&] {
        if (!commands.setBitCounts(entity))
            return false;
        progress(50);
        link->report(QStringLiteral("开始Master通信模式..."));
        return commands.setTransformMode(entity);
    });
}

bool BissJobs::getMasterStatusJob(BissEntity* entity, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 10, {},
                     [&] { return commands.requestMasterStatus(entity); });
}

bool BissJobs::setSlaveEnableJob(BissEntity* entity, const QString& portText, int baudRate) {
    // The same byte switches the supply either way; only this message names the state asked for.
    const QString opening =
        QStringLiteral("开始设置从机使能状态...[%1]")
            .arg(entity->getSlaveEnabled() ? QStringLiteral("使能") : QStringLiteral("禁用"));
    return framedJob(portText, baudRate, 10, opening, [&] { return commands.toggleSlaveSupply(); });
}

bool BissJobs::getSlaveStatusJob(BissEntity* entity, const QString& portText, int baudRate) {
    JobFrame job(link, portText, baudRate, JobFrame::Silent);
    if (!job.isOpen())
        return false;
    if (!commands.requestMasterStatus(entity) || !commands.readSlaveId())
        return false;
    if (DevicesType::instance()->getSlaveType() == DevicesType::FENOXA_BISS)
        return true;
    return commands.readSlaveCommMode(entity);
}

bool BissJobs::getSlaveDataJob(BissEntity* entity, const QString& portText, int baudRate) {
    JobFrame job(link, portText, baudRate, JobFrame::Silent);
    if (!job.isOpen())
        return false;
    return commands.readSlaveData(entity);
}

bool BissJobs::setSlaveCommModeJob(BissEntity* entity, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 10, {},
                     [&] { return commands.writeSlaveCommMode(entity); });
}

bool BissJobs::readSlaveRegisterJob(BissEntity* entity, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, kNoFirstProgress, {},
                     [&] { return commands.readSlaveRegister(entity); });
}

bool BissJobs::writeSlaveRegisterJob(BissEntity* entity, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 10, {},
                     [&] { return commands.writeSlaveRegister(entity); });
}

bool BissJobs::clearSlaveFaultJob(BissEntity*, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 20, {}, [&] { return commands.clearSlaveFault(); });
}

bool BissJobs::clearMasterFaultJob(BissEntity*, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 10, {}, [&] { return commands.clearMasterFault(); });
}

bool BissJobs::readResolutionJob(BissEntity* entity, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 40,
                     QStringLiteral("正在读取分辨率、极对数，关闭霍尔信号输出。"),
                     [&] { return commands.readResolutionPolePairs(entity); });
}

bool BissJobs::writeResolutionJob(BissEntity* entity, const QString& portText, int baudRate) {
    return framedJob(portText, baudRate, 40, QStringLiteral("正在设置分辨率与极对数"),
                     [&] { return commands.writeResolutionPolePairs(entity); });
}

bool BissJobs::runJob(int op, BissEntity* entity, const QString& portText, int baudRate) {
    using Job = bool (BissJobs::*)(BissEntity*, const QString&, int);
    static const Job jobs[] = {&BissJobs::setMasterParametersJob, &BissJobs::getMasterStatusJob,
                               &BissJobs::setSlaveEnableJob,      &BissJobs::getSlaveStatusJob,
                               &BissJobs::getSlaveDataJob,        &BissJobs::setSlaveCommModeJob,
                               &BissJobs::readSlaveRegisterJob,   &BissJobs::writeSlaveRegisterJob,
                               &BissJobs::clearSlaveFaultJob,     &BissJobs::clearMasterFaultJob,
                               &BissJobs::readResolutionJob,      &BissJobs::writeResolutionJob};
    if (op < 0 || op >= int(sizeof jobs / sizeof jobs[0]) || !entity)
        return false;
    return (this->*jobs[op])(entity, portText, baudRate);
}
