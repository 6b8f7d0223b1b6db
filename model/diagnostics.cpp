#include "diagnostics.h"

#include <QLoggingCategory>

namespace Diagnostics {
QStringList configure(const QStringList& arguments) {
    QStringList rest = arguments;
    const bool verbose = rest.removeAll(QStringLiteral("--verbose")) > 0;
    // Rules from QT_LOGGING_RULES are applied after these, so a user's own rules still win.
    QLoggingCategory::setFilterRules(verbose ? QStringLiteral("default.debug=true")
                                             : QStringLiteral("default.debug=false"));
    return rest;
}
}  // namespace Diagnostics
