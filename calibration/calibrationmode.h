// Worker of the rig jobs: every run sends the parameters first, then zeroes, calibrates or tests
// the encoder, and writes the results into the task record it was given.
#pragma once

#include <QString>

#include "deviceworker.h"
#include "rigcommands.h"

class CalibrationEntity;

class CalibrationMode : public DeviceWorker {
    Q_OBJECT
public:
    CalibrationMode();

    // The rig's commands over this worker's link; tests shorten its deadlines here.
    RigCommands* getRigCommands() { return &rig; }

    CalibrationEntity* loadEntity(QObject* parent = nullptr) const;
    void saveEntity(const CalibrationEntity* entity) const;

signals:
    void calibrationIsSuccess(bool calibrationFlag);
    void argmentsIsSuccess(bool argmentsFlag);
    void testIsSuccess(bool testFlag);
    void zeroIsSuccess(bool connectFlag);
    // Part of the shared worker pattern; this worker never emits it.
    void devicesTypeIsComp(bool compFlag, QString devicesType);
    void calibrationResult(QString msg, bool isCalibrationed, CalibrationEntity* calibrationEntity);
    void testResult(QString msg, bool isTested, CalibrationEntity* calibrationEntity);
    void zeroResult(QString msg, bool isTested, CalibrationEntity* calibrationEntity);

public slots:
    void startCalibration(CalibrationEntity* calibrationEntity, QString portName, int baudRate);
    void setCalibrationArgments(CalibrationEntity* calibrationEntity, QString portName,
                                int baudRate);
    void startTest(CalibrationEntity* calibrationEntity, QString portName, int baudRate);
    void startSetZero(CalibrationEntity* calibrationEntity, QString portName, int baudRate);

private:
    bool parameterStep(CalibrationEntity* entity, const QString& portName, int baudRate);
    void titled(const char* title);
    void separator();

    RigCommands rig;
};
