// Continuous acquisition against the simulated BiSS master (a separate quelbrin-sim process):
// prints the data requests achieved per second against the 5 per second the poll asks for, the
// median request round trip, and this program's CPU share of one core.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "diagnostics.h"
#include "bisscontroler.h"
#include "bissentity.h"
#include "bisspages.h"
#include "bissslavedatapage.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "entitystore.h"
#include "language.h"
#include "serialportentity.h"
#include "settingswork.h"

namespace {
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath("config");
    Language::instance()->setValue(Language::zh);

    QProcess sim;
    sim.start(QStringLiteral(QUELBRIN_SIM), {"--device", "biss"});
    if (!sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_biss: quelbrin-sim did not start\n");
        return 1;
    }
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    SerialPortEntity saved(nullptr, QStringLiteral("Simulated (%1)").arg(path), 115200);
    EntityStore::saveSerialPortEntity(&saved);
    DevicesStatus::instance()->setValue(DevicesStatus::NORMAL);

    registerBissPages();
    SettingsWork work;
    work.build({"BiSS调试"}, {{{"从机状态", "从机反馈数据"}}});
    BissControler controler;
    // The window's routing, as far as acquisition needs it.
    QObject::connect(&work, &SettingsWork::getMasterStatusSignal, &controler,
                     &BissControler::getMasterStatusSlot);
    QObject::connect(&work, &SettingsWork::getSlaverStatusSignal, &controler,
                     &BissControler::getSlaverStatusSlot);
    QObject::connect(&work, &SettingsWork::getSlaverDataSignal, &controler,
                     &BissControler::getSlaverDataSlot);
    QObject::connect(&controler, &BissControler::getMasterStatusResult, &work,
                     [&](QString, bool, BissEntity* e) { work.getMasterStatusSlot(e); });
    QObject::connect(&controler, &BissControler::getSlaverStatusResult, &work,
                     [&](QString, bool, BissEntity* e) { work.getSlaverStatusSlot(e); });

    QElapsedTimer wall;
    QElapsedTimer request;
    QList<double> roundTrips;
    int failures = 0;
    QObject::connect(&work, &SettingsWork::getSlaverDataSignal, [&] { request.start(); });
    QObject::connect(&controler, &BissControler::getSlaverDataResult, &work,
                     [&](QString, bool ok, BissEntity* e) {
                         if (wall.isValid())
                             roundTrips << request.nsecsElapsed() / 1e6;
                         if (!ok) {
                             ++failures;
                             e->setContinuousRead(false);
                         }
                         work.getSlaverDataSlot(e);
                     });

    // Master status, then slave status, as after a connect; then "连续获取".
    QEventLoop ready;
    QObject::connect(&controler, &BissControler::getSlaverStatusResult, &ready, &QEventLoop::quit);
    DevicesType::instance()->setConnectedType(DevicesType::BiSS_Master);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    emit work.getMasterStatusSignal(work.getBissEntity());
    QTimer::singleShot(200, &work, [&] { emit work.getSlaverStatusSignal(work.getBissEntity()); });
    ready.exec();

    auto* page = work.findChild<BissSlaveDataPage*>();
    const double cpuBefore = cpuSeconds();
    wall.start();
    // The claim of the status job is given back just after its result: click once it is.
    QTimer::singleShot(100, page, [page] { page->continuousBox->click(); });
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &app, &QApplication::quit);
    app.exec();
    const double elapsed = wall.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;

    std::sort(roundTrips.begin(), roundTrips.end());
    const double median = roundTrips.isEmpty() ? 0.0 : roundTrips.at(roundTrips.size() / 2);
    std::printf("continuous acquisition for %.1f s against quelbrin-sim (BiSS-C, ZEK_MT_BISS)\n",
                elapsed);
    std::printf("  data requests: %lld (%.2f per second; the poll asks for 5.00), %d failed\n",
                static_cast<long long>(roundTrips.size()), roundTrips.size() / elapsed, failures);
    std::printf("  median request round trip: %.2f ms\n", median);
    std::printf("  CPU of this program: %.2f s = %.2f %% of one core (goal: below 5 %%)\n", cpu,
                100.0 * cpu / elapsed);
    sim.terminate();
    sim.waitForFinished(2000);
    return 0;
}
