#include "controlerbase.h"

#include "deviceworker.h"

ControlerBase::ControlerBase(QObject* parent) : QObject(parent) {}

ControlerBase::~ControlerBase() {
    if (!baseWorker)
        return;
    // The thread is joined before the worker is deleted. A finished() -> deleteLater hook would
    // never run here: the thread's event loop has ended by then.
    baseWorker->stopThread();
    delete baseWorker;
}

void ControlerBase::startWorker(DeviceWorker* worker) {
    baseWorker = worker;
    connect(worker, &DeviceWorker::msgSignal, this, &ControlerBase::msgSignal);
    connect(worker, &DeviceWorker::msgSignals, this, &ControlerBase::msgSignals);
    connect(worker, &DeviceWorker::setProgress, this, &ControlerBase::setProgress);
    worker->startThread();
}
