// quelbrin-cli rig: the calibration rig's jobs (params, zero, calibrate, test) through the same
// controller as the calibration panels.
#pragma once

#include <QStringList>

class RigCommand {
public:
    // Exit codes beyond the shared ones: the job completed and the rig judged the encoder bad.
    static constexpr int kRejected = 3;

    static int run(const QStringList& args);
};
