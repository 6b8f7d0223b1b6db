// The BiSS-C master adapter: its status and type requests are 0D and 0C instead of F1 and 92.
#pragma once

#include "identifyingbehaviour.h"

class BissMasterBehaviour : public IdentifyingBehaviour {
public:
    BissMasterBehaviour() : IdentifyingBehaviour(0xBF, QStringLiteral("BiSS_Master")) {
        statusRequest = 0x0D;
        normalModelRequest = 0x0C;
        normalModelEcho = 0x0C;
    }
};
