// The BiSS debugging task: master and slave state, position data, register and resolver settings.
#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QString>

class DevicesStatus;
class DevicesType;
class ConnectFlag;
class BissTransformMode;
class BissErrorAndWrring;
class AbsResloverResolution;

class BissEntity : public QObject {
    Q_OBJECT
public:
    explicit BissEntity(QObject* parent = nullptr, const QString& masterTransformMode = QString(),
                        const QString& slaveTransformMode = QString(), int multiTurnBits = 0,
                        int singleTurnBits = 0, bool slaveEnabled = false, int multiTurnValue = 0,
                        int singleTurnValue = 0, bool warningFree = true, bool errorFree = true,
                        int registerAddress = 0, int registerValue = 0, bool saveToEeprom = false,
                        float voltage = 0.0f, bool masterNormalMode = false,
                        bool continuousRead = false, const QString& resolution = QString(),
                        int polePairs = 0);

    QString getMasterTransformMode() const {
        QMutexLocker lock(&textLock);
        return masterTransformMode;
    }
    void setMasterTransformMode(const QString& v) {
        QMutexLocker lock(&textLock);
        masterTransformMode = v;
    }
    int getMultiTurnBits() const { return multiTurnBits; }
    void setMultiTurnBits(int v) { multiTurnBits = v; }
    int getSingleTurnBits() const { return singleTurnBits; }
    void setSingleTurnBits(int v) { singleTurnBits = v; }
    bool getSlaveEnabled() const { return slaveEnabled; }
    void setSlaveEnabled(bool v) { slaveEnabled = v; }
    bool getMasterNormalMode() const { return masterNormalMode; }
    void setMasterNormalMode(bool v) { masterNormalMode = v; }
    QString getSlaveTransformMode() const {
        QMutexLocker lock(&textLock);
        return slaveTransformMode;
    }
    void setSlaveTransformMode(const QString& v) {
        QMutexLocker lock(&textLock);
        slaveTransformMode = v;
    }
    int getMultiTurnValue() const { return multiTurnValue; }
    void setMultiTurnValue(int v) { multiTurnValue = v; }
    int getSingleTurnValue() const { return singleTurnValue; }
    void setSingleTurnValue(int v) { singleTurnValue = v; }
    float getVoltage() const { return voltage; }
    void setVoltage(float v) { voltage = v; }
    bool getWarningFree() const { return warningFree; }
    void setWarningFree(bool v) { warningFree = v; }
    bool getErrorFree() const { return errorFree; }
    void setErrorFree(bool v) { errorFree = v; }
    int getRegisterAddress() const { return registerAddress; }
    void setRegisterAddress(int v) { registerAddress = v; }
    int getRegisterValue() const { return registerValue; }
    void setRegisterValue(int v) { registerValue = v; }
    bool getSaveToEeprom() const { return saveToEeprom; }
    void setSaveToEeprom(bool v) { saveToEeprom = v; }
    bool getContinuousRead() const { return continuousRead; }
    void setContinuousRead(bool v) { continuousRead = v; }
    QString getResolution() const {
        QMutexLocker lock(&textLock);
        return resolution;
    }
    void setResolution(const QString& v) {
        QMutexLocker lock(&textLock);
        resolution = v;
    }
    int getPolePairs() const { return polePairs; }
    void setPolePairs(int v) { polePairs = v; }

    DevicesStatus* devicesStatus;
    DevicesType* devicesType;
    ConnectFlag* connectFlag;
    BissTransformMode* bissTransformMode;
    BissErrorAndWrring* bissErrorAndWrring;
    AbsResloverResolution* absResloverResolution;

private:
    // The pages' combo boxes write these texts on the user-interface thread while a queued
    // poll's job reads them on the worker's: a text copied while it is replaced is torn.
    mutable QMutex textLock;
    QString masterTransformMode;
    int multiTurnBits;
    int singleTurnBits;
    bool slaveEnabled;
    bool masterNormalMode;
    QString slaveTransformMode;
    int multiTurnValue;
    int singleTurnValue;
    float voltage;
    bool warningFree;
    bool errorFree;
    int registerAddress;
    int registerValue;
    bool saveToEeprom;
    bool continuousRead;
    QString resolution;
    int polePairs;
};
