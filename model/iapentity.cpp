#include "iapentity.h"

#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "transformways.h"

IapEntity::IapEntity(QObject* parent, const QString& /*devicesName*/, const QString& transformName,
                     const QString& caxisName, const QString& firmwarePath)
    : QObject(parent),
      devicesType(DevicesType::instance()),
      devicesStatus(DevicesStatus::instance()),
      connectFlag(ConnectFlag::instance()),
      encoderCaxis(EncoderCaxis::instance()),
      transformWays(TransformWays::instance()),
      devicesName(devicesType->connectedKey()),
      transformName(transformName),
      caxisName(caxisName),
      firmwarePath(firmwarePath) {}
