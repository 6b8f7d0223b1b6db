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
    // Queued: the worker lives on its own thread.
    connect(this, &BissControler::getMasterStatus, worker, &BissMode::getMasterStatus);
    connect(this, &BissControler::setMasterStatus, worker, &BissMode::setMasterStatus);
    connect(this, &BissControler::setBissSlaverEnable, worker, &BissMode::setBissSlaverEnable);
    connect(this, &BissControler::getSlaverStatus, worker, &BissMode::getSlaverStatus);
    connect(this, &BissControler::getSlaverData, worker, &BissMode::getSlaverData);
    connect(this, &BissControler::setSlaverStatus, worker, &BissMode::setSlaverStatus);
    connect(this, &BissControler::readSlaverRegedit, worker, &BissMode::readSlaverRegedit);
    connect(this, &BissControler::writeSlaverRegedit, worker, &BissMode::writeSlaverRegedit);
    connect(this, &BissControler::clearSlaverError, worker, &BissMode::clearSlaverError);
    connect(this, &BissControler::clearMasterError, worker, &BissMode::clearMasterError);
    connect(this, &BissControler::setResolutionPolePairs, worker,
            &BissMode::setResolutionPolePairs);
    connect(this, &BissControler::closeResolutionPolePairs, worker,
            &BissMode::closeResolutionPolePairs);

    connect(worker, &BissMode::devicesTypeIsComp, this, &BissControler::devicesTypeIsCompSlot);
    connect(worker, &BissMode::getMasterStatusIsSuccess, this,
            &BissControler::getMasterStatusIsSuccessSlot);
    connect(worker, &BissMode::setMasterStatusIsSuccess, this,
            &BissControler::setMasterStatusIsSuccessSlot);
    connect(worker, &BissMode::setBissSlaverEnableIsSuccess, this,
            &BissControler::setBissSlaverEnableIsSuccessSlot);
    connect(worker, &BissMode::getSlaverStatusIsSuccess, this,
            &BissControler::getSlaverStatusIsSuccessSlot);
    connect(worker, &BissMode::getSlaverDataIsSuccess, this,
            &BissControler::getSlaverDataIsSuccessSlot);
    connect(worker, &BissMode::setSlaverStatusIsSuccess, this,
            &BissControler::setSlaverStatusIsSuccessSlot);
    connect(worker, &BissMode::readSlaverRegeditIsSuccess, this,
            &BissControler::readSlaverRegeditIsSuccessSlot);
    connect(worker, &BissMode::writeSlaverRegeditIsSuccess, this,
            &BissControler::writeSlaverRegeditIsSuccessSlot);
    connect(worker, &BissMode::clearSlaverErrorIsSuccess, this,
            &BissControler::clearSlaverErrorIsSuccessSlot);
    connect(worker, &BissMode::clearMasterErrorIsSuccess, this,
            &BissControler::clearMasterErrorIsSuccessSlot);
    connect(worker, &BissMode::setResolutionPolePairsIsSuccess, this,
            &BissControler::setResolutionPolePairsIsSuccessSlot);
    connect(worker, &BissMode::closeResolutionPolePairsIsSuccess, this,
            &BissControler::closeResolutionPolePairsIsSuccessSlot);

    connect(worker, &BissMode::getMasterStatusResult, this, &BissControler::getMasterStatusResult);
    connect(worker, &BissMode::setMasterStatusResult, this, &BissControler::setMasterStatusResult);
    connect(worker, &BissMode::setBissSlaverEnableResult, this,
            &BissControler::setBissSlaverEnableResult);
    connect(worker, &BissMode::getSlaverStatusResult, this, &BissControler::getSlaverStatusResult);
    connect(worker, &BissMode::getSlaverDataResult, this, &BissControler::getSlaverDataResult);
    connect(worker, &BissMode::setSlaverStatusResult, this, &BissControler::setSlaverStatusResult);
    connect(worker, &BissMode::readSlaverRegeditResult, this,
            &BissControler::readSlaverRegeditResult);
    connect(worker, &BissMode::writeSlaverRegeditResult, this,
            &BissControler::writeSlaverRegeditResult);
    connect(worker, &BissMode::clearSlaverErrorResult, this,
            &BissControler::clearSlaverErrorResult);
    connect(worker, &BissMode::clearMasterErrorResult, this,
            &BissControler::clearMasterErrorResult);
    connect(worker, &BissMode::setResolutionPolePairsResult, this,
            &BissControler::setResolutionPolePairsResult);
    connect(worker, &BissMode::closeResolutionPolePairsResult, this,
            &BissControler::closeResolutionPolePairsResult);
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
