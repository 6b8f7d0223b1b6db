// quelbrin-sim: plays one piece of equipment on a pseudo-terminal until stopped.
#include <csignal>
#include <cstdio>

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include "identifyingbehaviour.h"
#include "simdevice.h"

namespace {
const char* const kUsage =
    "Usage: quelbrin-sim --device rig|encoder|biss [options]\n"
    "  --type NAME        device type the equipment reports (for example ZEK_MT6826S)\n"
    "  --status BOOT|NORMAL  boot loader or normal firmware (default NORMAL)\n"
    "  --version TEXT     firmware version in boot mode (default 0.02)\n"
    "  --delay MS         wait before every reply\n"
    "  --refuse N         refuse the first N handshakes with 15\n"
    "  --split N          write replies in pieces of N bytes\n"
    "  --silent           answer nothing\n"
    "Prints the path of the port it serves, then runs until interrupted.\n";

int usage(const QString& message) {
    QTextStream(stderr) << "quelbrin-sim: " << message << "\n" << kUsage;
    return 2;
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.contains("--help") || args.contains("-h")) {
        QTextStream(stdout) << kUsage;
        return 0;
    }
    auto valueOf = [&](const QString& option) {
        const int i = args.indexOf(option);
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : QString();
    };

    const QString device = valueOf("--device");
    SimDevice::Kind kind;
    if (device == "rig")
        kind = SimDevice::Rig;
    else if (device == "encoder")
        kind = SimDevice::Encoder;
    else if (device == "biss")
        kind = SimDevice::BissMaster;
    else
        return usage(QStringLiteral("--device must be rig, encoder or biss"));

    // Signals are taken by sigwait below, never by the simulator's thread.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SimDevice sim(kind);
    if (!sim.isValid()) {
        QTextStream(stderr) << "quelbrin-sim: cannot open a pseudo-terminal\n";
        return 1;
    }
    IdentifyingBehaviour* identity = sim.identity();
    if (!valueOf("--type").isEmpty()) {
        const int code = SimDevice::typeCode(valueOf("--type"));
        if (code == 0)
            return usage(QStringLiteral("unknown --type '%1'").arg(valueOf("--type")));
        identity->typeCode = quint8(code);
        identity->name = valueOf("--type");
    }
    const QString status = valueOf("--status");
    if (status == "BOOT")
        identity->status = IdentifyingBehaviour::kBoot;
    else if (!status.isEmpty() && status != "NORMAL")
        return usage("--status must be BOOT or NORMAL");
    if (!valueOf("--version").isEmpty())
        identity->version = valueOf("--version");
    for (int i = 0; i < valueOf("--refuse").toInt(); ++i) identity->handshakeReplies << 0x15;

    SimDevice::Faults faults;
    faults.replyDelayMs = valueOf("--delay").toInt();
    faults.splitChunk = valueOf("--split").toInt();
    faults.silent = args.contains("--silent");
    sim.setFaults(faults);

    std::printf("%s\n", sim.portPath().toLocal8Bit().constData());
    std::fflush(stdout);
    int received = 0;
    sigwait(&stopSignals, &received);
    return 0;
}
