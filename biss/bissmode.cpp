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
      commands(getYmodem()) {}

bool BissMode::serve(int op, const char* name, BissEntity* entity, const QString& portName,
                     int baudRate) {
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    const QString dashes(71, QLatin1Char('-'));
    emit msgSignal(kMode, dashes);
    emit msgSignal(kMode, dashes);
    emit msgSignal(kMode, translated(QStringLiteral(" ") + QString::fromUtf8(name)));
    emit msgSignal(kMode, dashes);
    emit msgSignal(kMode, dashes);
    return commands.runJob(op, entity, portName, baudRate);
}

void BissMode::getMasterStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    qDebug() << "Current thread:" << QThread::currentThread();
    qDebug() << "Expected thread:" << thread();
    const bool ok =
        serve(BissCommands::GetMasterStatus, "获取Master状态", bissEntity, portName, baudRate);
    emit getMasterStatusResult(text(ok, "获取Master成功。", "获取Master失败。"), ok, bissEntity);
    emit getMasterStatusIsSuccess(ok);
}

void BissMode::setMasterStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissCommands::SetMasterParameters, "设置Master状态", bissEntity, portName, baudRate);
    emit setMasterStatusResult(text(ok, "设置Master成功。", "设置Master失败。"), ok, bissEntity);
    emit setMasterStatusIsSuccess(ok);
}

void BissMode::setBissSlaverEnable(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissCommands::SetSlaveEnable, "设置BiSS从机使能", bissEntity, portName, baudRate);
    // The panel flipped slaveEnabled before asking; a failed switch leaves the supply as it was.
    if (!ok && bissEntity)
        bissEntity->setSlaveEnabled(!bissEntity->getSlaveEnabled());
    emit setBissSlaverEnableResult(
        text(ok, "设置BiSS从机使能状态成功。", "设置BiSS从机使能状态失败。"), ok);
    emit setBissSlaverEnableIsSuccess(ok);
}

void BissMode::getSlaverStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissCommands::GetSlaveStatus, "获取BiSS从机状态", bissEntity, portName, baudRate);
    emit getSlaverStatusResult(text(ok, "获取BiSS从机状态成功。", "获取BiSS从机状态失败。"), ok,
                               bissEntity);
    emit getSlaverStatusIsSuccess(ok);
}

void BissMode::getSlaverData(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissCommands::GetSlaveData, "获取BiSS从机数据", bissEntity, portName, baudRate);
    emit getSlaverDataResult(text(ok, "获取BiSS从机数据成功。", "获取BiSS从机数据失败。"), ok,
                             bissEntity);
    emit getSlaverDataIsSuccess(ok);
}

void BissMode::setSlaverStatus(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissCommands::SetSlaveCommMode, "设置BiSS从机状态", bissEntity, portName, baudRate);
    emit setSlaverStatusResult(
        text(ok, "设置BiSS从机状态成功。重新使能后生效！！", "设置BiSS从机状态失败。"), ok,
        bissEntity);
    emit setSlaverStatusIsSuccess(ok);
}

void BissMode::readSlaverRegedit(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok = serve(BissCommands::ReadSlaveRegister, "读取BiSS从机寄存器", bissEntity,
                          portName, baudRate);
    emit readSlaverRegeditResult(text(ok, "读取BiSS从机寄存器成功。", "读取BiSS从机寄存器失败。"),
                                 ok, bissEntity);
    emit readSlaverRegeditIsSuccess(ok);
}

void BissMode::writeSlaverRegedit(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok = serve(BissCommands::WriteSlaveRegister, "写入BiSS从机寄存器", bissEntity,
                          portName, baudRate);
    emit writeSlaverRegeditResult(text(ok, "写入BiSS从机寄存器成功。", "写入BiSS从机寄存器失败。"),
                                  ok, bissEntity);
    emit writeSlaverRegeditIsSuccess(ok);
}

void BissMode::clearSlaverError(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissCommands::ClearSlaveFault, "清除BiSS从机错误", bissEntity, portName, baudRate);
    emit clearSlaverErrorResult(text(ok, "清除BiSS从机错误成功。", "清除BiSS从机错误失败。"), ok,
                                bissEntity);
    emit clearSlaverErrorIsSuccess(ok);
}

void BissMode::clearMasterError(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok =
        serve(BissCommands::ClearMasterFault, "清除BiSS主机错误", bissEntity, portName, baudRate);
    emit clearMasterErrorResult(text(ok, "清除BiSS主机错误成功", "清除BiSS主机错误失败"), ok,
                                bissEntity);
    emit clearMasterErrorIsSuccess(ok);
}

void BissMode::setResolutionPolePairs(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok = serve(BissCommands::WriteResolution, "设置旋变分辨率与极对数", bissEntity,
                          portName, baudRate);
    emit setResolutionPolePairsResult(text(ok, "设置分辨率与极对数成功", "设置分辨率与极对数失败"),
                                      ok, bissEntity);
    emit setResolutionPolePairsIsSuccess(ok);
}

void BissMode::closeResolutionPolePairs(BissEntity* bissEntity, QString portName, int baudRate) {
    Request request(this);
    const bool ok = serve(BissCommands::ReadResolution, "读取旋变分辨率与极对数，关闭霍尔输出",
                          bissEntity, portName, baudRate);
    emit closeResolutionPolePairsResult(
        text(ok, "读取分辨率与极对数成功，重启后关闭霍尔输出", "读取分辨率与极对数失败"), ok,
        bissEntity);
    emit closeResolutionPolePairsIsSuccess(ok);
}
