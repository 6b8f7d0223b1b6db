// Prints the time to draw and write the PDF report of a calibration and of a test with 256
// and 2048 reference points (median of several runs), and the size of the file.
#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "diagnostics.h"
#include "language.h"
#include "reportinput.h"
#include "reportwriter.h"
#include "rigbehaviour.h"

namespace {
// A run's record as the rig delivers it: a type-250 calibration (curves and coefficients of
// three phases, four charts each) or a test (four runs of measured angles, three charts each).
ReportInput input(int points, ReportInput::Job job) {
    ReportInput in;
    in.program = QStringLiteral("bench_report");
    in.station = QStringLiteral("bench");
    in.serial = QStringLiteral("SN-BENCH-0001");
    in.recordId = QStringLiteral("bench-record");
    in.runTime = QDateTime::currentDateTimeUtc();
    in.job = job;
    in.encoderType = 250;
    in.pointNum = points;
    in.encoderLine = 2048;
    in.calibrationSpeed = 1400;
    in.testSpeeds = {200, 1000, 1400, 400};
    in.targetInl = 0.1f;
    in.rigVerdict = true;
    const QStringList keys = ReportInput::phaseKeys(job);
    for (int i = 0; i < keys.size(); ++i) {
        const RigBehaviour::Phase phase = RigBehaviour::makePhase(points, 1.0 / (i + 1), 17, i + 1);
        if (job == ReportInput::Test) {
            QList<float> degrees;
            for (quint32 raw : phase.readings) degrees << float(raw * 360.0 / (1u << 17));
            in.inlCurves.insert(keys.at(i), degrees);
            in.testMaxInl << phase.maxInl;
        } else {
            in.inlCurves.insert(keys.at(i), phase.error);
            in.phaseCoefficients.insert(keys.at(i), phase.coefficients);
            in.phaseMaxInl.insert(keys.at(i), phase.maxInl);
            in.phaseLineOffset.insert(keys.at(i), phase.lineOffset);
        }
    }
    return in;
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
    config.write("[Language]\nLanguageType=zh\n");
    config.close();
    Language::instance()->load();
    // The first report loads the fonts; a station pays that once per program start.
    QElapsedTimer first;
    first.start();
    QString error;
    if (!ReportWriter::write(input(256, ReportInput::Calibration), "warm.pdf", &error))
        return std::fprintf(stderr, "bench_report: %s\n", qPrintable(error)), 1;
    std::printf("first report of the process (fonts loaded): %lld ms\n", first.elapsed());

    const int runs = 5;
    std::printf("%-12s %6s %6s %12s %12s %10s\n", "job", "points", "pages", "median ms", "max ms",
                "size KiB");
    for (ReportInput::Job job : {ReportInput::Calibration, ReportInput::Test}) {
        for (int points : {256, 2048}) {
            const ReportInput in = input(points, job);
            QList<qint64> times;
            int pages = 0;
            for (int r = 0; r < runs; ++r) {
                QElapsedTimer timer;
                timer.start();
                if (!ReportWriter::write(in, "report.pdf", &error, &pages))
                    return std::fprintf(stderr, "bench_report: %s\n", qPrintable(error)), 1;
                times << timer.elapsed();
            }
            std::sort(times.begin(), times.end());
            std::printf("%-12s %6d %6d %12lld %12lld %10.1f\n",
                        job == ReportInput::Test ? "test" : "calibration", points, pages,
                        times.at(runs / 2), times.last(),
                        double(QFileInfo("report.pdf").size()) / 1024.0);
        }
    }
    std::printf("goals: below 1000 ms and below 1024 KiB per report\n");
    return 0;
}
