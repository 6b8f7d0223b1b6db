// The page lists of the job areas, as the navigation and the workspace show them: each group is
// its heading, then its pages (a heading alone gets no page in the workspace). Names translated.
#pragma once

#include <QList>
#include <QStringList>

namespace AreaPages {
QList<QStringList> calibration();
QList<QStringList> firmware();
QList<QStringList> iap();
QList<QStringList> biss();
}  // namespace AreaPages
