#include "bisspolling.h"

#include <QTimer>

#include "bissentity.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "serialportbusy.h"
#include "settingswork.h"

BissPolling* BissPolling::attach(SettingsWork* work) {
    if (auto* existing = work->findChild<BissPolling*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new BissPolling(work);
}

BissPolling::BissPolling(SettingsWork* work)
    : QObject(work), work(work), retryTimer(new QTimer(this)) {
    connect(work->getDataTimer(), &QTimer::timeout, this, &BissPolling::dataPoll);
    connect(work->getStatusTimer(), &QTimer::timeout, this, &BissPolling::statusPoll);
    connect(retryTimer, &QTimer::timeout, this, &BissPolling::retry);
}

void BissPolling::startDataTimer() {
    QTimer* timer = work->getDataTimer();
    if (timer->isActive())
        return;
    timer->setInterval(200);
    timer->setSingleShot(false);
    timer->start();
}

bool BissPolling::portHeld() const {
    return SerialPortBusy::instance()->isOpen();
}

bool BissPolling::ready() const {
    DevicesType* types = DevicesType::instance();
    ConnectFlag* flags = ConnectFlag::instance();
    const int slave = types->getSlaveType();
    return types->getConnectedType() == DevicesType::BiSS_Master &&
           flags->getDeviceConnection() == ConnectFlag::CONNECTED &&
           DevicesStatus::instance()->getValue() == DevicesStatus::NORMAL &&
           slave != DevicesType::CALIBRATION && slave != DevicesType::BiSS_Master &&
           flags->getSlaveConnection() == ConnectFlag::CONNECTED &&
           work->getBissEntity()->getSlaveEnabled();
}

void BissPolling::dataPoll() {
    if (!ready() || !work->getBissEntity()->getContinuousRead()) {
        dataTickDue = false;
        return;
    }
    // An operator's click waiting for the port goes first; the tick follows it.
    if (portHeld() || !waiting.isEmpty()) {
        dataTickDue = true;
        retryTimer->start(retryMs);
        return;
    }
    dataTickDue = false;
    emit work->getSlaverDataSignal(work->getBissEntity());
}

void BissPolling::statusPoll() {
    // Silent: a status poll that finds the port busy waits for the next one.
    if (!portHeld() && waiting.isEmpty() && ready())
        emit work->getSlaverStatusSignal(work->getBissEntity());
}

void BissPolling::whenPortFree(QObject* owner, std::function<void()> action,
                               std::function<void()> refused) {
    if (!portHeld() && waiting.isEmpty()) {
        action();
        return;
    }
    waiting.append({owner, std::move(action), std::move(refused), QDeadlineTimer(clickWaitMs)});
    retryTimer->start(retryMs);
}

void BissPolling::retry() {
    // Clicks that waited too long are refused, in order, whatever the port does.
    while (!waiting.isEmpty() && waiting.first().deadline.hasExpired()) {
        const Waiting late = waiting.takeFirst();
        if (late.owner && late.refused)
            late.refused();
    }
    if (!portHeld()) {
        if (!waiting.isEmpty()) {
            // One at a time: the click's request takes the port, the next waits for it again.
            const Waiting next = waiting.takeFirst();
            if (next.owner)
                next.action();
        } else if (dataTickDue) {
            dataPoll();
        }
    }
    if (waiting.isEmpty() && !dataTickDue)
        retryTimer->stop();
}
