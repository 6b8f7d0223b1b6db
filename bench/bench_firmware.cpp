// Prints, for a 60 KiB image sent into the simulated boot loader over a pseudo-terminal, the
// transfer time at 128 and 1024 bytes per packet and the host's turnaround (the boot loader's
// ACK written -> the next packet's first byte received): median and 90th percentile.
#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "diagnostics.h"
#include "encoderbehaviour.h"
#include "language.h"
#include "simdevice.h"
#include "ymodem.h"
#include "ymodemtransfer.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    Language::instance()->setValue(Language::zh);
    const QString path = dir.filePath("image.bin");
    QByteArray image(60 * 1024, '\0');
    for (int i = 0; i < image.size(); ++i) image[i] = char(i * 13);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
        return 1;
    file.close();

    for (int size : {128, 1024}) {
        SimDevice sim(std::make_unique<EncoderBehaviour>());
        auto* encoder = static_cast<EncoderBehaviour*>(sim.behaviour());
        encoder->status = IdentifyingBehaviour::kBoot;
        Ymodem link;
        if (!link.openSerialPort(sim.portPath(), 115200))
            return 1;
        YmodemTransfer transfer(&link);
        transfer.initialPacketWaitMs = 0;  // the fixed pause after block 0 is not the link's pace
        transfer.prepareFile(path, size);
        QElapsedTimer clock;
        clock.start();
        const bool ok = transfer.transferFile(transfer.image, "image.bin");
        const double seconds = clock.nsecsElapsed() / 1e9;
        link.closeSerialPort();
        QList<qint64> turns;
        for (const SimDevice::Turnaround& t : sim.turnarounds()) turns << t.nanoseconds;
        std::sort(turns.begin(), turns.end());
        const double median = turns.isEmpty() ? 0 : turns.at(turns.size() / 2) / 1e6;
        const double p90 = turns.isEmpty() ? 0 : turns.at(turns.size() * 9 / 10) / 1e6;
        bool same;
        {
            const auto guard = sim.lock();
            same = encoder->receivedImage == image;
        }
        std::printf(
            "%4d-byte packets: %s, %d packets, %.3f s (%.1f KiB/s); turnaround median "
            "%.3f ms, p90 %.3f ms (goal: median < 1 ms)\n",
            size, ok && same ? "ok" : "FAILED", transfer.packetCount, seconds, 60.0 / seconds,
            median, p90);
    }
    return 0;
}
