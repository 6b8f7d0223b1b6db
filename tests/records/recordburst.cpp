// Writes calibration records into a records file as fast as it can, printing the count after
// each commit, until it is killed: the far side of the kill -9 test.
#include <cstdio>

#include <QCoreApplication>
#include <QJsonArray>

#include "recordstore.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    RecordStore store;
    if (!store.openLocal(QString::fromLocal8Bit(argv[1])))
        return 1;
    QJsonArray curve;
    for (int i = 0; i < 256; ++i) curve.append(i * 0.001);
    for (int n = 1;; ++n) {
        ProductionRecord r = ProductionRecord::begin(QStringLiteral("calibrate"));
        r.serial = QStringLiteral("BURST-%1").arg(n);
        r.outcome = QStringLiteral("good");
        for (const char* key : {"ROUGH", "FINE", "FINAL", "FIRST", "SECOND", "THIRD", "FOURTH"}) {
            QJsonObject curves = r.details.value("inlCurves").toObject();
            curves.insert(QLatin1String(key), curve);
            r.details.insert("inlCurves", curves);
        }
        if (!store.insert(r))
            return 1;
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
}
