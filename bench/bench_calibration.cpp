// Prints the host's turnaround over full simulated calibrations (a rig reply's last byte
// received -> the host's next byte written), median and 90th percentile, the time from a result
// page's click to its painted charts for 256 and 2048 reference points, and the memory over 200
// openings of a result page.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
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
        QList<double> buildMs;
        QList<double> paintMs;
        QList<double> totalMs;
        QList<double> restMs;
        for (int i = 0; i < 10; ++i) {
            // As a click on a result page does: a new view, filled, then painted on screen.
            clock.restart();
            auto* view = new CalibrationWork;
            view->resize(1100, 640);
            view->showCalibrationCharts(n, phase.error, phase.coefficients, phase.maxInl,
                                        phase.lineOffset);
            const double built = double(clock.nsecsElapsed()) / 1e6;
            view->grab();  // renders the current tab's chart as the first paint does
            const double total = double(clock.nsecsElapsed()) / 1e6;
            buildMs << built;
            paintMs << total - built;
            totalMs << total;
            // The other three tabs, drawn when first shown.
            clock.restart();
            view->distributionChart();
            view->curveChart();
            view->fourierChart();
            restMs << double(clock.nsecsElapsed()) / 1e6;
            delete view;
        }
        std::printf(
            "result page, N = %d: build median %.2f ms, paint median %.2f ms, "
            "click to painted page median %.2f ms (90th percentile %.2f ms); "
            "the other three charts %.2f ms\n",
            n, percentile(buildMs, 0.5), percentile(paintMs, 0.5), percentile(totalMs, 0.5),
            percentile(totalMs, 0.9), percentile(restMs, 0.5));
    }

    // Memory over 200 openings and closings of a result page (2048 points), as the window
    // frees a closed view.
    const RigBehaviour::Phase phase = RigBehaviour::makePhase(2048, 1.0, 17, 7);
    auto residentMb = [] {
        QFile statm("/proc/self/statm");
        if (!statm.open(QIODevice::ReadOnly))
            return 0.0;
        const QList<QByteArray> fields = statm.readAll().split(' ');
        return fields.size() > 1 ? fields.at(1).toDouble() * 4096.0 / (1024.0 * 1024.0) : 0.0;
    };
    QTabWidget tabs;
    tabs.resize(1100, 640);
    tabs.show();
    const double before = residentMb();
    for (int i = 0; i < 200; ++i) {
        auto* view = new CalibrationWork;
        view->showCalibrationCharts(2048, phase.error, phase.coefficients, phase.maxInl,
                                    phase.lineOffset);
        tabs.setCurrentIndex(tabs.addTab(view, QStringLiteral("result")));
        app.processEvents();
        tabs.removeTab(tabs.indexOf(view));
        view->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::printf("200 result pages opened and closed: resident %.1f MB before, %.1f MB after\n",
                before, residentMb());
    return completed == runs ? 0 : 1;
}
