// Whether a job may start without the encoder's serial number: [Records] serialRequired in
// config.ini ("true" or "1" makes the serial required). Read where a job is started.
#pragma once

#include <QString>

#include "readconfig.h"

namespace SerialRequirement {
inline bool fromText(const QString& text) {
    const QString t = text.trimmed().toLower();
    return t == QLatin1String("true") || t == QLatin1String("1");
}
inline bool required() {
    return fromText(ReadConfig::readValue(QStringLiteral("Records"), QStringLiteral("serialRequired")));
}
}  // namespace SerialRequirement
