#include "serialportentity.h"

#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "encodercaxis.h"

SerialPortEntity::SerialPortEntity(QObject* parent, const QString& serialPortNum, int baudRate)
    : QObject(parent),
      devicesType(DevicesType::instance()),
      devicesStatus(DevicesStatus::instance()),
      connectFlag(ConnectFlag::instance()),
      encoderCaxis(EncoderCaxis::instance()),
      SerialPortNum(serialPortNum),
      BaudRate(baudRate) {}
