// The zeroing, calibration and test tasks of the rig, with their results.
#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class DevicesStatus;
class DevicesType;
class ConnectFlag;

class CalibrationEntity : public QObject {
    Q_OBJECT
public:
    explicit CalibrationEntity(QObject* parent = nullptr, int pointNum = 0, int encoderLine = 0,
                               float maxInl = 0.0f, int encoderType = 0);

    int getPointNum() const { return pointNum; }
    void setPointNum(int v) { pointNum = v; }
    int getEncoderLine() const { return encoderLine; }
    void setEncoderLine(int v) { encoderLine = v; }
    float getMaxInl() const { return maxInl; }
    void setMaxInl(float v) { maxInl = v; }
    int getCalibrationSpeed() const { return calibrationSpeed; }
    void setCalibrationSpeed(int v) { calibrationSpeed = v; }
    QList<float> getTestMaxInl() const { return testMaxInl; }
    void setTestMaxInl(const QList<float>& v) { testMaxInl = v; }
    QList<quint16> getTestSpeed() const { return testSpeed; }
    void setTestSpeed(const QList<quint16>& v) { testSpeed = v; }
    int getEncoderType() const { return encoderType; }
    void setEncoderType(int v) { encoderType = v; }
    QMap<QString, float> getPhaseMaxInl() const { return phaseMaxInl; }
    void setPhaseMaxInl(const QString& phase, float v) { phaseMaxInl.insert(phase, v); }
    QMap<QString, QList<float>> getPhaseCoefficients() const { return phaseCoefficients; }
    void setPhaseCoefficients(const QString& phase, const QList<float>& v) {
        phaseCoefficients.insert(phase, v);
    }
    QMap<QString, QList<float>> getInlCurves() const { return inlCurves; }
    void setInlCurve(const QString& phase, const QList<float>& v) { inlCurves.insert(phase, v); }
    // Whole maps: a run's results replace what an earlier run left, keys included.
    void setInlCurves(const QMap<QString, QList<float>>& v) { inlCurves = v; }
    void setPhaseCoefficients(const QMap<QString, QList<float>>& v) { phaseCoefficients = v; }
    void setPhaseMaxInl(const QMap<QString, float>& v) { phaseMaxInl = v; }
    void setPhaseLineOffset(const QMap<QString, float>& v) { phaseLineOffset = v; }
    QMap<QString, float> getPhaseLineOffset() const { return phaseLineOffset; }
    void setPhaseLineOffset(const QString& phase, float v) { phaseLineOffset.insert(phase, v); }
    bool getRigVerdict() const { return rigVerdict; }
    void setRigVerdict(bool v) { rigVerdict = v; }
    // The encoder's serial or batch number as the operator typed or scanned it (may be empty).
    QString getSerialNumber() const { return serialNumber; }
    void setSerialNumber(const QString& v) { serialNumber = v; }

    DevicesStatus* devicesStatus;
    DevicesType* devicesType;
    ConnectFlag* connectFlag;

private:
    int pointNum;
    int encoderLine;
    float maxInl;
    int calibrationSpeed = 1400;
    QList<float> testMaxInl{0.0f, 0.0f, 0.0f, 0.0f};
    QList<quint16> testSpeed{400, 400, 400, 400};
    int encoderType;
    QMap<QString, float> phaseMaxInl;
    QMap<QString, QList<float>> phaseCoefficients;
    QMap<QString, QList<float>> inlCurves;
    QMap<QString, float> phaseLineOffset;
    bool rigVerdict = false;
    QString serialNumber;
};
