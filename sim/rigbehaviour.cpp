#include "rigbehaviour.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include <QtEndian>

namespace {
constexpr quint8 kAnnounceParameters = 0x7B;
constexpr quint8 kParameterLead = 0x55;
constexpr int kParameterFrameSize = 19;
constexpr quint8 kZero = 0xC2;
constexpr quint8 kCalibrate = 0xAB;
constexpr quint8 kTest = 0x44;
constexpr quint8 kStarted = 0xAB;
constexpr quint8 kRough = 0xCC;
constexpr quint8 kFine = 0xCA;
constexpr quint8 kVerify = 0xAD;
constexpr quint8 kZekEncoder = 0xFA;
constexpr double kPi = 3.14159265358979323846;

void appendFloat(QByteArray& bytes, float value) {
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    char le[4];
    qToLittleEndian<quint32>(bits, le);
    bytes.append(le, 4);
}

void appendWord(QByteArray& bytes, quint32 value) {
    char le[4];
    qToLittleEndian<quint32>(value, le);
    bytes.append(le, 4);
}
}  // namespace

RigBehaviour::Settings RigBehaviour::visiblePace() {
    Settings s;
    s.phaseMs = 900;
    s.gapMs = 15;
    return s;
}

RigBehaviour::RigBehaviour() : IdentifyingBehaviour(0xF9, QStringLiteral("CALIBRATION")) {}

int RigBehaviour::consume(const QByteArray& input, QList<QByteArray>& replies) {
    const int before = int(replies.size());
    pushed = 0;
    const int used = IdentifyingBehaviour::consume(input, replies);
    // Replies of the identification (handshake, status, type) go out at once.
    if (pushed == 0)
        for (int i = before; i < replies.size(); ++i) pauses.append(0);
    // Nobody takes the pauses when the device writes without asking: keep the list bounded.
    if (pauses.size() > 4096)
        pauses.erase(pauses.begin(), pauses.end() - 4096);
    return used;
}

int RigBehaviour::takePauseMs() {
    return pauses.isEmpty() ? 0 : pauses.takeFirst();
}

void RigBehaviour::send(QList<QByteArray>& replies, const QByteArray& bytes, int pauseMs) {
    replies << bytes;
    pauses << pauseMs;
    ++pushed;
}

RigBehaviour::Phase RigBehaviour::makePhase(int pointNum, double scale, int resolution,
                                            quint32 seed) {
    Phase phase;
    if (pointNum <= 0)
        return phase;
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> anyPhase(-kPi, kPi);
    std::normal_distribution<double> noise(0.0, 0.0015 * scale);
    const double base[4] = {0.040, 0.018, 0.010, 0.005};
    double amplitude[4];
    double shift[4];
    double sum = 0.0;
    for (int k = 0; k < 4; ++k) {
        amplitude[k] = base[k] * scale * (0.8 + 0.4 * (random() % 1000) / 1000.0);
        shift[k] = anyPhase(random);
        sum += amplitude[k];
        // The chart reads amplitude and phase back as sqrt(a^2 + b^2) and atan2(a, b).
        phase.coefficients << float(amplitude[k] * std::sin(shift[k]) * kPi / 180.0)
                           << float(amplitude[k] * std::cos(shift[k]) * kPi / 180.0);
    }
    // A mounting offset large enough to keep the first reading above 0 (no wrap to 360).
    const double mount = sum + 0.02 * scale + 0.01;
    const qint64 fullTurn = qint64(1) << qBound(0, resolution, 30);
    for (int i = 0; i < pointNum; ++i) {
        const double x = 360.0 * i / pointNum;
        double error = mount + noise(random);
        for (int k = 0; k < 4; ++k)
            error += amplitude[k] * std::sin((k + 1) * x * kPi / 180.0 + shift[k]);
        phase.error << float(error);
        const qint64 counts = std::llround((x + error) * double(fullTurn) / 360.0);
        const quint32 raw = quint32(((counts % fullTurn) + fullTurn) % fullTurn);
        phase.readings << raw;
    }
    double mean = 0.0;
    for (float e : phase.error) mean += e;
    mean /= pointNum;
    phase.lineOffset = float(mean);
    double worst = 0.0;
    for (float e : phase.error) worst = std::max(worst, std::abs(e - mean));
    phase.maxInl = float(worst);
    return phase;
}

QByteArray RigBehaviour::calibrationBlock(const Phase& phase) {
    QByteArray bytes;
    for (float e : phase.error) appendFloat(bytes, e);
    for (float c : phase.coefficients) appendFloat(bytes, c);
    appendFloat(bytes, phase.maxInl);
    appendFloat(bytes, phase.lineOffset);
    return bytes;
}

QByteArray RigBehaviour::inlBlock(const Phase& phase, float reportedMaxInl) {
    QByteArray bytes;
    for (quint32 raw : phase.readings) appendWord(bytes, raw);
    // The maximum INL of the readings as the host will see them (quantised to counts).
    const int n = int(phase.readings.size());
    const qint64 fullTurn = qint64(1) << qBound(0, settings.resolution, 30);
    QList<double> errors;
    double mean = 0.0;
    for (int i = 0; i < n; ++i) {
        errors << double(phase.readings.at(i)) * 360.0 / double(fullTurn) - 360.0 * i / n;
        mean += errors.last();
    }
    double worst = 0.0;
    if (n > 0) {
        mean /= n;
        for (double e : errors) worst = std::max(worst, std::abs(e - mean));
    }
    appendFloat(bytes, reportedMaxInl >= 0.0f ? reportedMaxInl : float(worst));
    return bytes;
}

QByteArray RigBehaviour::spoilBlock(QByteArray bytes) {
    if (block == settings.nanBlockAt && bytes.size() >= 8) {
        const float inf = std::numeric_limits<float>::infinity();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QByteArray head;
        appendFloat(head, inf);
        bytes.replace(0, 4, head);
        QByteArray tail;
        appendFloat(tail, nan);
        bytes.replace(bytes.size() - 4, 4, tail);
    }
    if (block == settings.oversizeBlockAt)
        bytes.append(QByteArray(16, char(0x3C)));
    if (block == settings.truncateBlockAt) {
        bytes.truncate(bytes.size() / 2);
        // A rig that stops mid-block sends nothing more in this job.
        stopped = true;
    }
    return bytes;
}

bool RigBehaviour::sendStatus(QList<QByteArray>& replies, quint8 status, const QByteArray& data) {
    if (stopped)
        return false;
    if (settings.silentFrom >= 0 && step >= settings.silentFrom) {
        stopped = true;
        return false;
    }
    if (step == settings.wrongStatusAt) {
        send(replies, QByteArray(1, char(settings.wrongStatus)), statusPause());
        stopped = true;
        ++step;
        return false;
    }
    send(replies, QByteArray(1, char(status)), statusPause());
    ++step;
    if (!data.isEmpty()) {
        // The host reads the status byte alone; the block follows after a gap.
        send(replies, spoilBlock(data), settings.gapMs);
        ++block;
    }
    return !stopped;
}

int RigBehaviour::statusPause() const {
    // Every status byte is read alone, like the block behind it: it never follows the previous
    // reply without a gap, even when the phase itself takes no time.
    return qMax(settings.phaseMs, settings.gapMs);
}

void RigBehaviour::verdictReply(QList<QByteArray>& replies) {
    if (stopped || (settings.silentFrom >= 0 && step >= settings.silentFrom))
        return;
    send(replies, QByteArray(1, char(settings.verdict)), settings.gapMs);
}

int RigBehaviour::consumeCommand(const QByteArray& input, QList<QByteArray>& replies) {
    const quint8 command = quint8(input.at(0));
    if (command == kAnnounceParameters) {
        send(replies, QByteArray(1, char(settings.encoderType)), 0);
        return 1;
    }
    if (command == kParameterLead) {
        if (input.size() < kParameterFrameSize)
            return 0;
        const QByteArray frame = input.left(kParameterFrameSize);
        parameterFrames << frame;
        const int points = qFromBigEndian<quint16>(frame.constData() + 7);
        if (points > 0)
            settings.pointNum = points;
        lastSpeed = quint32(qMax<qint16>(0, qFromBigEndian<qint16>(frame.constData() + 9)));
        if (settings.parameterReply != 0)
            send(replies, QByteArray(1, char(settings.parameterReply)), 0);
        return kParameterFrameSize;
    }
    if (command != kZero && command != kCalibrate && command != kTest)
        return 1;

    ++jobs;
    step = 0;
    block = 0;
    stopped = false;
    // Every job starts with the type code of the encoder on the rig.
    send(replies, QByteArray(1, char(settings.encoderType)), 0);
    const int n = settings.pointNum;
    const int bits = settings.resolution;
    const quint32 seed = settings.seed * 7919u + quint32(jobs) * 104729u;

    if (command == kZero) {
        QByteArray angle;
        appendWord(angle, settings.zeroAngle);
        if (sendStatus(replies, kZero, angle))
            verdictReply(replies);
        return 1;
    }
    if (command == kTest) {
        for (int run = 0; run < 4; ++run) {
            if (!sendStatus(replies, kTest, QByteArray()))
                return 1;
            const Phase phase = makePhase(n, 0.12 + 0.02 * run, bits, seed + quint32(run));
            if (!sendStatus(replies, kTest, inlBlock(phase, settings.testMaxInl.value(run, -1.0f))))
                return 1;
        }
        verdictReply(replies);
        return 1;
    }

    const Phase rough = makePhase(n, 1.0, bits, seed);
    const Phase fine = makePhase(n, 0.3, bits, seed + 1);
    const Phase final = makePhase(n, 0.1, bits, seed + 2);
    if (!sendStatus(replies, kStarted, QByteArray()))
        return 1;
    if (settings.encoderType == kZekEncoder) {
        if (sendStatus(replies, kRough, calibrationBlock(rough)) &&
            sendStatus(replies, kFine, calibrationBlock(fine)) &&
            sendStatus(replies, kVerify, calibrationBlock(final)))
            verdictReply(replies);
        return 1;
    }
    QByteArray speed;
    appendWord(speed, settings.reportedSpeed != 0 ? settings.reportedSpeed : lastSpeed);
    speed.append(char(settings.selfCalibrationVerdict));
    if (!sendStatus(replies, kRough, inlBlock(rough)) || !sendStatus(replies, kFine, speed))
        return 1;
    // An encoder that failed to calibrate itself ends the rig's run.
    if (settings.selfCalibrationVerdict != 0xC0)
        return 1;
    if (sendStatus(replies, kVerify, inlBlock(fine)) &&
        sendStatus(replies, kVerify, inlBlock(final)))
        verdictReply(replies);
    return 1;
}
