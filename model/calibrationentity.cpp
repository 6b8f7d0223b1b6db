#include "calibrationentity.h"

#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"

CalibrationEntity::CalibrationEntity(QObject* parent, int pointNum, int encoderLine, float maxInl,
                                     int encoderType)
    : QObject(parent),
      devicesStatus(DevicesStatus::instance()),
      devicesType(DevicesType::instance()),
      connectFlag(ConnectFlag::instance()),
      pointNum(pointNum),
      encoderLine(encoderLine),
      maxInl(maxInl),
      encoderType(encoderType) {
    for (const char* phase : {"ROUGH", "FINE", "FINAL", "FIRST", "SECOND", "THIRD", "FOURTH"})
        inlCurves.insert(QString::fromLatin1(phase), QList<float>());
}
