#include "calibrationcontroler.h"

#include <QDebug>

#include "baidutranslate.h"
#include "calibrationmode.h"
#include "calibrationrecord.h"
#include "devicestype.h"
#include "entitystore.h"

CalibrationControler::CalibrationControler(QObject* parent) : ControlerBase(parent) {
    qDebug() << "CalibrationControler Init";
    qRegisterMetaType<CalibrationEntity*>("CalibrationEntity*");
    worker = new CalibrationMode;
    // Queued: the worker lives on its own thread, so the runs go there one after another.
    connect(this, &CalibrationControler::startCalibration, worker,
            &CalibrationMode::startCalibration);
    connect(this, &CalibrationControler::startTest, worker, &CalibrationMode::startTest);
    connect(this, &CalibrationControler::startZero, worker, &CalibrationMode::startSetZero);
    connect(this, &CalibrationControler::startArgments, worker,
            &CalibrationMode::setCalibrationArgments);
    connect(worker, &CalibrationMode::calibrationIsSuccess, this,
            &CalibrationControler::calibrationIsSuccessSlot);
    connect(worker, &CalibrationMode::argmentsIsSuccess, this,
            &CalibrationControler::argmentsIsSuccessSlot);
    connect(worker, &CalibrationMode::testIsSuccess, this,
            &CalibrationControler::testIsSuccessSlot);
    connect(worker, &CalibrationMode::zeroIsSuccess, this,
            &CalibrationControler::zeroIsSuccessSlot);
    connect(worker, &CalibrationMode::devicesTypeIsComp, this,
            &CalibrationControler::devicesTypeIsCompSlot);
    connect(worker, &CalibrationMode::calibrationResult, this,
            [this](const QString& msg, bool flag, CalibrationEntity* copy) {
                emit calibrationCompInlResult(msg, flag, handBack(copy, Job::Calibration));
            });
    connect(worker, &CalibrationMode::testResult, this,
            [this](const QString& msg, bool flag, CalibrationEntity* copy) {
                emit testCompInlResult(msg, flag, handBack(copy, Job::Test));
            });
    connect(worker, &CalibrationMode::zeroResult, this,
            [this](const QString& msg, bool flag, CalibrationEntity* copy) {
                emit zeroCompInlResult(msg, flag, handBack(copy, Job::Zero));
            });
    connect(worker, &DeviceWorker::requestDone, this, &CalibrationControler::runDone);
    startWorker(worker);
}

CalibrationControler::~CalibrationControler() {
    // The worker may still be writing into a copy: its thread ends first, and a worker left
    // running keeps its copies.
    if (!stopWorker())
        return;
    for (const Run& run : runs) delete run.copy;
}

void CalibrationControler::queueRun(CalibrationEntity* record, Job job) {
    // Per job, in the order of Job: the request to the worker and the slot that ends the run.
    struct Wiring {
        void (CalibrationControler::*request)(CalibrationEntity*, QString, int);
        void (CalibrationControler::*done)(bool);
    };
    static const Wiring wiring[] = {
        {&CalibrationControler::startZero, &CalibrationControler::zeroIsSuccessSlot},
        {&CalibrationControler::startCalibration, &CalibrationControler::calibrationIsSuccessSlot},
        {&CalibrationControler::startTest, &CalibrationControler::testIsSuccessSlot},
        {&CalibrationControler::startArgments, &CalibrationControler::argmentsIsSuccessSlot}};
    const Wiring& w = wiring[int(job)];
    JobPort port;
    if (!record || !prepareJob(DevicesType::CALIBRATION, port)) {
        // Nothing was queued: say so as the run's end, so the panels take their buttons back.
        (this->*w.done)(false);
        return;
    }
    CalibrationEntity* copy = CalibrationRecord::copy(record);
    runs.append(Run{record, copy});
    emit(this->*w.request)(copy, port.portText, port.baudRate);
}

CalibrationEntity* CalibrationControler::handBack(CalibrationEntity* copy, Job job) {
    for (const Run& run : runs) {
        if (run.copy != copy)
            continue;
        // The operator's record is gone (replaced and deleted meanwhile): the copy stands in
        // until the run's end.
        if (!run.record)
            return copy;
        switch (job) {
            case Job::Zero:
                CalibrationRecord::applyZero(run.record, copy);
                break;
            case Job::Calibration:
                CalibrationRecord::applyCalibration(run.record, copy);
                break;
            case Job::Test:
                CalibrationRecord::applyTest(run.record, copy);
                break;
            case Job::Argments:
                break;
        }
        return run.record;
    }
    return copy;
}

void CalibrationControler::runDone() {
    if (runs.isEmpty())
        return;
    delete runs.takeFirst().copy;
}

void CalibrationControler::startCalibrationSlot(CalibrationEntity* calibrationEntity) {
    queueRun(calibrationEntity, Job::Calibration);
}

void CalibrationControler::startTestSlot(CalibrationEntity* calibrationEntity) {
    queueRun(calibrationEntity, Job::Test);
}

void CalibrationControler::startZeroSlot(CalibrationEntity* calibrationEntity) {
    queueRun(calibrationEntity, Job::Zero);
}

void CalibrationControler::startArgmentsSlot(CalibrationEntity* calibrationEntity) {
    queueRun(calibrationEntity, Job::Argments);
}

void CalibrationControler::setConfigArgments(CalibrationEntity* calibrationEntity) {
    worker->saveEntity(calibrationEntity);
}

void CalibrationControler::getConfigArgments() {
    CalibrationEntity* loaded = worker->loadEntity(this);
    // A stored number out of range was read as not set: say which, once.
    for (const QString& problem : EntityStore::takeLoadProblems())
        emit msgSignal(worker->getModeName(), translated(problem));
    emit getConfigArgments(loaded);
}

void CalibrationControler::devicesTypeIsCompSlot(bool isComp, QString devicesType) {
    if (isComp)
        emit compResult(translated("设备类型匹配成功。"), true);
    else
        emit compResult(translated("设备类型匹配失败，请修改设备类型为：") + devicesType, false);
}

void CalibrationControler::calibrationIsSuccessSlot(bool calibrationFlag) {
    emit calibrationResult(translated(calibrationFlag ? "校准完毕。" : "校准失败。"),
                           calibrationFlag);
}

void CalibrationControler::argmentsIsSuccessSlot(bool argmentsFlag) {
    emit calibrationResult(translated(argmentsFlag ? "参数设置完毕。" : "参数设置失败。"),
                           argmentsFlag);
}

void CalibrationControler::testIsSuccessSlot(bool testFlag) {
    emit calibrationResult(translated(testFlag ? "测试完毕。" : "测试失败。"), testFlag);
}

void CalibrationControler::zeroIsSuccessSlot(bool zeroFlag) {
    emit calibrationResult(translated(zeroFlag ? "对零完毕。" : "对零失败。"), zeroFlag);
}

QString CalibrationControler::stopConsequence() const {
    return QStringLiteral("校准工装上的当前任务将中断，本次结果不会保存。");
}
