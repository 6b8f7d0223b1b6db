#include "controlerbase.h"

#include <QDebug>

#include "baidutranslate.h"
#include "devicestype.h"
#include "deviceworker.h"
#include "entitystore.h"
#include "serialportbusy.h"
#include "serialportentity.h"

ControlerBase::ControlerBase(QObject* parent) : QObject(parent), thread(new QThread) {}

ControlerBase::~ControlerBase() {
    if (!stopWorker() || abandoned) {
        // The job did not stop within the limit: its worker and thread are left to the end of
        // the process rather than destroyed under it.
        SerialPortBusy::instance()->releaseAll(this);
        return;
    }
    // The thread has ended: nothing of the worker runs any more, so it can go from here. A
    // finished() -> deleteLater hook would never run: the thread's event loop is gone by then.
    delete baseWorker;
    delete thread;
    SerialPortBusy::instance()->releaseAll(this);
}

bool ControlerBase::stopWorker() {
    if (stopped || !baseWorker)
        return !abandoned;
    stopped = true;
    qDebug() << baseWorker->getLines().deinit;
    thread->requestInterruption();
    thread->quit();
    // A job inside a write or a reader slice sees the interruption within one slice; a longer
    // wait is a job blocked elsewhere (a translation request), bounded by the limit.
    if (!thread->wait(qMax(stopLimitMs, 0))) {
        qWarning().noquote() << "the running job of" << baseWorker->getModeName()
                             << "did not stop within" << stopLimitMs << "ms; leaving it";
        abandoned = true;
        return false;
    }
    qDebug() << baseWorker->getLines().end;
    return true;
}

ControlerBase* ControlerBase::portHolder() {
    // Only controllers claim the port (claimPort), so the holder is one of them.
    return static_cast<ControlerBase*>(const_cast<void*>(SerialPortBusy::instance()->holder()));
}

QString ControlerBase::jobName() const {
    return baseWorker ? baseWorker->getModeName() : QString();
}

QString ControlerBase::stopConsequence() const {
    return QStringLiteral("设备上正在进行的操作将被中断。");
}

void ControlerBase::startWorker(DeviceWorker* worker) {
    baseWorker = worker;
    connect(worker, &DeviceWorker::msgSignal, this, &ControlerBase::msgSignal);
    connect(worker, &DeviceWorker::msgSignals, this, &ControlerBase::msgSignals);
    connect(worker, &DeviceWorker::setProgress, this, &ControlerBase::setProgress);
    // Queued after the request's results, so the claim is given back once they were delivered.
    connect(worker, &DeviceWorker::requestDone, this, &ControlerBase::requestDone);
    worker->moveToThread(thread);
    thread->start();
}

bool ControlerBase::claimPort() {
    if (SerialPortBusy::instance()->claim(this))
        return true;
    emit msgSignal(baseWorker ? baseWorker->getModeName() : QString(),
                   translated("串口正被其他任务占用，请等待当前任务结束。"));
    return false;
}

bool ControlerBase::prepareJob(int devicesType, JobPort& port) {
    if (!claimPort())
        return false;
    if (fixedPort) {
        port = jobPort;
    } else {
        // Read once, here: the job holds this port and baud rate for its whole run.
        SerialPortEntity* saved = EntityStore::loadSerialPortEntity(nullptr);
        port.portText = saved->getSerialPortNum();
        port.baudRate = saved->getBaudRate();
        delete saved;
    }
    // Loading the record also set connectedType from its stored name; the job's own type wins.
    if (devicesType >= 0)
        DevicesType::instance()->setConnectedType(devicesType);
    return true;
}

void ControlerBase::setJobPort(const QString& portText, int baudRate) {
    fixedPort = true;
    jobPort.portText = portText;
    jobPort.baudRate = baudRate;
}

void ControlerBase::requestDone() {
    SerialPortBusy::instance()->release(this);
}
