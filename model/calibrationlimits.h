// The values a calibration run may carry, in one table: the point counts and speeds the run
// pages offer and the 16-bit fields of the rig's parameter frame. The window, the command line
// and the configuration loader apply these same rules, so no front end sends what another
// would refuse.
#pragma once

#include <QList>
#include <QString>

class CalibrationLimits {
public:
    static constexpr int kMaxEncoderLine = 65535;
    static constexpr int kTestSpeedCount = 4;
    // Speeds travel as signed 16-bit fields; the rig turns forward only.
    static constexpr int kMaxSpeed = 32767;

    // Divisors of 2048 whose step lies between 1 and 22.5 degrees.
    static QList<int> pointCounts();
    // The rig speeds the pages list, in RPM, for the calibration and for every test run; a
    // stored speed outside the list but within range is valid and shown as it is.
    static QList<int> speeds();

    // Each returns the operator message (untranslated) when the value is refused, else empty.
    // A value of 0 means "not set" and keeps its own message.
    static QString pointNumProblem(qint64 value);
    static QString encoderLineProblem(qint64 value);
    static QString calibrationSpeedProblem(qint64 value);
    static QString testSpeedsProblem(const QList<qint64>& values);
    // The first problem of a whole parameter set, in the order of the pages.
    static QString problem(qint64 pointNum, qint64 encoderLine, qint64 calibrationSpeed,
                           const QList<qint64>& testSpeeds);
};
