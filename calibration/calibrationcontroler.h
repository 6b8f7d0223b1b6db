// GUI-thread side of the rig jobs: what the calibration panels and quelbrin-cli talk to.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include "calibrationentity.h"
#include "controlerbase.h"

class CalibrationMode;

class CalibrationControler : public ControlerBase {
    Q_OBJECT
public:
    // A run stopped half-way leaves the rig's job unfinished and its results unread.
    QString stopConsequence() const override;
    explicit CalibrationControler(QObject* parent = nullptr);
    ~CalibrationControler() override;

    CalibrationMode* getWorker() const { return worker; }

signals:
    void startCalibration(CalibrationEntity* calibrationEntity, QString serialPortName,
                          int baudRate);
    void startTest(CalibrationEntity* calibrationEntity, QString serialPortName, int baudRate);
    void startZero(CalibrationEntity* calibrationEntity, QString serialPortName, int baudRate);
    // The parameters alone (quelbrin-cli rig params).
    void startArgments(CalibrationEntity* calibrationEntity, QString serialPortName, int baudRate);
    void calibrationResult(QString msg, bool calibrationFlag);
    void compResult(QString msg, bool compFlag);
    void calibrationCompInlResult(QString msg, bool calibrationCompFlag,
                                  CalibrationEntity* calibrationEntity);
    void testCompInlResult(QString msg, bool calibrationCompFlag,
                           CalibrationEntity* calibrationEntity);
    void zeroCompInlResult(QString msg, bool calibrationCompFlag,
                           CalibrationEntity* calibrationEntity);
    void getConfigArgments(CalibrationEntity* calibrationEntity);

public slots:
    void devicesTypeIsCompSlot(bool isComp, QString devicesType);
    void startCalibrationSlot(CalibrationEntity* calibrationEntity);
    void startTestSlot(CalibrationEntity* calibrationEntity);
    void startZeroSlot(CalibrationEntity* calibrationEntity);
    void startArgmentsSlot(CalibrationEntity* calibrationEntity);
    void setConfigArgments(CalibrationEntity* calibrationEntity);
    void getConfigArgments();
    void calibrationIsSuccessSlot(bool calibrationFlag);
    void argmentsIsSuccessSlot(bool argmentsFlag);
    void testIsSuccessSlot(bool testFlag);
    void zeroIsSuccessSlot(bool zeroFlag);

private:
    enum class Job { Zero, Calibration, Test, Argments };
    // The worker runs on a copy of the record, so the panels may keep editing theirs; the
    // results are handed back into the operator's record on this thread.
    struct Run {
        QPointer<CalibrationEntity> record;
        CalibrationEntity* copy;
    };
    void queueRun(CalibrationEntity* record, Job job);
    CalibrationEntity* handBack(CalibrationEntity* copy, Job job);
    void runDone();

    CalibrationMode* worker;
    QList<Run> runs;
};
