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

BissPolling::BissPolling(SettingsWork* work) : QObject(work), work(work) {
    connect(work->getDataTimer(), &QTimer::timeout, this, &BissPolling::dataPoll);
    connect(work->getStatusTimer(), &QTimer::timeout, this, &BissPolling::statusPoll);
}

void BissPolling::startDataTimer() {
    QTimer* timer = work->getDataTimer();
    if (timer->isActive())
        return;
    timer->setInterval(200);
    timer->setSingleShot(false);
    timer->start();
}

bool BissPolling::ready() const {
    // Silent checks: a poll that finds the port busy or the link down just waits for the next.
    if (SerialPortBusy::instance()->isOpen())
        return false;
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
    if (ready() && work->getBissEntity()->getContinuousRead())
        emit work->getSlaverDataSignal(work->getBissEntity());
}

void BissPolling::statusPoll() {
    if (ready())
        emit work->getSlaverStatusSignal(work->getBissEntity());
}
