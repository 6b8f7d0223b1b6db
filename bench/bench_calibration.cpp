// Prints the host's turnaround over full simulated calibrations (a rig reply's last byte
// received -> the host's next byte written), median and 90th percentile, and the time to draw
// the four INL charts for 256 and 2048 reference points.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "diagnostics.h"
#include "calibrationentity.h"
#include "calibrationmode.h"
#include "calibrationwork.h"
#include "language.h"
#include "rigbehaviour.h"
#include "simdevice.h"

namespace {
double percentile(QList<double> values, double p) {
    if (values.isEmpty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const int index = std::min<int>(int(values.size()) - 1, int(std::ceil(p * values.size())) - 1);
    return values.at(std::max(0, index));
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QDir().mkpath("config");
    QFile config("config/config.ini");
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write("[Language]\nLanguageType=zh\n[ZEK_ENCODER]\nTargetInl=100\nResolution=17\n");
    config.close();
    Language::instance()->load();
    qSetMessagePattern(QString());
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    const int runs = 20;
    SimDevice rig(SimDevice::Rig);
    CalibrationMode worker;
    QList<double> turnaroundUs;
    QElapsedTimer clock;
    clock.start();
    int completed = 0;
    for (int i = 0; i < runs; ++i) {
        CalibrationEntity record(nullptr, 256, 2048, 0.1f);
        rig.clearRecords();
        worker.startCalibration(&record, rig.portPath(), 115200);
        completed += record.getInlCurves().value("FINAL").size() == 256 ? 1 : 0;
        for (const SimDevice::Turnaround& t : rig.turnarounds())
            turnaroundUs << double(t.nanoseconds) / 1000.0;
    }
    std::printf("calibrations: %d of %d complete, %.1f ms each (rig gaps included)\n", completed,
                runs, double(clock.elapsed()) / runs);
    std::printf("host turnaround over %d samples: median %.1f us, 90th percentile %.1f us\n",
                int(turnaroundUs.size()), percentile(turnaroundUs, 0.5),
                percentile(turnaroundUs, 0.9));

    for (int n : {256, 2048}) {
        const RigBehaviour::Phase phase = RigBehaviour::makePhase(n, 1.0, 17, 7);
        CalibrationWork view;
        view.resize(1100, 640);
        QList<double> ms;
        for (int i = 0; i < 10; ++i) {
            clock.restart();
            view.showCalibrationCharts(n, phase.error, phase.coefficients, phase.maxInl,
                                       phase.lineOffset);
            ms << double(clock.nsecsElapsed()) / 1e6;
        }
        std::printf("four charts, N = %d: median %.2f ms\n", n, percentile(ms, 0.5));
    }
    return completed == runs ? 0 : 1;
}
