// State of the serial device link and of the BiSS slave behind the master.
#pragma once

#include <atomic>

#include <QObject>

#include "enumkeys.h"

class ConnectFlag : public QObject {
    Q_OBJECT
public:
    enum ConnectFlagEnum { CONNECTED = 0, DISCONNECTED = 1 };
    Q_ENUM(ConnectFlagEnum)
    QUELBRIN_ENUM_KEYS(ConnectFlagEnum)

    static ConnectFlag* instance();

    int getDeviceConnection() const { return deviceConnection.load(); }
    void setDeviceConnection(int value) { deviceConnection.store(value); }
    int getSlaveConnection() const { return slaveConnection.load(); }
    void setSlaveConnection(int value) { slaveConnection.store(value); }

private:
    ConnectFlag();
    std::atomic<int> deviceConnection{DISCONNECTED};
    std::atomic<int> slaveConnection{CONNECTED};
};
