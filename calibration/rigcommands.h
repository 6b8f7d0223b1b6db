// The calibration rig's jobs over the device link: parameters, zeroing, calibration and the INL
// tests, with the phase loops and data blocks that only the rig sends.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

class Ymodem;

class RigCommands {
public:
    // Command bytes the host sends.
    static constexpr quint8 kAnnounceParameters = 0x7B;
    static constexpr quint8 kParameterLead = 0x55;
    static constexpr quint8 kZero = 0xC2;
    static constexpr quint8 kCalibrate = 0xAB;
    static constexpr quint8 kTest = 0x44;
    // Status bytes the rig sends during a calibration or a test.
    static constexpr quint8 kStatusStarted = 0xAB;
    static constexpr quint8 kStatusRough = 0xCC;
    static constexpr quint8 kStatusFine = 0xCA;
    static constexpr quint8 kStatusVerify = 0xAD;
    static constexpr quint8 kStatusTestStep = 0x44;
    // Fifth byte of the speed-and-verdict reply when the encoder calibrated itself.
    static constexpr quint8 kSelfCalibrated = 0xC0;
    // The one encoder type whose calibration the rig runs itself and reports as error curves.
    static constexpr int kZekEncoder = 250;
    static constexpr int kParameterFrameSize = 19;
    static constexpr int kNormalTimeoutMs = 3000;

    using CurveMap = QMap<QString, QList<float>>;
    using ValueMap = QMap<QString, float>;

    explicit RigCommands(Ymodem* link);

    // How long the rig may take for each kind of status byte (and the block behind it). The rig
    // runs its calibration between the second and the third status, and each test run before
    // its status. Tests shorten these; each deadline holds only inside its own loop.
    int firstStatusTimeoutMs = 34000;
    int statusTimeoutMs = 10000;
    int selfCalibrationTimeoutMs = 50000;
    int testStepTimeoutMs = 50000;

    static QByteArray parameterFrame(float targetInl, quint16 encoderLine, quint16 pointNum,
                                     qint16 calibrationSpeed, const QList<qint16>& testSpeed);
    // degrees = raw * 360 / 2^R, R within 0..30.
    static float rawToDegrees(quint32 raw, int resolution);
    // The device model of a type code: TargetInl / 1000 (0 when missing) and Resolution.
    static float targetInl(int typeCode);
    static int resolution(int typeCode);
    static bool resolutionUsable(int resolution) { return resolution >= 0 && resolution <= 30; }

    bool setCalibrationParameters(const QString& portText, int baudRate, quint16 encoderLine,
                                  quint16 pointNum, qint16 calibrationSpeed,
                                  const QList<qint16>& testSpeed);
    bool zeroEncoder(const QString& portText, int baudRate, int& typeCode, quint32& angle,
                     bool& verdict);
    bool calibrateEncoder(const QString& portText, int baudRate, int pointNum, int& typeCode,
                          CurveMap& curves, CurveMap& coefficients, ValueMap& maxInl,
                          ValueMap& lineOffset, bool& verdict);
    bool testEncoder(const QString& portText, int baudRate, int pointNum, int& typeCode,
                     CurveMap& curves, QList<float>& testMaxInl, bool& verdict);

    bool sendCalibrationParameters(float targetInl, quint16 encoderLine, quint16 pointNum,
                                   qint16 calibrationSpeed, const QList<qint16>& testSpeed);
    bool writeParameterFrame(float targetInl, quint16 encoderLine, quint16 pointNum,
                             qint16 calibrationSpeed, const QList<qint16>& testSpeed);
    bool getCalibrationResult(bool& verdict);
    bool getZeroAngle(quint32& angle);
    bool readCalibrationPhases(int pointNum, CurveMap& curves, CurveMap& coefficients,
                               ValueMap& maxInl, ValueMap& lineOffset);
    bool readSelfCalibrationPhases(int pointNum, int typeCode, CurveMap& curves, ValueMap& maxInl);
    bool readTestSteps(int typeCode, int pointNum, CurveMap& curves, QList<float>& testMaxInl);
    bool readCalibrationBlock(int pointNum, QList<float>& curve, QList<float>& coefficients,
                              float& maxInl, float& lineOffset);
    bool readInlBlock(int pointNum, int typeCode, QList<float>& curve, float& maxInl);

private:
    // getDevicesId, then the device model's Resolution must be usable before the rig is asked
    // for anything that depends on it.
    bool identifyEncoder(int& typeCode);
    // The opening of the zero, calibration and test jobs once the port is open: the handshake,
    // progress 10, the job's command byte, then the device ID follows.
    bool beginJob(const QString& opening, quint8 command);
    // One INL block into curves under key; false, with failure reported, when it did not arrive
    // whole.
    bool readInlPhase(int pointNum, int typeCode, const QString& key, CurveMap& curves,
                      float& maxInl, const QString& failure);

    Ymodem* link;
};
