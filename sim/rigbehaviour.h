// The calibration rig: identifies itself as CALIBRATION (F9), takes the parameter frame, and
// zeroes, calibrates and tests the encoder on it with data that look like a real encoder's.
#pragma once

#include <QByteArray>
#include <QList>

#include "identifyingbehaviour.h"

class RigBehaviour : public IdentifyingBehaviour {
public:
    // What the rig does and how it misbehaves; change under SimDevice::lock() while a host
    // may be talking. Steps count the status bytes of one job from 0, blocks its data blocks.
    struct Settings {
        quint8 encoderType = 0xFA;     // type code of the encoder under test (FA = ZEK_ENCODER)
        quint8 parameterReply = 0x06;  // answer to the parameter frame: 15 refuses, 0 is silence
        quint8 verdict = 0x06;         // the rig's judgement after zero, calibration and test
        quint8 selfCalibrationVerdict = 0xC0;  // anything else: the encoder failed to calibrate
        quint32 reportedSpeed = 0;  // speed in the self-calibration reply; 0: the one sent
        quint32 zeroAngle = 16384;  // raw counts after zeroing
        int resolution = 17;        // bits per revolution of the raw angle readings
        int pointNum = 256;         // reference points until a parameter frame says otherwise
        QList<float> testMaxInl;    // maxima reported for the four test runs (empty: measured)

        int wrongStatusAt = -1;  // send wrongStatus instead of this step's status, then stop
        quint8 wrongStatus = 0x5A;
        int silentFrom = -1;       // answer nothing from this step on (the verdict included)
        int truncateBlockAt = -1;  // cut this block to half its length
        int oversizeBlockAt = -1;  // append 16 stray bytes to this block
        int nanBlockAt = -1;       // put a NaN and an infinity into this block

        // Pace: before each status byte the rig works for phaseMs; every further reply of a
        // command follows its predecessor after gapMs, so the host reads a status byte alone.
        int phaseMs = 0;
        int gapMs = 10;
        quint32 seed = 1;
    };

    // A short pace an operator can follow: phases of about a second.
    static Settings visiblePace();

    RigBehaviour();

    int consume(const QByteArray& input, QList<QByteArray>& replies) override;
    // The pause before the next reply written, one per reply in the order they were made.
    int takePauseMs() override;

    Settings settings;
    QList<QByteArray> parameterFrames;  // every parameter frame received
    int jobs = 0;                       // zero, calibration and test commands received

    // The data one phase of the rig produces: an error curve of four harmonics plus noise, the
    // coefficients of those harmonics, the best-line offset and maximum INL of the curve.
    struct Phase {
        QList<float> error;         // degrees, at points i * 360 / N
        QList<float> coefficients;  // (a, b) pairs in radians for harmonics 1..4
        float lineOffset = 0.0f;    // mean of the error: the best line is y = x + offset
        float maxInl = 0.0f;        // largest |error - offset|
        QList<quint32> readings;    // the encoder's angle at each point, raw counts
    };
    static Phase makePhase(int pointNum, double scale, int resolution, quint32 seed);

protected:
    int consumeCommand(const QByteArray& input, QList<QByteArray>& replies) override;

private:
    void send(QList<QByteArray>& replies, const QByteArray& bytes, int pauseMs);
    // A status byte and, if given, the block behind it; false once the job must end here.
    bool sendStatus(QList<QByteArray>& replies, quint8 status, const QByteArray& block);
    QByteArray calibrationBlock(const Phase& phase);
    QByteArray inlBlock(const Phase& phase, float reportedMaxInl = -1.0f);
    QByteArray spoilBlock(QByteArray block);
    void verdictReply(QList<QByteArray>& replies);
    int statusPause() const;

    QList<int> pauses;
    int pushed = 0;
    int step = 0;
    int block = 0;
    bool stopped = false;
    quint32 lastSpeed = 0;
};
