#include "controlerbase.h"

#include <QDebug>

#include "baidutranslate.h"
#include "devicestype.h"
#include "deviceworker.h"
#include "entitystore.h"
#include "serialportbusy.h"
#include "serialportentity.h"

ControlerBase::ControlerBase(QObject* parent) : QObject(parent) {}

ControlerBase::~ControlerBase() {
    stopWorker();
    // The thread has ended: nothing of the worker runs any more, so it can go from here. A
    // finished() -> deleteLater hook would never run: the thread's event loop is gone by then.
    delete baseWorker;
    SerialPortBusy::instance()->releaseAll(this);
}

void ControlerBase::stopWorker() {
    if (stopped || !baseWorker)
        return;
    stopped = true;
    qDebug() << baseWorker->getLines().deinit;
    thread.requestInterruption();
    thread.quit();
    if (!thread.wait(2000)) {
        // A job is still inside a write or a reader slice; both see the interruption within one
        // slice, so this wait is short. Destroying a running thread would crash.
        qDebug() << "waiting for the running job of" << baseWorker->getModeName() << "to stop";
        thread.wait();
    }
    qDebug() << baseWorker->getLines().end;
}

void ControlerBase::startWorker(DeviceWorker* worker) {
    baseWorker = worker;
    connect(worker, &DeviceWorker::msgSignal, this, &ControlerBase::msgSignal);
    connect(worker, &DeviceWorker::msgSignals, this, &ControlerBase::msgSignals);
    connect(worker, &DeviceWorker::setProgress, this, &ControlerBase::setProgress);
    // Queued after the request's results, so the claim is given back once they were delivered.
    connect(worker, &DeviceWorker::requestDone, this, &ControlerBase::requestDone);
    worker->moveToThread(&thread);
    thread.start();
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
