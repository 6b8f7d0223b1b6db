#include "deviceworker.h"

#include <QDebug>

#include "readconfig.h"
#include "ymodem.h"

DeviceWorker::DeviceWorker(const QString& modeName, const Lines& lines, bool withLink)
    : readConfig(new ReadConfig(this)), modeName(modeName), lines(lines) {
    qDebug() << lines.init;
    if (withLink) {
        ymodem = new Ymodem(this);
        connect(ymodem, &Ymodem::msgSignal, this,
                [this](const QString& msg) { emit msgSignal(this->modeName, msg); });
        connect(ymodem, &Ymodem::msgSignals, this,
                [this](const QString& msg, int arg) { emit msgSignals(this->modeName, msg, arg); });
        connect(ymodem, &Ymodem::setProgress, this, &DeviceWorker::setProgress);
    }
}

DeviceWorker::~DeviceWorker() {
    stopThread();
}

void DeviceWorker::startThread() {
    if (jobThread.isRunning())
        return;
    moveToThread(&jobThread);
    jobThread.start();
}

void DeviceWorker::stopThread() {
    if (stopped)
        return;
    stopped = true;
    qDebug() << lines.deinit;
    jobThread.requestInterruption();
    jobThread.quit();
    if (!jobThread.wait(2000)) {
        // A job is still inside a write or a reader slice; the readers see the interruption
        // within one slice, so this wait is short. Destroying a running thread would crash.
        qDebug() << "waiting for the running job of" << modeName << "to stop";
        jobThread.wait();
    }
    qDebug() << lines.end;
}
