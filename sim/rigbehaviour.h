// The calibration rig: identifies itself as CALIBRATION (F9) in normal mode.
#pragma once

#include "identifyingbehaviour.h"

class RigBehaviour : public IdentifyingBehaviour {
public:
    RigBehaviour() : IdentifyingBehaviour(0xF9, QStringLiteral("CALIBRATION")) {}
};
