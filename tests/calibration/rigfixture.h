// The simulated rig on a pseudo-terminal, as the calibration tests use it, and the
// configuration its encoders need.
#pragma once

#include <QByteArray>
#include <QList>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

#include "chineseconfig.h"
#include "rigbehaviour.h"
#include "simdevice.h"

// Device models of the encoders the rig may carry: ZEK_ENCODER with a target INL of 0.1
// degree, ZEK_MT6826S (a self-calibrating type) likewise.
inline QByteArray rigConfig() {
    return chineseConfig() + QByteArrayLiteral(
                                 "[ZEK_ENCODER]\nTargetInl=100\nResolution=17\n"
                                 "[ZEK_MT6826S]\nTargetInl=100\nResolution=17\n"
                                 "[ZEK_MT6835G]\nTargetInl=100\nResolution=31\n"
                                 "[CalibrationEntity]\npointNum=256\nencoderLine=2048\n"
                                 "calibrationSpeed=1400\nmaxInl=0.1\n"
                                 "[CalibrationEntityList]\n1\\testSpeed=400\n2\\testSpeed=400\n"
                                 "3\\testSpeed=400\n4\\testSpeed=400\nsize=4\n");
}

class SimRig {
public:
    // The rig itself leaves a gap behind each status byte (its gapMs), so the host reads the
    // status byte alone, before the block behind it arrives.
    SimRig() : device(SimDevice::Rig) {}
    RigBehaviour* rig() const { return static_cast<RigBehaviour*>(device.behaviour()); }
    RigBehaviour::Settings& settings() const { return rig()->settings; }
    QString port() const { return QStringLiteral("Simulated rig (%1)").arg(device.portPath()); }

    SimDevice device;
};

inline QStringList texts(const QSignalSpy& spy, int column = 0) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(column).toString();
    return list;
}

inline QList<int> values(const QSignalSpy& spy) {
    QList<int> list;
    for (const QList<QVariant>& args : spy) list << args.at(0).toInt();
    return list;
}
