#include <QElapsedTimer>
#include <QtTest>

#include "calibrationcontroler.h"
#include "calibrationentity.h"
#include "calibrationmode.h"
#include "connectflag.h"
#include "devicestype.h"
#include "entitystore.h"
#include "language.h"
#include "rigfixture.h"
#include "serialportbusy.h"
#include "serialportentity.h"
#include "testworkdir.h"
#include "ymodem.h"

namespace {
const QString kSeparator(71, QLatin1Char('-'));

struct WorkerSpies {
    explicit WorkerSpies(CalibrationMode* worker)
        : progress(worker, &CalibrationMode::setProgress),
          messages(worker, &CalibrationMode::msgSignal),
          calibration(worker, &CalibrationMode::calibrationResult),
          test(worker, &CalibrationMode::testResult),
          zero(worker, &CalibrationMode::zeroResult),
          calibrated(worker, &CalibrationMode::calibrationIsSuccess),
          tested(worker, &CalibrationMode::testIsSuccess),
          zeroed(worker, &CalibrationMode::zeroIsSuccess) {}
    QSignalSpy progress, messages, calibration, test, zero, calibrated, tested, zeroed;
};

CalibrationEntity* record(QObject* parent, int points = 256) {
    auto* entity = new CalibrationEntity(parent, points, 2048, 0.0f);
    entity->setCalibrationSpeed(1400);
    entity->setTestSpeed({400, 400, 400, 400});
    return entity;
}
}  // namespace

class TestCalibrationMode : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fullCalibrationProgressAndMessages();
    void zeroText();
    void testAverage();
    void badVerdictIsACompletedRun();
    void parameterStepFails();
    void silentRig();
    void failedLoopLeavesTheNormalDeadline();
    void controllerHandsResultsBack();
    void controllerRefusesWhilePortHeld();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestCalibrationMode::init() {
    work = std::make_unique<TestWorkDir>(rigConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
}

void TestCalibrationMode::cleanup() {
    work.reset();
}

void TestCalibrationMode::fullCalibrationProgressAndMessages() {
    SimRig sim;
    CalibrationMode worker;
    WorkerSpies spies(&worker);
    CalibrationEntity* entity = record(this);
    entity->setPhaseMaxInl("FIRST", 9.0f);  // left by an earlier test run: must go
    worker.startCalibration(entity, sim.port(), 115200);
    QCOMPARE(values(spies.progress),
             (QList<int>{0, 30, 20, 60, 80, 0, 0, 10, 20, 35, 50, 65, 80, 90, 100}));
    const QStringList messages = texts(spies.messages, 1);
    QCOMPARE(messages.mid(0, 5), (QStringList{kSeparator, kSeparator, " 设置校准控制器参数。",
                                              kSeparator, kSeparator}));
    QVERIFY(messages.contains("参数设置成功!"));
    const int title = int(messages.indexOf(" 校准编码器。"));
    QVERIFY(title > int(messages.indexOf("结束指令发送成功。")));
    QCOMPARE(messages.at(title - 1), kSeparator);
    QCOMPARE(texts(spies.messages, 0).filter("Calibration").size(), spies.messages.size());

    QCOMPARE(spies.calibration.size(), 1);
    const QString text = spies.calibration.at(0).at(0).toString();
    QVERIFY2(text.startsWith("校准效果验证成功，校准后最大INL：[ ") &&
                 text.endsWith(" °] ,设定最大INL：[ 0.1 °]"),
             qPrintable(text));
    QCOMPARE(spies.calibration.at(0).at(1).toBool(), true);
    QCOMPARE(spies.calibration.at(0).at(2).value<CalibrationEntity*>(), entity);
    QCOMPARE(spies.calibrated.at(0).at(0).toBool(), true);

    QCOMPARE(entity->getEncoderType(), 250);
    QVERIFY(entity->getRigVerdict());
    QCOMPARE(entity->getMaxInl(), 0.1f);
    // Only the keys the run delivered: no empty FIRST … FOURTH left from the record's start.
    QCOMPARE(entity->getInlCurves().keys(), (QStringList{"FINAL", "FINE", "ROUGH"}));
    for (const char* key : {"ROUGH", "FINE", "FINAL"}) {
        QCOMPARE(entity->getInlCurves().value(key).size(), 256);
        QCOMPARE(entity->getPhaseCoefficients().value(key).size(), 8);
    }
    const QString finalText =
        QString::number(double(entity->getPhaseMaxInl().value("FINAL")), 'g', 6);
    QVERIFY(text.contains("[ " + finalText + " °]"));
    QVERIFY(!entity->getPhaseMaxInl().contains("FIRST"));
}

void TestCalibrationMode::zeroText() {
    SimRig sim;
    sim.settings().zeroAngle = 16384;
    CalibrationMode worker;
    WorkerSpies spies(&worker);
    CalibrationEntity* entity = record(this);
    worker.startSetZero(entity, sim.port(), 115200);
    QCOMPARE(spies.zero.size(), 1);
    QCOMPARE(spies.zero.at(0).at(0).toString(),
             QString("对零成功，对零后角度：[ 0x00004000 ] ,浮点角度：[ 45.000000000000000 °]"));
    QCOMPARE(spies.zero.at(0).at(1).toBool(), true);
    QCOMPARE(entity->getMaxInl(), 0.1f);
    QCOMPARE(entity->getEncoderType(), 250);
    QCOMPARE(values(spies.progress).last(), 100);
    QCOMPARE(spies.zeroed.at(0).at(0).toBool(), true);
}

void TestCalibrationMode::testAverage() {
    SimRig sim;
    sim.settings().testMaxInl = {0.05f, 0.06f, 0.07f, 0.08f};
    CalibrationMode worker;
    WorkerSpies spies(&worker);
    CalibrationEntity* entity = record(this, 64);
    entity->setInlCurve("ROUGH", {1.0f, 2.0f});  // an earlier calibration's curve
    worker.startTest(entity, sim.port(), 115200);
    QCOMPARE(spies.test.size(), 1);
    QCOMPARE(spies.test.at(0).at(0).toString(),
             QString("测试验证成功，测试平均最大INL：[ 0.065 °] ,设定最大INL：[ 0.1 °]"));
    QCOMPARE(entity->getTestMaxInl(), (QList<float>{0.05f, 0.06f, 0.07f, 0.08f}));
    QCOMPARE(entity->getInlCurves().value("THIRD").size(), 64);
    QCOMPARE(entity->getInlCurves().keys(), (QStringList{"FIRST", "FOURTH", "SECOND", "THIRD"}));
    QCOMPARE(spies.tested.at(0).at(0).toBool(), true);
}

void TestCalibrationMode::badVerdictIsACompletedRun() {
    SimRig sim;
    sim.settings().verdict = 0x15;
    CalibrationMode worker;
    WorkerSpies spies(&worker);
    CalibrationEntity* entity = record(this, 32);
    worker.startCalibration(entity, sim.port(), 115200);
    QCOMPARE(spies.calibration.size(), 1);
    QVERIFY(spies.calibration.at(0).at(0).toString().startsWith("校准效果验证失败，校准后最大INL"));
    QCOMPARE(spies.calibration.at(0).at(1).toBool(), false);
    QCOMPARE(spies.calibrated.at(0).at(0).toBool(), true);
    QVERIFY(!entity->getRigVerdict());
}

void TestCalibrationMode::parameterStepFails() {
    SimRig sim;
    sim.settings().parameterReply = 0x15;
    CalibrationMode worker;
    WorkerSpies spies(&worker);
    CalibrationEntity* entity = record(this);
    entity->setMaxInl(0.5f);
    worker.startCalibration(entity, sim.port(), 115200);
    QCOMPARE(spies.calibrated.size(), 1);
    QCOMPARE(spies.calibrated.at(0).at(0).toBool(), false);
    QCOMPARE(spies.calibration.size(), 0);
    QCOMPARE(values(spies.progress), (QList<int>{0, 30, 20}));
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
    QCOMPARE(entity->getMaxInl(), 0.5f);
}

void TestCalibrationMode::silentRig() {
    SimRig sim;
    SimDevice::Faults faults;
    faults.silent = true;
    sim.device.setFaults(faults);
    CalibrationMode worker;
    worker.getYmodem()->replyTimeoutMs = 200;
    WorkerSpies spies(&worker);
    QElapsedTimer clock;
    clock.start();
    worker.startSetZero(record(this), sim.port(), 115200);
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(spies.zeroed.at(0).at(0).toBool(), false);
    QCOMPARE(spies.zero.size(), 0);
    QCOMPARE(texts(spies.messages, 1).last(), QString("失败！原因：等待设备的<响应>指令超时。"));
}

void TestCalibrationMode::failedLoopLeavesTheNormalDeadline() {
    SimRig sim;
    sim.settings().silentFrom = 1;
    sim.settings().pointNum = 16;
    CalibrationMode worker;
    Ymodem* link = worker.getYmodem();
    link->replyTimeoutMs = 300;
    RigCommands* rig = worker.getRigCommands();
    rig->firstStatusTimeoutMs = 600;
    rig->statusTimeoutMs = 1500;
    WorkerSpies spies(&worker);
    worker.startCalibration(record(this, 16), sim.port(), 115200);
    QCOMPARE(spies.calibrated.at(0).at(0).toBool(), false);
    QCOMPARE(link->replyTimeoutMs, 300);

    // The next job meets a dead rig with the normal deadline, not the loop's.
    SimDevice::Faults faults;
    faults.silent = true;
    sim.device.setFaults(faults);
    QElapsedTimer clock;
    clock.start();
    worker.startSetZero(record(this, 16), sim.port(), 115200);
    QVERIFY2(clock.elapsed() < 1200, qPrintable(QString::number(clock.elapsed())));
}

void TestCalibrationMode::controllerHandsResultsBack() {
    SimRig sim;
    SerialPortEntity saved(nullptr, sim.port(), 115200);
    EntityStore::saveSerialPortEntity(&saved);
    sim.settings().testMaxInl = {0.05f, 0.06f, 0.07f, 0.08f};
    CalibrationControler controler;
    QSignalSpy config(&controler, SIGNAL(getConfigArgments(CalibrationEntity*)));
    controler.getConfigArgments();
    CalibrationEntity* entity = config.at(0).at(0).value<CalibrationEntity*>();
    QCOMPARE(entity->getPointNum(), 256);
    entity->setPointNum(64);

    QSignalSpy done(&controler, &CalibrationControler::calibrationResult);
    QSignalSpy calibrated(&controler, &CalibrationControler::calibrationCompInlResult);
    QSignalSpy tested(&controler, &CalibrationControler::testCompInlResult);
    // Two requests in a row run one after the other on the worker's thread.
    controler.startCalibrationSlot(entity);
    controler.startTestSlot(entity);
    QVERIFY(SerialPortBusy::instance()->isOpen());
    // The operator's record is not the one the worker writes: editing it is safe.
    entity->setEncoderLine(1);
    QTRY_COMPARE_WITH_TIMEOUT(done.size(), 2, 20000);
    QCOMPARE(texts(done), (QStringList{"校准完毕。", "测试完毕。"}));
    QCOMPARE(calibrated.at(0).at(2).value<CalibrationEntity*>(), entity);
    QCOMPARE(tested.at(0).at(2).value<CalibrationEntity*>(), entity);
    QCOMPARE(entity->getTestMaxInl(), (QList<float>{0.05f, 0.06f, 0.07f, 0.08f}));
    QCOMPARE(entity->getInlCurves().value("FOURTH").size(), 64);
    QVERIFY(entity->getInlCurves().value("FINAL").isEmpty());
    QCOMPARE(entity->getPhaseCoefficients().value("FINAL").size(), 8);
    QCOMPARE(entity->getEncoderLine(), 1);
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    // The parameters were sent as they were when the run was asked for.
    QCOMPARE(sim.rig()->parameterFrames.first().mid(5, 4), QByteArray::fromHex("08000040"));
}

void TestCalibrationMode::controllerRefusesWhilePortHeld() {
    SimRig sim;
    CalibrationControler controler;
    int other = 0;
    QVERIFY(SerialPortBusy::instance()->claim(&other));
    QSignalSpy done(&controler, &CalibrationControler::calibrationResult);
    controler.startZeroSlot(record(this));
    QCOMPARE(texts(done), QStringList{"对零失败。"});
    SerialPortBusy::instance()->release(&other);
    QVERIFY(sim.device.received().isEmpty());
}

QTEST_GUILESS_MAIN(TestCalibrationMode)
#include "tst_calibrationmode.moc"
