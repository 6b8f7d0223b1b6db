#include "bisscontroler.h"

#include <QDebug>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bissmode.h"
#include "connectflag.h"
#include "devicestype.h"

BissControler::BissControler(QObject* parent) : ControlerBase(parent) {
    qDebug() << "BissControler Init";
    qRegisterMetaType<BissEntity*>("BissEntity*");
    worker = new BissMode;
    // Queued: the worker lives on its own thread. One row per request: the request, the job
    // slot that serves it, the worker's success signal and its summary slot, and the result.
    using Job = void (BissMode::*)(BissEntity*, QString, int);
    using Done = void (BissMode::*)(bool);
    using DoneSlot = void (BissControler::*)(bool);
    using Result = void (BissMode::*)(QString, bool, BissEntity*);
    using ResultSignal = void (BissControler::*)(QString, bool, BissEntity*);
    struct Wiring {
        RequestSignal request;
        Job job;
        Done done;
        DoneSlot doneSlot;
        Result result;
        ResultSignal resultSignal;
    };
    static const Wiring wiring[] = {
        {&BissControler::getMasterStatus, &BissMode::getMasterStatus,
         &BissMode::getMasterStatusIsSuccess, &BissControler::getMasterStatusIsSuccessSlot,
         &BissMode::getMasterStatusResult, &BissControler::getMasterStatusResult},
        {&BissControler::setMasterStatus, &BissMode::setMasterStatus,
         &BissMode::setMasterStatusIsSuccess, &BissControler::setMasterStatusIsSuccessSlot,
         &BissMode::setMasterStatusResult, &BissControler::setMasterStatusResult},
        {&BissControler::setBissSlaverEnable, &BissMode::setBissSlaverEnable,
         &BissMode::setBissSlaverEnableIsSuccess, &BissControler::setBissSlaverEnableIsSuccessSlot,
         nullptr, nullptr},
        {&BissControler::getSlaverStatus, &BissMode::getSlaverStatus,
         &BissMode::getSlaverStatusIsSuccess, &BissControler::getSlaverStatusIsSuccessSlot,
         &BissMode::getSlaverStatusResult, &BissControler::getSlaverStatusResult},
        {&BissControler::getSlaverData, &BissMode::getSlaverData, &BissMode::getSlaverDataIsSuccess,
         &BissControler::getSlaverDataIsSuccessSlot, &BissMode::getSlaverDataResult,
         &BissControler::getSlaverDataResult},
        {&BissControler::setSlaverStatus, &BissMode::setSlaverStatus,
         &BissMode::setSlaverStatusIsSuccess, &BissControler::setSlaverStatusIsSuccessSlot,
         &BissMode::setSlaverStatusResult, &BissControler::setSlaverStatusResult},
        {&BissControler::readSlaverRegedit, &BissMode::readSlaverRegedit,
         &BissMode::readSlaverRegeditIsSuccess, &BissControler::readSlaverRegeditIsSuccessSlot,
         &BissMode::readSlaverRegeditResult, &BissControler::readSlaverRegeditResult},
        {&BissControler::writeSlaverRegedit, &BissMode::writeSlaverRegedit,
         &BissMode::writeSlaverRegeditIsSuccess, &BissControler::writeSlaverRegeditIsSuccessSlot,
         &BissMode::writeSlaverRegeditResult, &BissControler::writeSlaverRegeditResult},
        {&BissControler::clearSlaverError, &BissMode::clearSlaverError,
         &BissMode::clearSlaverErrorIsSuccess, &BissControler::clearSlaverErrorIsSuccessSlot,
         &BissMode::clearSlaverErrorResult, &BissControler::clearSlaverErrorResult},
        {&BissControler::clearMasterError, &BissMode::clearMasterError,
         &BissMode::clearMasterErrorIsSuccess, &BissControler::clearMasterErrorIsSuccessSlot,
         &BissMode::clearMasterErrorResult, &BissControler::clearMasterErrorResult},
        {&BissControler::setResolutionPolePairs, &BissMode::setResolutionPolePairs,
         &BissMode::setResolutionPolePairsIsSuccess,
         &BissControler::setResolutionPolePairsIsSuccessSlot,
         &BissMode::setResolutionPolePairsResult, &BissControler::setResolutionPolePairsResult},
        {&BissControler::closeResolutionPolePairs, &BissMode::closeResolutionPolePairs,
         &BissMode::closeResolutionPolePairsIsSuccess,
         &BissControler::closeResolutionPolePairsIsSuccessSlot,
         &BissMode::closeResolutionPolePairsResult,
         &BissControler::closeResolutionPolePairsResult}};
    for (const Wiring& w : wiring) connect(this, w.request, worker, w.job);
    connect(worker, &BissMode::devicesTypeIsComp, this, &BissControler::devicesTypeIsCompSlot);
    for (const Wiring& w : wiring) connect(worker, w.done, this, w.doneSlot);
    for (const Wiring& w : wiring)
        if (w.result)
            connect(worker, w.result, this, w.resultSignal);
    // The only result without the entity.
    connect(worker, &BissMode::setBissSlaverEnableResult, this,
            &BissControler::setBissSlaverEnableResult);
    startWorker(worker);
}

void BissControler::queue(RequestSignal signal, BissEntity* bissEntity) {
    JobPort port;
    if (!bissEntity || !prepareJob(DevicesType::BiSS_Master, port))
        return;
    emit(this->*signal)(bissEntity, port.portText, port.baudRate);
}

void BissControler::summary(bool ok, const char* success, const char* failure) {
    emit bissResult(translated(ok ? success : failure), ok);
}

void BissControler::devicesTypeIsCompSlot(bool isComp, QString devicesType) {
    if (isComp)
        emit compResult(translated("设备类型匹配成功。"), true);
    else
        emit compResult(translated("设备类型匹配失败，请修改设备类型为：") + devicesType, false);
}

void BissControler::getMasterStatusSlot(BissEntity* e) {
    queue(&BissControler::getMasterStatus, e);
}
void BissControler::setMasterStatusSlot(BissEntity* e) {
    queue(&BissControler::setMasterStatus, e);
}
void BissControler::setBissSlaverEnableSlot(BissEntity* e) {
    queue(&BissControler::setBissSlaverEnable, e);
}
void BissControler::getSlaverStatusSlot(BissEntity* e) {
    queue(&BissControler::getSlaverStatus, e);
}
void BissControler::getSlaverDataSlot(BissEntity* e) {
    queue(&BissControler::getSlaverData, e);
}
void BissControler::setSlaverStatusSlot(BissEntity* e) {
    queue(&BissControler::setSlaverStatus, e);
}
void BissControler::readSlaverRegeditSlot(BissEntity* e) {
    queue(&BissControler::readSlaverRegedit, e);
}
void BissControler::writeSlaverRegeditSlot(BissEntity* e) {
    queue(&BissControler::writeSlaverRegedit, e);
}
void BissControler::clearSlaverErrorSlot(BissEntity* e) {
    queue(&BissControler::clearSlaverError, e);
}
void BissControler::clearMasterErrorSlot(BissEntity* e) {
    queue(&BissControler::clearMasterError, e);
}
void BissControler::setResolutionPolePairsSlot(BissEntity* e) {
    queue(&BissControler::setResolutionPolePairs, e);
}
void BissControler::closeResolutionPolePairsSlot(BissEntity* e) {
    queue(&BissControler::closeResolutionPolePairs, e);
}

void BissControler::setConfigArgementsSlot(BissEntity*) {
    // BiSS settings live on the devices, not in the configuration.
}

void BissControler::getConfigArgementsSlot() {
    emit getConfigArgementsResult(new BissEntity);
}

void BissControler::getMasterStatusIsSuccessSlot(bool ok) {
    if (!ok)
        ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
    summary(ok, "获取完毕。", "获取失败。");
}
void BissControler::setMasterStatusIsSuccessSlot(bool ok) {
    if (!ok)
        ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
    summary(ok, "设置完毕。", "设置失败。");
}
void BissControler::setBissSlaverEnableIsSuccessSlot(bool ok) {
    summary(ok, "设置完毕。", "设置失败。");
}
void BissControler::getSlaverStatusIsSuccessSlot(bool ok) {
    summary(ok, "获取完毕。", "获取失败。");
}
void BissControler::getSlaverDataIsSuccessSlot(bool ok) {
    summary(ok, "获取完毕。", "获取失败。");
}
void BissControler::setSlaverStatusIsSuccessSlot(bool ok) {
    summary(ok, "设置完毕，重新使能后切换通信模式。", "设置失败。");
}
void BissControler::readSlaverRegeditIsSuccessSlot(bool ok) {
    summary(ok, "读取完毕。", "读取失败。");
}
void BissControler::writeSlaverRegeditIsSuccessSlot(bool ok) {
    summary(ok, "写入完毕。", "写入失败。");
}
void BissControler::clearSlaverErrorIsSuccessSlot(bool ok) {
    summary(ok, "清除完毕。", "清除失败。");
}
void BissControler::clearMasterErrorIsSuccessSlot(bool ok) {
    summary(ok, "清除完毕。", "清除失败。");
}
void BissControler::setResolutionPolePairsIsSuccessSlot(bool ok) {
    summary(ok, "设置完毕。", "设置失败。");
}
void BissControler::closeResolutionPolePairsIsSuccessSlot(bool ok) {
    summary(ok, "读取完毕。", "读取失败。");
}
