#include "bissentity.h"

#include "absresloverresolution.h"
#include "bisserrorandwrring.h"
#include "bisstransformmode.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"

BissEntity::BissEntity(QObject* parent, const QString& masterTransformMode,
                       const QString& slaveTransformMode, int multiTurnBits, int singleTurnBits,
                       bool slaveEnabled, int multiTurnValue, int singleTurnValue, bool warningFree,
                       bool errorFree, int registerAddress, int registerValue, bool saveToEeprom,
                       float voltage, bool masterNormalMode, bool continuousRead,
                       const QString& resolution, int polePairs)
    : QObject(parent),
      devicesStatus(DevicesStatus::instance()),
      devicesType(DevicesType::instance()),
      connectFlag(ConnectFlag::instance()),
      bissTransformMode(BissTransformMode::instance()),
      bissErrorAndWrring(BissErrorAndWrring::instance()),
      absResloverResolution(AbsResloverResolution::instance()),
      masterTransformMode(masterTransformMode),
      multiTurnBits(multiTurnBits),
      singleTurnBits(singleTurnBits),
      slaveEnabled(slaveEnabled),
      masterNormalMode(masterNormalMode),
      slaveTransformMode(slaveTransformMode),
      multiTurnValue(multiTurnValue),
      singleTurnValue(singleTurnValue),
      voltage(voltage),
      warningFree(warningFree),
      errorFree(errorFree),
      registerAddress(registerAddress),
      registerValue(registerValue),
      saveToEeprom(saveToEeprom),
      continuousRead(continuousRead),
      resolution(resolution),
      polePairs(polePairs) {}
