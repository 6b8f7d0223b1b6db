// An encoder: its normal firmware or, with status BOOT, its boot loader (model name and version).
#pragma once

#include "identifyingbehaviour.h"

class EncoderBehaviour : public IdentifyingBehaviour {
public:
    EncoderBehaviour() : IdentifyingBehaviour(0xFA, QStringLiteral("ZEK_ENCODER")) {}
};
