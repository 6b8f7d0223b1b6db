// BissControler and BissMode end to end against the simulated master.
#include <QSignalSpy>
#include <QtTest>

#include "bisscontroler.h"
#include "bissentity.h"
#include "bisserrorandwrring.h"
#include "bissmasterbehaviour.h"
#include "bisstransformmode.h"
#include "chineseconfig.h"
#include "connectflag.h"
#include "devicestype.h"
#include "entitystore.h"
#include "language.h"
#include "serialportbusy.h"
#include "serialportentity.h"
#include "simdevice.h"
#include "testworkdir.h"

namespace {
QStringList column(const QSignalSpy& spy, int index) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(index).toString();
    return list;
}
}  // namespace

class TestBissControler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void bannerAndResults_data();
    void bannerAndResults();
    void masterStatusFailureDisconnects();
    void slaveEnableUndoneWhenTheJobFails();
    void requestsQueueInOrder();
    void portClaimHeldWhileTheJobRuns();
    void portVanishesDuringAcquisition();
    void configArgements();

private:
    void savePort();
    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<SimDevice> sim;
    BissMasterBehaviour* master = nullptr;
};

void TestBissControler::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
}

void TestBissControler::init() {
    sim = std::make_unique<SimDevice>(SimDevice::BissMaster);
    master = static_cast<BissMasterBehaviour*>(sim->behaviour());
    savePort();
    BissErrorAndWrring::instance()->setCommunicationFaults({});
    BissTransformMode::instance()->setMasterMode(BissTransformMode::BISS_C);
    DevicesType::instance()->setSlaveType(DevicesType::ZEK_MT_BISS);
    DevicesType::instance()->setConnectedType(DevicesType::CALIBRATION);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
}

void TestBissControler::cleanup() {
    sim.reset();
}

void TestBissControler::savePort() {
    SerialPortEntity saved(nullptr, QStringLiteral("Simulated (%1)").arg(sim->portPath()), 115200);
    EntityStore::saveSerialPortEntity(&saved);
}

void TestBissControler::bannerAndResults_data() {
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("resultSignal");
    QTest::addColumn<QString>("resultText");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QByteArray>("firstFrame");
    QTest::addRow("getMasterStatus runs op 1") << "getMasterStatusSlot"
                                               << "获取Master状态"
                                               << "getMasterStatusResult"
                                               << "获取Master成功。"
                                               << "获取完毕。" << QByteArray(1, 0x0A);
    QTest::addRow("setMasterStatus runs op 0") << "setMasterStatusSlot"
                                               << "设置Master状态"
                                               << "setMasterStatusResult"
                                               << "设置Master成功。"
                                               << "设置完毕。" << QByteArray("\x09\x10\x11", 3);
    QTest::addRow("closeResolutionPolePairs runs op 10")
        << "closeResolutionPolePairsSlot"
        << "读取旋变分辨率与极对数，关闭霍尔输出"
        << "closeResolutionPolePairsResult"
        << "读取分辨率与极对数成功，重启后关闭霍尔输出"
        << "读取完毕。" << QByteArray(1, char(0xAB));
    QTest::addRow("setSlaverStatus writes the slave mode")
        << "setSlaverStatusSlot"
        << "设置BiSS从机状态"
        << "setSlaverStatusResult"
        << "设置BiSS从机状态成功。重新使能后生效！！"
        << "设置完毕，重新使能后切换通信模式。" << QByteArray("\x05\x0A\x01\x00", 4);
}

void TestBissControler::bannerAndResults() {
    QFETCH(QString, request);
    QFETCH(QString, name);
    QFETCH(QString, resultSignal);
    QFETCH(QString, resultText);
    QFETCH(QString, summary);
    QFETCH(QByteArray, firstFrame);
    {
        auto guard = sim->lock();
        master->plugSlave(BissMasterBehaviour::kAbsResolver);
        master->slave.commMode = BissMasterBehaviour::kBissC;
        if (request == "setSlaverStatusSlot")
            master->plugSlave(BissMasterBehaviour::kZekMtBiss);
    }
    BissControler controler;
    BissEntity entity;
    entity.setMasterTransformMode("BISS_C");
    entity.setMultiTurnBits(16);
    entity.setSingleTurnBits(17);
    entity.setSlaveTransformMode("RS485");
    QSignalSpy messages(&controler, &BissControler::msgSignal);
    QSignalSpy summaries(&controler, &BissControler::bissResult);
    const QByteArray signature =
        QByteArray("2") + resultSignal.toLatin1() + "(QString,bool,BissEntity*)";
    QSignalSpy results(&controler, signature.constData());
    QVERIFY(QMetaObject::invokeMethod(&controler, request.toLatin1().constData(),
                                      Q_ARG(BissEntity*, &entity)));
    QCOMPARE(DevicesType::instance()->getConnectedType(), int(DevicesType::BiSS_Master));
    QVERIFY(summaries.wait(5000));
    const QString dashes(71, QLatin1Char('-'));
    QCOMPARE(column(messages, 1).mid(0, 5),
             QStringList({dashes, dashes, " " + name, dashes, dashes}));
    QCOMPARE(column(messages, 0).mid(0, 5), QStringList(5, "BiSS"));
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.at(0).at(0).toString(), resultText);
    QCOMPARE(results.at(0).at(1).toBool(), true);
    QCOMPARE(results.at(0).at(2).value<BissEntity*>(), &entity);
    QCOMPARE(summaries.at(0).at(0).toString(), summary);
    QCOMPARE(sim->received().first(), firstFrame);
}

void TestBissControler::masterStatusFailureDisconnects() {
    SimDevice::Faults silent;
    silent.silent = true;
    sim->setFaults(silent);
    BissControler controler;
    BissEntity entity;
    QSignalSpy results(&controler, &BissControler::getMasterStatusResult);
    QSignalSpy summaries(&controler, &BissControler::bissResult);
    controler.getMasterStatusSlot(&entity);
    QVERIFY(summaries.wait(10000));
    QCOMPARE(results.at(0).at(0).toString(), QString("获取Master失败。"));
    QCOMPARE(results.at(0).at(1).toBool(), false);
    QCOMPARE(summaries.at(0).at(0).toString(), QString("获取失败。"));
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
}

void TestBissControler::slaveEnableUndoneWhenTheJobFails() {
    BissControler controler;
    BissEntity entity;
    QSignalSpy results(&controler, &BissControler::setBissSlaverEnableResult);
    QSignalSpy summaries(&controler, &BissControler::bissResult);
    entity.setSlaveEnabled(false);  // the panel's "断开": supply off
    controler.setBissSlaverEnableSlot(&entity);
    QVERIFY(summaries.wait(5000));
    QCOMPARE(entity.getSlaveEnabled(), false);
    QCOMPARE(master->settings.supplyOn, false);

    SimDevice::Faults silent;
    silent.silent = true;
    sim->setFaults(silent);
    entity.setSlaveEnabled(true);  // "使能", but the master does not answer
    controler.setBissSlaverEnableSlot(&entity);
    QVERIFY(summaries.wait(10000));
    QCOMPARE(results.last().at(0).toString(), QString("设置BiSS从机使能状态失败。"));
    QCOMPARE(entity.getSlaveEnabled(), false);
}

void TestBissControler::requestsQueueInOrder() {
    BissControler controler;
    BissEntity entity;
    QSignalSpy summaries(&controler, &BissControler::bissResult);
    QSignalSpy status(&controler, &BissControler::getMasterStatusResult);
    QSignalSpy data(&controler, &BissControler::getSlaverDataResult);
    controler.getMasterStatusSlot(&entity);
    controler.getSlaverDataSlot(&entity);
    QTRY_COMPARE_WITH_TIMEOUT(summaries.size(), 2, 10000);
    QCOMPARE(status.size(), 1);
    QCOMPARE(data.size(), 1);
    QCOMPARE(sim->received().first(), QByteArray(1, 0x0A));
    QCOMPARE(sim->received().at(1), QByteArray(1, 0x01));
    QVERIFY(data.at(0).at(1).toBool());
}

void TestBissControler::portClaimHeldWhileTheJobRuns() {
    SimDevice::Faults slow;
    slow.replyDelayMs = 200;
    sim->setFaults(slow);
    BissControler controler;
    BissEntity entity;
    QSignalSpy summaries(&controler, &BissControler::bissResult);
    controler.getMasterStatusSlot(&entity);
    QVERIFY(SerialPortBusy::instance()->isOpen());
    QVERIFY(summaries.wait(5000));
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
}

void TestBissControler::portVanishesDuringAcquisition() {
    BissControler controler;
    BissEntity entity;
    QSignalSpy data(&controler, &BissControler::getSlaverDataResult);
    QSignalSpy messages(&controler, &BissControler::msgSignal);
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);
    controler.getSlaverDataSlot(&entity);
    QVERIFY(data.wait(5000));
    QVERIFY(data.last().at(1).toBool());
    sim->vanish();
    controler.getSlaverDataSlot(&entity);
    QVERIFY(data.wait(5000));
    QCOMPARE(data.last().at(0).toString(), QString("获取BiSS从机数据失败。"));
    // The port is gone: the open fails, which marks the master disconnected, so the panels'
    // polls stop asking until the operator connects again.
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
    QVERIFY(column(messages, 1)
                .contains(QStringLiteral("打开 [ Simulated (%1) ] 失败！").arg(sim->portPath())));
}

void TestBissControler::configArgements() {
    BissControler controler;
    QSignalSpy handed(&controler, &BissControler::getConfigArgementsResult);
    controler.getConfigArgementsSlot();
    controler.getConfigArgementsSlot();
    QCOMPARE(handed.size(), 2);
    auto* first = handed.at(0).at(0).value<BissEntity*>();
    auto* second = handed.at(1).at(0).value<BissEntity*>();
    QVERIFY(first && second && first != second);
    QCOMPARE(first->getErrorFree(), true);
    QCOMPARE(first->getWarningFree(), true);
    QCOMPARE(first->getRegisterAddress(), 0);
    delete first;
    delete second;
    const QByteArray before = work->readConfig();
    BissEntity entity;
    entity.setRegisterAddress(99);
    controler.setConfigArgementsSlot(&entity);
    QCOMPARE(work->readConfig(), before);
}

QTEST_GUILESS_MAIN(TestBissControler)
#include "tst_bisscontroler.moc"
