// Prints (a) the CPU a reply reader burns while waiting out its deadline on a silent device,
// and (b) the median time from a device's reply to the link's next write during a connect.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "diagnostics.h"
#include "devicestype.h"
#include "language.h"
#include "simdevice.h"
#include "ymodem.h"

namespace {
double threadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    const int connects = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    Language::instance()->setValue(Language::zh);
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);

    {
        SimDevice rig(SimDevice::Rig);
        SimDevice::Faults faults;
        faults.silent = true;
        rig.setFaults(faults);
        Ymodem link;
        link.openSerialPort(rig.portPath(), 115200);
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = threadCpuSeconds();
        link.readByte();
        const double cpu = threadCpuSeconds() - cpuBefore;
        const double seconds = wall.nsecsElapsed() / 1e9;
        link.closeSerialPort();
        std::printf("silent wait: %.3f s wall, %.4f s CPU, CPU share %.3f %% (goal < 1 %%)\n",
                    seconds, cpu, 100.0 * cpu / seconds);
    }

    {
        SimDevice rig(SimDevice::Rig);
        Ymodem link;
        int ok = 0;
        for (int i = 0; i < connects; ++i) {
            int type = 0;
            ok += link.connectDevice(type, rig.portPath(), 115200, 0) ? 1 : 0;
        }
        QList<qint64> ns;
        for (const SimDevice::Turnaround& t : rig.turnarounds()) ns << t.nanoseconds;
        std::sort(ns.begin(), ns.end());
        if (ns.isEmpty()) {
            std::printf("reply-to-next-write: no samples\n");
            return 1;
        }
        const double median = ns.at(ns.size() / 2) / 1000.0;
        const double p90 = ns.at(ns.size() * 9 / 10) / 1000.0;
        std::printf(
            "reply-to-next-write over %d connects (%d ok, %lld samples): median %.1f us, "
            "90th percentile %.1f us (goal: median < 1000 us)\n",
            connects, ok, static_cast<long long>(ns.size()), median, p90);
    }
    return 0;
}
