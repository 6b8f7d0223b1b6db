// quelbrin-sim: plays one piece of equipment on a pseudo-terminal until stopped, scripted by its
// options the way the tests script the behaviours through their settings.
#include <csignal>
#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QMap>
#include <QStringList>
#include <QTextStream>

#include "bissmasterbehaviour.h"
#include "encoderbehaviour.h"
#include "identifyingbehaviour.h"
#include "rigbehaviour.h"
#include "simdevice.h"

namespace {
const char* const kUsage =
    "Usage: quelbrin-sim --device rig|encoder|biss [options]\n"
    "Prints the path of the port it serves, then runs until interrupted.\n"
    "Numbers may be written in hex with 0x; HEX is a byte string such as \"15 15\".\n"
    "\n"
    "Any device:\n"
    "  --type NAME           device type it reports (for example ZEK_MT6826S)\n"
    "  --status BOOT|NORMAL  boot loader or normal firmware (default NORMAL)\n"
    "  --version TEXT        firmware version in boot mode (default 0.02)\n"
    "  --refuse N            refuse the first N handshakes with 15\n"
    "  --delay MS            wait before every reply\n"
    "  --split N             write replies in pieces of N bytes\n"
    "  --silent              answer nothing\n"
    "  --garbage HEX         write these bytes instead of every reply\n"
    "  --truncate N          cut every reply to N bytes\n"
    "  --extra HEX           append these bytes to every reply\n"
    "  --vanish-after N      close the port once N commands were read\n"
    "\n"
    "Calibration rig (--device rig):\n"
    "  --encoder-type NAME|BYTE  encoder on the rig (default ZEK_ENCODER; others self-calibrate)\n"
    "  --verdict ok|bad      the rig's judgement at the end of a job (06 or 15)\n"
    "  --parameters ok|refuse|silent  answer to the parameter frame (06, 15 or nothing)\n"
    "  --self-calibration ok|failed   the encoder's own calibration verdict (C0 or 00)\n"
    "  --pace fast|visible   phases at once, or about a second each as in the program\n"
    "  --resolution BITS     bits per revolution of the angle readings (default 17)\n"
    "  --zero-angle N        raw counts reported after zeroing (default 16384)\n"
    "  --reported-speed RPM  speed in the self-calibration reply (default: the one sent)\n"
    "  --test-max-inl A,B,C,D  maximum INL reported for the four test runs\n"
    "  --seed N              seed of the error curves\n"
    "  --wrong-status-at K   send a wrong status byte at step K of a job, then stop\n"
    "  --wrong-status BYTE   that byte (default 5A)\n"
    "  --silent-from K       answer nothing from step K of a job on\n"
    "  --truncate-block K    cut data block K to half its length, then stop\n"
    "  --oversize-block K    append 16 stray bytes to data block K\n"
    "  --nan-block K         put an infinity and a NaN into data block K\n"
    "\n"
    "Encoder with boot loader (--device encoder):\n"
    "  --boot-delay MS       from the mode-switch frame to BOOT (default 500)\n"
    "  --stay-normal         ignore the mode-switch frame\n"
    "  --nak-packet K[,K]    answer the first arrival of packet K with NAK\n"
    "  --nak-always K        answer every arrival of packet K with NAK\n"
    "  --cancel-packet K[,K] answer packet K with CAN CAN, ending the reception\n"
    "  --silent-packet K[,K] answer the first arrival of packet K with nothing\n"
    "                        (K: block number, 0 for block 0, eot, or end)\n"
    "  --start-reply HEX|none  the answer to 'S' (default 43, a 'C')\n"
    "\n"
    "BiSS master (--device biss):\n"
    "  --slave ZEK_MT_BISS|FENOXA_BISS|ABSRESLOVER  the slave behind it (default ZEK_MT_BISS)\n"
    "  --link-mode RS485|BISS_C  the master's link mode (default: the slave's own mode)\n"
    "  --unplugged           no slave on the line\n"
    "  --supply on|off       slave supply at start (default on)\n"
    "  --fault none|cmd|crc|nodata|stream|write|read|busy|idl|N\n"
    "                        fault code every master status reports\n"
    "  --bits MULTI,SINGLE   multi-turn and single-turn bit counts (default 16,17)\n"
    "  --bit-count-status N  status byte of the bit-count reply (default 0)\n"
    "  --clear-echo BYTE     reply to the fault clear 0F (default 0F)\n"
    "  --bad-check K         spoil the last byte of the K-th reply\n"
    "  --speed RPM           shaft speed (default 12)\n"
    "  --voltage VOLTS       slave supply voltage, 0..3.3 (default 3.24)\n"
    "  --error-bits BYTE     BiSS-C error register (bits 0 angle, 1 multi-turn, 2 battery)\n"
    "  --warning-bits BYTE   BiSS-C warning register (bits 0 over-speed, 1 battery)\n"
    "  --status-bits BYTE    RS485 or resolver status byte of the data reply\n"
    "  --slave-id N          what the slave's ID register reports (default: its type)\n"
    "  --resolution L256|L1024|L4096|L16384  resolver resolution (default L4096)\n"
    "  --pole-pairs N        resolver pole pairs (default 4)\n";

enum DeviceMask { RigOnly = 1, EncoderOnly = 2, BissOnly = 4, AnyDevice = 7 };

struct OptionInfo {
    const char* name;
    bool takesValue;
    int devices;
};

constexpr OptionInfo kOptions[] = {
    {"--device", true, AnyDevice},
    {"--type", true, AnyDevice},
    {"--status", true, AnyDevice},
    {"--version", true, AnyDevice},
    {"--refuse", true, AnyDevice},
    {"--delay", true, AnyDevice},
    {"--split", true, AnyDevice},
    {"--silent", false, AnyDevice},
    {"--garbage", true, AnyDevice},
    {"--truncate", true, AnyDevice},
    {"--extra", true, AnyDevice},
    {"--vanish-after", true, AnyDevice},
    {"--encoder-type", true, RigOnly},
    {"--verdict", true, RigOnly},
    {"--parameters", true, RigOnly},
    {"--self-calibration", true, RigOnly},
    {"--pace", true, RigOnly},
    {"--resolution", true, RigOnly | BissOnly},
    {"--zero-angle", true, RigOnly},
    {"--reported-speed", true, RigOnly},
    {"--test-max-inl", true, RigOnly},
    {"--seed", true, RigOnly},
    {"--wrong-status-at", true, RigOnly},
    {"--wrong-status", true, RigOnly},
    {"--silent-from", true, RigOnly},
    {"--truncate-block", true, RigOnly},
    {"--oversize-block", true, RigOnly},
    {"--nan-block", true, RigOnly},
    {"--boot-delay", true, EncoderOnly},
    {"--stay-normal", false, EncoderOnly},
    {"--nak-packet", true, EncoderOnly},
    {"--nak-always", true, EncoderOnly},
    {"--cancel-packet", true, EncoderOnly},
    {"--silent-packet", true, EncoderOnly},
    {"--start-reply", true, EncoderOnly},
    {"--slave", true, BissOnly},
    {"--link-mode", true, BissOnly},
    {"--unplugged", false, BissOnly},
    {"--supply", true, BissOnly},
    {"--fault", true, BissOnly},
    {"--bits", true, BissOnly},
    {"--bit-count-status", true, BissOnly},
    {"--clear-echo", true, BissOnly},
    {"--bad-check", true, BissOnly},
    {"--speed", true, BissOnly},
    {"--voltage", true, BissOnly},
    {"--error-bits", true, BissOnly},
    {"--warning-bits", true, BissOnly},
    {"--status-bits", true, BissOnly},
    {"--slave-id", true, BissOnly},
    {"--pole-pairs", true, BissOnly},
};

const OptionInfo* findOption(const QString& name) {
    for (const OptionInfo& option : kOptions)
        if (name == QLatin1String(option.name))
            return &option;
    return nullptr;
}

// A usage error, carried to main() so it can print the message and exit 2.
struct UsageError {
    QString message;
};

// The command line as name -> value (flags map to an empty value); a later value wins.
class Arguments {
public:
    explicit Arguments(const QStringList& args) {
        for (int i = 0; i < args.size(); ++i) {
            QString name = args.at(i);
            QString value;
            const int eq = int(name.indexOf(QLatin1Char('=')));
            if (name.startsWith(QLatin1String("--")) && eq > 0) {
                value = name.mid(eq + 1);
                name.truncate(eq);
            }
            const OptionInfo* option = findOption(name);
            if (!option)
                throw UsageError{QStringLiteral("unknown option '%1'").arg(args.at(i))};
            if (option->takesValue && eq < 0) {
                if (i + 1 >= args.size())
                    throw UsageError{QStringLiteral("%1 needs a value").arg(name)};
                value = args.at(++i);
            } else if (!option->takesValue && eq > 0) {
                throw UsageError{QStringLiteral("%1 takes no value").arg(name)};
            }
            values.insert(name, value);
        }
    }

    bool has(const char* name) const { return values.contains(QLatin1String(name)); }
    QString value(const char* name) const { return values.value(QLatin1String(name)); }
    QStringList names() const { return values.keys(); }

private:
    QMap<QString, QString> values;
};

// Decimal, or hex with 0x (never octal: "010" is ten).
qint64 number(const QString& option, const QString& text, qint64 low, qint64 high) {
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 v = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                         ? t.mid(2).toLongLong(&ok, 16)
                         : t.toLongLong(&ok, 10);
    if (!ok || v < low || v > high)
        throw UsageError{QStringLiteral("%1 must be a number of %2..%3, not '%4'")
                             .arg(option)
                             .arg(low)
                             .arg(high)
                             .arg(text)};
    return v;
}

int intOf(const Arguments& a, const char* option, qint64 low, qint64 high) {
    return int(number(QLatin1String(option), a.value(option), low, high));
}

quint8 byteOf(const Arguments& a, const char* option) {
    return quint8(intOf(a, option, 0, 255));
}

double realOf(const Arguments& a, const char* option, double low, double high) {
    bool ok = false;
    const double v = a.value(option).trimmed().toDouble(&ok);
    if (!ok || v < low || v > high)
        throw UsageError{QStringLiteral("%1 must be a number of %2..%3, not '%4'")
                             .arg(QLatin1String(option))
                             .arg(low)
                             .arg(high)
                             .arg(a.value(option))};
    return v;
}

// One of the words given, as its index.
int choiceOf(const Arguments& a, const char* option, const QStringList& words) {
    const int i = int(words.indexOf(a.value(option)));
    if (i < 0)
        throw UsageError{
            QStringLiteral("%1 must be one of %2, not '%3'")
                .arg(QLatin1String(option), words.join(QLatin1Char('|')), a.value(option))};
    return i;
}

QByteArray hexOf(const Arguments& a, const char* option) {
    QString digits = a.value(option);
    digits.remove(QLatin1Char(' '));
    bool ok = !digits.isEmpty() && digits.size() % 2 == 0;
    for (const QChar c : digits) ok = ok && QStringLiteral("0123456789abcdefABCDEF").contains(c);
    if (!ok)
        throw UsageError{QStringLiteral("%1 must be hex bytes such as \"15 15\", not '%2'")
                             .arg(QLatin1String(option), a.value(option))};
    return QByteArray::fromHex(digits.toLatin1());
}

// The identity's settings; returns the faults of every reply, set outside the device's lock.
SimDevice::Faults applyCommon(const Arguments& a, IdentifyingBehaviour* identity) {
    if (a.has("--type")) {
        const int code = SimDevice::typeCode(a.value("--type"));
        if (code == 0)
            throw UsageError{QStringLiteral("unknown --type '%1'").arg(a.value("--type"))};
        identity->typeCode = quint8(code);
        identity->name = a.value("--type");
    }
    if (a.has("--status"))
        identity->status = choiceOf(a, "--status", {"BOOT", "NORMAL"}) == 0
                               ? IdentifyingBehaviour::kBoot
                               : IdentifyingBehaviour::kNormal;
    if (a.has("--version"))
        identity->version = a.value("--version");
    if (a.has("--refuse"))
        for (int i = intOf(a, "--refuse", 0, 1000); i > 0; --i) identity->handshakeReplies << 0x15;

    SimDevice::Faults faults;
    if (a.has("--delay"))
        faults.replyDelayMs = intOf(a, "--delay", 0, 600000);
    if (a.has("--split"))
        faults.splitChunk = intOf(a, "--split", 0, 65536);
    faults.silent = a.has("--silent");
    if (a.has("--garbage"))
        faults.garbage = hexOf(a, "--garbage");
    if (a.has("--truncate"))
        faults.truncateTo = intOf(a, "--truncate", 0, 65536);
    if (a.has("--extra"))
        faults.extraBytes = hexOf(a, "--extra");
    if (a.has("--vanish-after"))
        faults.vanishAfterCommands = intOf(a, "--vanish-after", 1, 1000000);
    return faults;
}

void applyRig(const Arguments& a, RigBehaviour& rig) {
    RigBehaviour::Settings& s = rig.settings;
    if (a.has("--encoder-type")) {
        // A name the equipment knows, or any byte to play an encoder the host does not know.
        const QString text = a.value("--encoder-type");
        const int code = SimDevice::typeCode(text);
        if (code != 0) {
            s.encoderType = quint8(code);
        } else if (!text.isEmpty() && text.at(0).isDigit()) {
            s.encoderType = byteOf(a, "--encoder-type");
        } else {
            throw UsageError{
                QStringLiteral("unknown --encoder-type '%1' (a type name such as ZEK_MT6826S, "
                               "or a byte)")
                    .arg(text)};
        }
    }
    if (a.has("--verdict"))
        s.verdict = choiceOf(a, "--verdict", {"ok", "bad"}) == 0 ? 0x06 : 0x15;
    if (a.has("--parameters")) {
        const quint8 replies[] = {0x06, 0x15, 0x00};
        s.parameterReply = replies[choiceOf(a, "--parameters", {"ok", "refuse", "silent"})];
    }
    if (a.has("--self-calibration"))
        s.selfCalibrationVerdict =
            choiceOf(a, "--self-calibration", {"ok", "failed"}) == 0 ? 0xC0 : 0x00;
    if (a.has("--pace")) {
        const RigBehaviour::Settings pace = choiceOf(a, "--pace", {"fast", "visible"}) == 0
                                                ? RigBehaviour::Settings()
                                                : RigBehaviour::visiblePace();
        s.phaseMs = pace.phaseMs;
        s.gapMs = pace.gapMs;
    }
    if (a.has("--resolution"))
        s.resolution = intOf(a, "--resolution", 1, 30);
    if (a.has("--zero-angle"))
        s.zeroAngle = quint32(number("--zero-angle", a.value("--zero-angle"), 0, 0xFFFFFFFF));
    if (a.has("--reported-speed"))
        s.reportedSpeed = quint32(intOf(a, "--reported-speed", 1, 1000000));
    if (a.has("--test-max-inl")) {
        const QStringList parts = a.value("--test-max-inl").split(QLatin1Char(','));
        s.testMaxInl.clear();
        for (const QString& part : parts) {
            bool ok = false;
            const float v = part.trimmed().toFloat(&ok);
            if (!ok || v < 0.0f)
                throw UsageError{QStringLiteral("--test-max-inl must be four degrees A,B,C,D")};
            s.testMaxInl << v;
        }
        if (s.testMaxInl.size() != 4)
            throw UsageError{QStringLiteral("--test-max-inl must be four degrees A,B,C,D")};
    }
    if (a.has("--seed"))
        s.seed = quint32(number("--seed", a.value("--seed"), 0, 0xFFFFFFFF));
    if (a.has("--wrong-status-at"))
        s.wrongStatusAt = intOf(a, "--wrong-status-at", 0, 100);
    if (a.has("--wrong-status"))
        s.wrongStatus = byteOf(a, "--wrong-status");
    if (a.has("--silent-from"))
        s.silentFrom = intOf(a, "--silent-from", 0, 100);
    if (a.has("--truncate-block"))
        s.truncateBlockAt = intOf(a, "--truncate-block", 0, 100);
    if (a.has("--oversize-block"))
        s.oversizeBlockAt = intOf(a, "--oversize-block", 0, 100);
    if (a.has("--nan-block"))
        s.nanBlockAt = intOf(a, "--nan-block", 0, 100);
}

// Packet keys of the boot loader's script: block numbers, or eot / end.
QList<int> packetsOf(const Arguments& a, const char* option) {
    QList<int> keys;
    for (const QString& part : a.value(option).split(QLatin1Char(','))) {
        if (part == QLatin1String("eot"))
            keys << EncoderBehaviour::kEotPacket;
        else if (part == QLatin1String("end"))
            keys << EncoderBehaviour::kEndPacket;
        else
            keys << int(number(QLatin1String(option), part, 0, 65535));
    }
    return keys;
}

void applyEncoder(const Arguments& a, EncoderBehaviour& encoder) {
    EncoderBehaviour::BootLoader& b = encoder.boot;
    if (a.has("--boot-delay"))
        b.bootDelayMs = intOf(a, "--boot-delay", 0, 600000);
    b.stayNormal = a.has("--stay-normal");
    if (a.has("--nak-packet"))
        for (int key : packetsOf(a, "--nak-packet")) b.replyAt.insert(key, QByteArray(1, 0x15));
    if (a.has("--silent-packet"))
        for (int key : packetsOf(a, "--silent-packet")) b.replyAt.insert(key, QByteArray());
    // Receivers cancel with at least two CAN bytes, so that one lost in noise is not taken.
    if (a.has("--cancel-packet"))
        for (int key : packetsOf(a, "--cancel-packet")) b.replyAt.insert(key, QByteArray(2, 0x18));
    if (a.has("--nak-always")) {
        const QList<int> keys = packetsOf(a, "--nak-always");
        if (keys.size() != 1)
            throw UsageError{QStringLiteral("--nak-always takes one packet")};
        b.nakAlwaysAt = keys.first();
    }
    if (a.has("--start-reply"))
        b.startReply = a.value("--start-reply") == QLatin1String("none")
                           ? QByteArray()
                           : hexOf(a, "--start-reply");
}

void applyBiss(const Arguments& a, BissMasterBehaviour& master) {
    BissMasterBehaviour::Slave& slave = master.slave;
    BissMasterBehaviour::Settings& s = master.settings;
    int type = slave.type;
    if (a.has("--slave")) {
        const int codes[] = {BissMasterBehaviour::kZekMtBiss, BissMasterBehaviour::kFenoxaBiss,
                             BissMasterBehaviour::kAbsResolver};
        type = codes[choiceOf(a, "--slave", {"ZEK_MT_BISS", "FENOXA_BISS", "ABSRESLOVER"})];
    }
    if (a.has("--resolution")) {
        // The resolver's codes: 1024 is 2 and 4096 is 1.
        const int codes[] = {0, 2, 1, 3};
        slave.resolutionCode =
            codes[choiceOf(a, "--resolution", {"L256", "L1024", "L4096", "L16384"})];
    }
    if (a.has("--pole-pairs"))
        slave.polePairs = intOf(a, "--pole-pairs", 1, 255);
    // Plugging resets the register file, so it comes after the pole pairs it records.
    master.plugSlave(type);
    // A master in the slave's own mode talks to it at once; a resolver speaks RS485 only.
    s.linkMode = slave.commMode;
    if (a.has("--link-mode"))
        s.linkMode = choiceOf(a, "--link-mode", {"RS485", "BISS_C"}) == 0
                         ? BissMasterBehaviour::kRs485
                         : BissMasterBehaviour::kBissC;
    slave.plugged = !a.has("--unplugged");
    if (a.has("--supply"))
        s.supplyOn = choiceOf(a, "--supply", {"on", "off"}) == 0;
    if (a.has("--fault")) {
        const QStringList names{"none",  "cmd",  "crc",  "nodata", "stream",
                                "write", "read", "busy", "idl"};
        const int named = int(names.indexOf(a.value("--fault")));
        s.reportedFault = named >= 0 ? named : byteOf(a, "--fault");
    }
    if (a.has("--bits")) {
        const QStringList parts = a.value("--bits").split(QLatin1Char(','));
        if (parts.size() != 2)
            throw UsageError{QStringLiteral("--bits must be MULTI,SINGLE")};
        s.multiTurnBits = int(number("--bits", parts.at(0), 0, 32));
        s.singleTurnBits = int(number("--bits", parts.at(1), 1, 32));
    }
    if (a.has("--bit-count-status"))
        s.bitCountStatus = byteOf(a, "--bit-count-status");
    if (a.has("--clear-echo"))
        s.clearFaultEcho = byteOf(a, "--clear-echo");
    if (a.has("--bad-check"))
        s.badCheckOnReply = intOf(a, "--bad-check", 1, 1000000);
    if (a.has("--speed"))
        slave.speedRpm = realOf(a, "--speed", -100000.0, 100000.0);
    if (a.has("--voltage"))
        slave.voltageRaw = quint8(qRound(realOf(a, "--voltage", 0.0, 3.3) * 255.0 / 3.3));
    if (a.has("--error-bits"))
        slave.errorBits = byteOf(a, "--error-bits");
    if (a.has("--warning-bits"))
        slave.warningBits = byteOf(a, "--warning-bits");
    if (a.has("--status-bits")) {
        // The data reply carries whichever of the two belongs to the slave's type.
        slave.rs485Status = slave.resolverStatus = byteOf(a, "--status-bits");
    }
    if (a.has("--slave-id"))
        slave.idCode = byteOf(a, "--slave-id");
}

int usage(const QString& message) {
    QTextStream(stderr) << "quelbrin-sim: " << message << "\n"
                        << "Try 'quelbrin-sim --help'.\n";
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

    SimDevice::Kind kind = SimDevice::Rig;
    std::unique_ptr<Arguments> options;
    try {
        options = std::make_unique<Arguments>(args);
        const QString device = options->value("--device");
        int mask = 0;
        if (device == QLatin1String("rig")) {
            kind = SimDevice::Rig;
            mask = RigOnly;
        } else if (device == QLatin1String("encoder")) {
            kind = SimDevice::Encoder;
            mask = EncoderOnly;
        } else if (device == QLatin1String("biss")) {
            kind = SimDevice::BissMaster;
            mask = BissOnly;
        } else {
            throw UsageError{QStringLiteral("--device must be rig, encoder or biss")};
        }
        for (const QString& name : options->names())
            if (!(findOption(name)->devices & mask))
                throw UsageError{
                    QStringLiteral("%1 does not apply to --device %2").arg(name, device)};
    } catch (const UsageError& error) {
        return usage(error.message);
    }

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
    try {
        SimDevice::Faults faults;
        {
            // Nobody has the port's path yet, but the lock costs nothing and keeps the rule.
            auto guard = sim.lock();
            faults = applyCommon(*options, sim.identity());
            if (kind == SimDevice::Rig)
                applyRig(*options, *static_cast<RigBehaviour*>(sim.behaviour()));
            else if (kind == SimDevice::Encoder)
                applyEncoder(*options, *static_cast<EncoderBehaviour*>(sim.behaviour()));
            else
                applyBiss(*options, *static_cast<BissMasterBehaviour*>(sim.behaviour()));
        }
        sim.setFaults(faults);
    } catch (const UsageError& error) {
        return usage(error.message);
    }

    std::printf("%s\n", sim.portPath().toLocal8Bit().constData());
    std::fflush(stdout);
    int received = 0;
    sigwait(&stopSignals, &received);
    return 0;
}
