// Debug output of both programs: off unless asked for with --verbose or QT_LOGGING_RULES;
// warnings always reach stderr.
#pragma once

#include <QStringList>

namespace Diagnostics {
// Applies the rule for this run and returns the arguments without --verbose.
QStringList configure(const QStringList& arguments);
}  // namespace Diagnostics
