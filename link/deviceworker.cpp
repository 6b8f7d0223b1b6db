#include "deviceworker.h"

#include <QDebug>

#include "baidutranslate.h"
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

DeviceWorker::~DeviceWorker() = default;

void DeviceWorker::report(const QString& text) {
    emit msgSignal(modeName, translated(text));
}
