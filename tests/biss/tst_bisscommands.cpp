// The BiSS commands and jobs against the simulated master on a real pseudo-terminal.
#include <QSignalSpy>
#include <QtTest>

#include "bissentity.h"
#include "bisserrorandwrring.h"
#include "bissjobs.h"
#include "bissmasterbehaviour.h"
#include "bisstransformmode.h"
#include "chineseconfig.h"
#include "connectflag.h"
#include "devicestype.h"
#include "language.h"
#include "simdevice.h"
#include "testworkdir.h"
#include "ymodem.h"

namespace {
using Frames = QList<QByteArray>;
QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list) b.append(char(v));
    return b;
}
QStringList texts(const QSignalSpy& spy) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(0).toString();
    return list;
}
QList<int> ints(const QSignalSpy& spy) {
    QList<int> list;
    for (const QList<QVariant>& args : spy) list << args.at(0).toInt();
    return list;
}
const QString kSlavePath =
    QStringLiteral("通信失败，请检查设备连接是否正常或验证主从通信协议是否一致！");
const QString kMasterPath = QStringLiteral("通信失败，请检查设备连接是否正常！");

// One simulated master on a pty, a link to it and a request record.
struct Rig {
    Rig() : messages(&link, &Ymodem::msgSignal), progress(&link, &Ymodem::setProgress) {
        master = static_cast<BissMasterBehaviour*>(sim.behaviour());
        port = QStringLiteral("Simulated (%1)").arg(sim.portPath());
        link.replyTimeoutMs = 400;
    }
    // The master, its slave and the host's idea of the master's mode all on one link mode.
    void setMode(int mode, int slaveType = BissMasterBehaviour::kZekMtBiss) {
        auto guard = sim.lock();
        master->plugSlave(slaveType);
        master->settings.linkMode = mode;
        master->slave.commMode = mode;
        BissTransformMode::instance()->setMasterMode(mode);
        DevicesType::instance()->setSlaveType(slaveType);
    }
    bool run(int op) {
        sim.clearRecords();
        messages.clear();
        progress.clear();
        return jobs.runJob(op, &entity, port, 115200);
    }
    SimDevice sim{SimDevice::BissMaster};
    BissMasterBehaviour* master;
    Ymodem link;
    BissJobs jobs{&link};
    BissEntity entity;
    QSignalSpy messages;
    QSignalSpy progress;
    QString port;
};
}  // namespace

class TestBissCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void requestBytes_data();
    void requestBytes();
    void rs485StatusByte_data();
    void rs485StatusByte();
    void bissCErrorAndWarningRegisters_data();
    void bissCErrorAndWarningRegisters();
    void masterStatusDecoded();
    void masterStatusTimeoutDisconnectsDevice();
    void faultGateAfterBusySendsNothing();
    void postTransactionVerdicts_data();
    void postTransactionVerdicts();
    void bitCountStatus_data();
    void bitCountStatus();
    void transformModeSentOnlyWhenModesDiffer();
    void transformModeLearnedBeforeTheFirstSwitch();
    void slaveIdUnknownToTable_data();
    void slaveIdUnknownToTable();
    void eepromSaveRule_data();
    void eepromSaveRule();
    void slaveCommModeTakesEffectAfterPowerCycle();
    void clearMasterFaultWrongByte();
    void rs485ClearIsTenExchanges();
    void endOfWriteByteReachesMaster();
    void unknownMasterModeSendsNothing();
    void badReplies_data();
    void badReplies();
    void portVanishesDuringData();
    void resolverReadAndWrite();
    void jobProgress_data();
    void jobProgress();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestBissCommands::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
}

void TestBissCommands::init() {
    BissErrorAndWrring* faults = BissErrorAndWrring::instance();
    faults->setCommunicationFaults({});
    faults->setSlaveFaults({});
    faults->setResolverFaults({});
    BissTransformMode::instance()->setMasterMode(BissTransformMode::BISS_C);
    BissTransformMode::instance()->setSlaveMode(BissTransformMode::BISS_C);
    DevicesType::instance()->setConnectedType(DevicesType::BiSS_Master);
    DevicesType::instance()->setSlaveType(DevicesType::ZEK_MT_BISS);
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::CONNECTED);
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);
}

void TestBissCommands::requestBytes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("slaveType");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<Frames>("frames");
    const int rs = BissMasterBehaviour::kRs485;
    const int bc = BissMasterBehaviour::kBissC;
    const int zek = BissMasterBehaviour::kZekMtBiss;
    QTest::addRow("RS485 read of register 11") << rs << zek << int(BissJobs::ReadSlaveRegister)
                                               << 11 << 0 << Frames{bytes({0xEA, 0x0B, 0xE1})};
    QTest::addRow("BISS_C read of register 11 then the master status")
        << bc << zek << int(BissJobs::ReadSlaveRegister) << 11 << 0
        << Frames{bytes({0x04, 0x0B, 0x01}), bytes({0x0A})};
    QTest::addRow("RS485 write of 1 to register 10 ends with 1A")
        << rs << zek << int(BissJobs::WriteSlaveRegister) << 10 << 1
        << Frames{bytes({0x32, 0x0A, 0x01, 0x39}), bytes({0x1A})};
    QTest::addRow("BISS_C write of 1 to register 10 ends with 1A")
        << bc << zek << int(BissJobs::WriteSlaveRegister) << 10 << 1
        << Frames{bytes({0x05, 0x0A, 0x01, 0x01}), bytes({0x0A}), bytes({0x1A})};
    QTest::addRow("BISS_C data of a ZEK slave reads its voltage register")
        << bc << zek << int(BissJobs::GetSlaveData) << 0 << 0
        << Frames{bytes({0x01}), bytes({0x04, 0x0C, 0x01}), bytes({0x0A})};
    QTest::addRow("RS485 data") << rs << zek << int(BissJobs::GetSlaveData) << 0 << 0
                                << Frames{bytes({0x3A})};
    QTest::addRow("master status")
        << bc << zek << int(BissJobs::GetMasterStatus) << 0 << 0 << Frames{bytes({0x0A})};
    QTest::addRow("slave supply") << bc << zek << int(BissJobs::SetSlaveEnable) << 0 << 0
                                  << Frames{bytes({0xEE})};
    QTest::addRow("BISS_C clear slave fault on FENOXA uses register 74")
        << bc << int(BissMasterBehaviour::kFenoxaBiss) << int(BissJobs::ClearSlaveFault) << 0 << 0
        << Frames{bytes({0x05, 0x4A, 0x01, 0xC8}), bytes({0x0A}), bytes({0x1A}),
                  bytes({0x05, 0x4A, 0x01, 0xC9}), bytes({0x0A}), bytes({0x1A})};
    QTest::addRow("RS485 slave status") << rs << zek << int(BissJobs::GetSlaveStatus) << 0 << 0
                                        << Frames{bytes({0x0A}), bytes({0x92})};
}

void TestBissCommands::requestBytes() {
    QFETCH(int, mode);
    QFETCH(int, slaveType);
    QFETCH(int, op);
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(Frames, frames);
    Rig rig;
    rig.setMode(mode, slaveType);
    rig.entity.setRegisterAddress(address);
    rig.entity.setRegisterValue(value);
    // The RS485 slave status reads the ID only; the ZEK's mode register would follow.
    if (op == BissJobs::GetSlaveStatus)
        rig.master->slave.idCode = 0x42;
    QVERIFY2(rig.run(op), qPrintable(texts(rig.messages).join('\n')));
    QTRY_COMPARE(rig.sim.received(), frames);
}

void TestBissCommands::rs485StatusByte_data() {
    QTest::addColumn<int>("slaveType");
    QTest::addColumn<QList<int>>("slaveFaults");
    QTest::addColumn<QList<int>>("resolverFaults");
    QTest::addColumn<bool>("errorFree");
    QTest::addColumn<bool>("warningFree");
    QTest::addRow("ZEK_MT_BISS: angle and multi-turn errors")
        << int(DevicesType::ZEK_MT_BISS)
        << QList<int>{BissErrorAndWrring::ANGLE_ERROR, BissErrorAndWrring::MULTI_ERROR}
        << QList<int>{BissErrorAndWrring::PHASE_LOCK_ERROR} << false << true;
    QTest::addRow("ABSRESLOVER: over-speed and input over range, slave list kept")
        << int(DevicesType::ABSRESLOVER) << QList<int>{BissErrorAndWrring::BATTERY_ALM}
        << QList<int>{BissErrorAndWrring::OVER_SPEED, BissErrorAndWrring::SIN_COS_DOS_OVER} << false
        << true;
}

void TestBissCommands::rs485StatusByte() {
    QFETCH(int, slaveType);
    QFETCH(QList<int>, slaveFaults);
    QFETCH(QList<int>, resolverFaults);
    QFETCH(bool, errorFree);
    QFETCH(bool, warningFree);
    Rig rig;
    rig.setMode(BissMasterBehaviour::kRs485, slaveType);
    {
        auto guard = rig.sim.lock();
        rig.master->slave.rs485Status = 0x24;
        rig.master->slave.resolverStatus = 0x24;
        rig.master->slave.voltageRaw = 255;
    }
    // What the list held before: the decode must replace one list and keep the other.
    BissErrorAndWrring::instance()->setSlaveFaults({BissErrorAndWrring::BATTERY_ALM});
    BissErrorAndWrring::instance()->setResolverFaults({BissErrorAndWrring::PHASE_LOCK_ERROR});
    QVERIFY(rig.run(BissJobs::GetSlaveData));
    QCOMPARE(BissErrorAndWrring::instance()->getSlaveFaults(), slaveFaults);
    QCOMPARE(BissErrorAndWrring::instance()->getResolverFaults(), resolverFaults);
    QCOMPARE(rig.entity.getErrorFree(), errorFree);
    QCOMPARE(rig.entity.getWarningFree(), warningFree);
    QCOMPARE(rig.entity.getVoltage(), 3.3f);
    QVERIFY(texts(rig.messages).contains("从机数据读取成功"));
}

void TestBissCommands::bissCErrorAndWarningRegisters_data() {
    QTest::addColumn<int>("slaveType");
    QTest::addColumn<int>("errorBits");
    QTest::addColumn<int>("warningBits");
    QTest::addColumn<Frames>("registerReads");
    QTest::addColumn<QList<int>>("faults");
    QTest::addRow("FENOXA error reads 72")
        << int(BissMasterBehaviour::kFenoxaBiss) << 0x05 << 0 << Frames{bytes({0x04, 72, 0x01})}
        << QList<int>{BissErrorAndWrring::ANGLE_ERROR, BissErrorAndWrring::BATTERY_ERROR};
    QTest::addRow("FENOXA warning reads 73")
        << int(BissMasterBehaviour::kFenoxaBiss) << 0 << 0x02 << Frames{bytes({0x04, 73, 0x01})}
        << QList<int>{BissErrorAndWrring::BATTERY_ALM};
    QTest::addRow("ZEK error and warning read 6 and 7")
        << int(BissMasterBehaviour::kZekMtBiss) << 0x02 << 0x01
        << Frames{bytes({0x04, 12, 0x01}), bytes({0x04, 6, 0x01}), bytes({0x04, 7, 0x01})}
        << QList<int>{BissErrorAndWrring::MULTI_ERROR, BissErrorAndWrring::OVER_SPEED_ALM};
    QTest::addRow("no flags: no register but the voltage")
        << int(BissMasterBehaviour::kZekMtBiss) << 0 << 0 << Frames{bytes({0x04, 12, 0x01})}
        << QList<int>{};
}

void TestBissCommands::bissCErrorAndWarningRegisters() {
    QFETCH(int, slaveType);
    QFETCH(int, errorBits);
    QFETCH(int, warningBits);
    QFETCH(Frames, registerReads);
    QFETCH(QList<int>, faults);
    Rig rig;
    rig.setMode(BissMasterBehaviour::kBissC, slaveType);
    {
        auto guard = rig.sim.lock();
        rig.master->slave.errorBits = quint8(errorBits);
        rig.master->slave.warningBits = quint8(warningBits);
    }
    BissErrorAndWrring::instance()->setSlaveFaults({BissErrorAndWrring::BATTERY_ALM});
    QVERIFY(rig.run(BissJobs::GetSlaveData));
    Frames reads;
    for (const QByteArray& frame : rig.sim.received())
        if (frame.at(0) == 0x04)
            reads << frame;
    QCOMPARE(reads, registerReads);
    QCOMPARE(BissErrorAndWrring::instance()->getSlaveFaults(), faults);
    QCOMPARE(rig.entity.getErrorFree(), errorBits == 0);
    QCOMPARE(rig.entity.getWarningFree(), warningBits == 0);
}

void TestBissCommands::masterStatusDecoded() {
    Rig rig;
    {
        auto guard = rig.sim.lock();
        rig.master->settings.linkMode = BissMasterBehaviour::kRs485;
        rig.master->settings.multiTurnBits = 12;
        rig.master->settings.singleTurnBits = 19;
        rig.master->settings.supplyOn = false;
        rig.master->settings.reportedFault = 1;
    }
    BissErrorAndWrring::instance()->setCommunicationFaults({1});
    rig.entity.setSlaveEnabled(true);
    QVERIFY(rig.run(BissJobs::GetMasterStatus));
    QCOMPARE(rig.entity.getMasterTransformMode(), QString("RS485"));
    QCOMPARE(BissTransformMode::instance()->getMasterMode(), int(BissTransformMode::RS485));
    QCOMPARE(rig.entity.getMultiTurnBits(), 12);
    QCOMPARE(rig.entity.getSingleTurnBits(), 19);
    QCOMPARE(rig.entity.getSlaveEnabled(), false);
    QCOMPARE(rig.entity.getMasterNormalMode(), true);
    // A code already in the list is not added again.
    QCOMPARE(BissErrorAndWrring::instance()->getCommunicationFaults(), QList<int>{1});
    QCOMPARE(texts(rig.messages).mid(1),
             QStringList({"开始获取Master状态...", "正在获取...", "获取Master状态成功"}));
}

void TestBissCommands::masterStatusTimeoutDisconnectsDevice() {
    Rig rig;
    SimDevice::Faults silent;
    silent.silent = true;
    rig.sim.setFaults(silent);
    QVERIFY(!rig.run(BissJobs::GetMasterStatus));
    QCOMPARE(ConnectFlag::instance()->getDeviceConnection(), int(ConnectFlag::DISCONNECTED));
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::CONNECTED));
    QVERIFY(texts(rig.messages).contains("获取Master状态失败，请检查设备连接是否正常！"));
    QCOMPARE(ints(rig.progress), QList<int>({0, 10}));
}

void TestBissCommands::faultGateAfterBusySendsNothing() {
    Rig rig;
    rig.setMode(BissMasterBehaviour::kBissC);
    {
        auto guard = rig.sim.lock();
        rig.master->settings.reportedFault = 7;
    }
    QVERIFY(rig.run(BissJobs::GetMasterStatus));
    {
        // The line works again, but the host remembers the busy code.
        auto guard = rig.sim.lock();
        rig.master->settings.reportedFault = -1;
    }
    rig.entity.setRegisterAddress(11);
    QVERIFY(!rig.run(BissJobs::ReadSlaveRegister));
    QCOMPARE(rig.sim.received(), Frames{});
    QVERIFY(texts(rig.messages).contains(kSlavePath));
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::DISCONNECTED));
    QVERIFY(!rig.run(BissJobs::WriteSlaveRegister));
    QCOMPARE(rig.sim.received(), Frames{});
}

void TestBissCommands::postTransactionVerdicts_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addRow("busy") << 7 << "通信失败：BiSS Busy!!!";
    QTest::addRow("IDL") << 8 << "通信失败：BiSS IDL Error!!!";
    QTest::addRow("stream") << 4 << "通信失败：BiSS Stream Error!!!";
    QTest::addRow("write") << 5 << "通信失败：BiSS Write Error!!!";
    QTest::addRow("CRC") << 2 << "通信失败：BiSS CRC Error!!!";
    QTest::addRow("no data") << 3 << "通信失败：BiSS No Data!!!";
    QTest::addRow("read fault lets the read through") << 6 << QString();
    QTest::addRow("command fault lets the read through") << 1 << QString();
}

void TestBissCommands::postTransactionVerdicts() {
    QFETCH(int, code);
    QFETCH(QString, message);
    Rig rig;
    rig.setMode(BissMasterBehaviour::kBissC);
    {
        auto guard = rig.sim.lock();
        rig.master->settings.reportedFault = code;
    }
    rig.entity.setRegisterAddress(11);
    rig.entity.setRegisterValue(-1);
    const bool ok = rig.run(BissJobs::ReadSlaveRegister);
    QCOMPARE(ok, message.isEmpty());
    if (ok) {
        QCOMPARE(rig.entity.getRegisterValue(), int(BissMasterBehaviour::kZekMtBiss));
    } else {
        QCOMPARE(texts(rig.messages).last(), message);
        QCOMPARE(rig.entity.getRegisterValue(), -1);
    }
}

void TestBissCommands::bitCountStatus_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("ending");
    QTest::addRow("status 0 succeeds")
        << 0 << true
        << QStringList{"设置多圈与单圈位数成功", "开始Master通信模式...",
                       // The mode in use is read from the master before deciding on 07.
                       "开始获取Master状态...", "正在获取...", "获取Master状态成功",
                       "当前变换模式与设备一致，无需设置"};
    QTest::addRow("status 1 fails")
        << 1 << false << QStringList{"设置多圈与单圈位数失败，指令错误！", kMasterPath};
}

void TestBissCommands::bitCountStatus() {
    QFETCH(int, status);
    QFETCH(bool, ok);
    QFETCH(QStringList, ending);
    Rig rig;
    {
        auto guard = rig.sim.lock();
        rig.master->settings.bitCountStatus = quint8(status);
    }
    rig.entity.setMasterTransformMode("BISS_C");
    rig.entity.setMultiTurnBits(12);
    rig.entity.setSingleTurnBits(18);
    BissErrorAndWrring::instance()->setCommunicationFaults({status});
    QCOMPARE(rig.run(BissJobs::SetMasterParameters), ok);
    QCOMPARE(rig.sim.received().first(), bytes({0x09, 12, 18}));
    // The status is appended every time, even when it is already there.
    QCOMPARE(BissErrorAndWrring::instance()->getCommunicationFaults(),
             QList<int>({status, status}));
    const QStringList all = texts(rig.messages);
    QCOMPARE(all.mid(all.size() - ending.size()), ending);
}

void TestBissCommands::transformModeSentOnlyWhenModesDiffer() {
    Rig rig;
    rig.setMode(BissMasterBehaviour::kBissC);
    rig.entity.setMasterTransformMode("BISS_C");
    rig.entity.setSingleTurnBits(17);
    QVERIFY(rig.run(BissJobs::SetMasterParameters));
    // Before the first decision the master is asked for the mode it is in; it agrees: no 07.
    QCOMPARE(rig.sim.received().size(), 2);
    QCOMPARE(rig.sim.received().last(), bytes({0x0A}));
    QCOMPARE(ints(rig.progress), QList<int>({0, 10, 20, 20, 50, 100}));

    rig.entity.setMasterTransformMode("RS485");
    QVERIFY(rig.run(BissJobs::SetMasterParameters));
    // Known now: after the bit counts, 07 goes out at once.
    QCOMPARE(rig.sim.received().size(), 2);
    QCOMPARE(rig.sim.received().last(), bytes({0x07}));
    QCOMPARE(BissTransformMode::instance()->getMasterMode(), int(BissTransformMode::RS485));
    QCOMPARE(rig.master->settings.linkMode, int(BissMasterBehaviour::kRs485));
    QCOMPARE(ints(rig.progress), QList<int>({0, 10, 20, 20, 50, 60, 70, 100}));
}

void TestBissCommands::transformModeLearnedBeforeTheFirstSwitch() {
    // The program assumes RS485 until the master says otherwise; this master runs BiSS-C. Asked
    // for BiSS-C, a switch decided from the assumption would toggle the master to RS485.
    Rig rig;
    rig.setMode(BissMasterBehaviour::kBissC);
    BissTransformMode::instance()->setMasterMode(BissTransformMode::RS485);
    rig.entity.setMasterTransformMode("BISS_C");
    rig.entity.setSingleTurnBits(17);
    QVERIFY(rig.run(BissJobs::SetMasterParameters));
    QVERIFY(!rig.sim.received().contains(bytes({0x07})));
    QCOMPARE(rig.master->settings.linkMode, int(BissMasterBehaviour::kBissC));
    QCOMPARE(BissTransformMode::instance()->getMasterMode(), int(BissTransformMode::BISS_C));
    QCOMPARE(rig.entity.getMasterTransformMode(), QString("BISS_C"));
}

void TestBissCommands::slaveIdUnknownToTable_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("slaveType");
    QTest::addColumn<int>("slaveMode");
    // A FENOXA slave's mode is not read at all; any other non-ZEK slave is taken as RS485.
    QTest::addRow("BISS_C takes an unknown ID as FENOXA_BISS")
        << int(BissMasterBehaviour::kBissC) << int(DevicesType::FENOXA_BISS)
        << int(BissTransformMode::BISS_C);
    QTest::addRow("RS485 keeps the ID")
        << int(BissMasterBehaviour::kRs485) << 0x42 << int(BissTransformMode::RS485);
}

void TestBissCommands::slaveIdUnknownToTable() {
    QFETCH(int, mode);
    QFETCH(int, slaveType);
    QFETCH(int, slaveMode);
    Rig rig;
    rig.setMode(mode);
    {
        auto guard = rig.sim.lock();
        rig.master->slave.idCode = 0x42;
    }
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    QVERIFY(rig.run(BissJobs::GetSlaveStatus));
    QCOMPARE(DevicesType::instance()->getSlaveType(), slaveType);
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::CONNECTED));
    QCOMPARE(BissTransformMode::instance()->getSlaveMode(), slaveMode);
    QCOMPARE(ints(rig.progress), QList<int>{});
}

void TestBissCommands::eepromSaveRule_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("slaveType");
    QTest::addColumn<QByteArray>("lastFrame");
    QTest::addColumn<int>("saves");
    QTest::addRow("ZEK_MT_BISS saves through the command register")
        << int(BissMasterBehaviour::kBissC) << int(BissMasterBehaviour::kZekMtBiss) << bytes({0x1A})
        << 1;
    QTest::addRow("FENOXA_BISS ends with 1A instead")
        << int(BissMasterBehaviour::kBissC) << int(BissMasterBehaviour::kFenoxaBiss)
        << bytes({0x1A}) << 0;
    QTest::addRow("ABSRESLOVER on RS485 saves with 33")
        << int(BissMasterBehaviour::kRs485) << int(BissMasterBehaviour::kAbsResolver)
        << bytes({0x33}) << 1;
}

void TestBissCommands::eepromSaveRule() {
    QFETCH(int, mode);
    QFETCH(int, slaveType);
    QFETCH(QByteArray, lastFrame);
    QFETCH(int, saves);
    Rig rig;
    rig.setMode(mode, slaveType);
    rig.entity.setRegisterAddress(20);
    rig.entity.setRegisterValue(7);
    rig.entity.setSaveToEeprom(true);
    QVERIFY(rig.run(BissJobs::WriteSlaveRegister));
    QTRY_COMPARE(rig.sim.received().last(), lastFrame);
    QCOMPARE(rig.master->eepromSaves, saves);
    if (saves && mode == BissMasterBehaviour::kBissC)
        QVERIFY(rig.sim.received().contains(bytes({0x05, 0x05, 0x01, 0x2E})));
    if (saves)
        QVERIFY(texts(rig.messages).contains("从机写入EEPROM成功"));
}

void TestBissCommands::slaveCommModeTakesEffectAfterPowerCycle() {
    Rig rig;
    rig.setMode(BissMasterBehaviour::kBissC);
    rig.entity.setSlaveTransformMode("RS485");
    QVERIFY(rig.run(BissJobs::SetSlaveCommMode));
    QVERIFY(texts(rig.messages).last().startsWith("设置从机通信模式成功！当前通信模式： BISS_C"));
    QCOMPARE(rig.master->slave.commMode, int(BissMasterBehaviour::kBissC));
    QVERIFY(rig.run(BissJobs::SetSlaveEnable));  // off
    QVERIFY(rig.run(BissJobs::SetSlaveEnable));  // on again
    QCOMPARE(rig.master->slave.commMode, int(BissMasterBehaviour::kRs485));

    // An empty mode is refused before anything is sent.
    rig.entity.setSlaveTransformMode(QString());
    QVERIFY(!rig.run(BissJobs::SetSlaveCommMode));
    QCOMPARE(rig.sim.received(), Frames{});
}

void TestBissCommands::clearMasterFaultWrongByte() {
    Rig rig;
    {
        auto guard = rig.sim.lock();
        rig.master->settings.clearFaultEcho = 0x10;
    }
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    QVERIFY(!rig.run(BissJobs::ClearMasterFault));
    QCOMPARE(texts(rig.messages).last(), QString("清除主控故障状态失败"));
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::DISCONNECTED));
    {
        auto guard = rig.sim.lock();
        rig.master->settings.clearFaultEcho = 0x0F;
    }
    QVERIFY(rig.run(BissJobs::ClearMasterFault));
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::CONNECTED));
}

void TestBissCommands::rs485ClearIsTenExchanges() {
    Rig rig;
    rig.setMode(BissMasterBehaviour::kRs485);
    {
        auto guard = rig.sim.lock();
        rig.master->slave.rs485Status = 0x24;
    }
    QVERIFY(rig.run(BissJobs::ClearSlaveFault));
    QCOMPARE(rig.sim.received(), Frames(10, bytes({0xBA})));
    QCOMPARE(rig.master->slave.rs485Status, quint8(0));

    // A bad check byte on the fourth reply ends the clear there.
    {
        auto guard = rig.sim.lock();
        rig.master->settings.badCheckOnReply = 4;
    }
    QVERIFY(!rig.run(BissJobs::ClearSlaveFault));
    QCOMPARE(rig.sim.received().size(), 4);
    QCOMPARE(texts(rig.messages).last(), QString("从机清除故障状态失败，CRC校验错误！"));
}

void TestBissCommands::endOfWriteByteReachesMaster() {
    // The job closes the port right after 1A; the byte must not be cleared away.
    Rig rig;
    rig.setMode(BissMasterBehaviour::kRs485);
    rig.entity.setRegisterAddress(30);
    for (int i = 0; i < 50; ++i) {
        rig.entity.setRegisterValue(i);
        QVERIFY(rig.run(BissJobs::WriteSlaveRegister));
    }
    QTRY_COMPARE(rig.master->endBytes, 50);
}

void TestBissCommands::unknownMasterModeSendsNothing() {
    Rig rig;
    {
        auto guard = rig.sim.lock();
        rig.master->settings.linkMode = 5;
    }
    QVERIFY(rig.run(BissJobs::GetMasterStatus));
    QCOMPARE(rig.entity.getMasterTransformMode(), QString());
    for (int op : {int(BissJobs::GetSlaveData), int(BissJobs::ReadSlaveRegister),
                   int(BissJobs::WriteSlaveRegister), int(BissJobs::ClearSlaveFault)}) {
        QVERIFY(!rig.run(op));
        QCOMPARE(rig.sim.received(), Frames{});
        QVERIFY(texts(rig.messages)
                    .contains("主机通信模式未知，请先获取Master状态并设置主机通信模式！"));
    }
    QVERIFY(!rig.run(BissJobs::GetSlaveStatus));
    QCOMPARE(rig.sim.received(), Frames{bytes({0x0A})});
}

void TestBissCommands::badReplies_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("truncateTo");
    QTest::addColumn<QByteArray>("garbage");
    QTest::addColumn<int>("badCheck");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("message");
    const QString crc = QStringLiteral("从机数据读取失败，CRC校验错误！");
    QTest::addRow("RS485 short reply")
        << int(BissMasterBehaviour::kRs485) << 7 << QByteArray() << 0 << false << kSlavePath;
    QTest::addRow("RS485 bad check byte")
        << int(BissMasterBehaviour::kRs485) << -1 << QByteArray() << 1 << false << crc;
    QTest::addRow("RS485 garbage") << int(BissMasterBehaviour::kRs485) << -1
                                   << QByteArray("\x3A garbage!", 11) << 0 << false << crc;
    QTest::addRow("RS485 silence")
        << int(BissMasterBehaviour::kRs485) << -1 << QByteArray() << 0 << true << kSlavePath;
    QTest::addRow("BISS_C short reply")
        << int(BissMasterBehaviour::kBissC) << 3 << QByteArray() << 0 << false << kSlavePath;
    QTest::addRow("BISS_C silence")
        << int(BissMasterBehaviour::kBissC) << -1 << QByteArray() << 0 << true << kSlavePath;
}

void TestBissCommands::badReplies() {
    QFETCH(int, mode);
    QFETCH(int, truncateTo);
    QFETCH(QByteArray, garbage);
    QFETCH(int, badCheck);
    QFETCH(bool, silent);
    QFETCH(QString, message);
    Rig rig;
    rig.setMode(mode);
    SimDevice::Faults faults;
    faults.truncateTo = truncateTo;
    faults.garbage = garbage;
    faults.silent = silent;
    rig.sim.setFaults(faults);
    {
        auto guard = rig.sim.lock();
        rig.master->settings.badCheckOnReply = badCheck;
    }
    QVERIFY(!rig.run(BissJobs::GetSlaveData));
    QCOMPARE(texts(rig.messages).last(), message);
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::DISCONNECTED));
    QVERIFY(!rig.link.isPortOpen());
}

void TestBissCommands::portVanishesDuringData() {
    Rig rig;
    rig.setMode(BissMasterBehaviour::kRs485);
    rig.link.replyTimeoutMs = 3000;
    SimDevice::Faults faults;
    faults.vanishAfterCommands = 1;
    rig.sim.setFaults(faults);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!rig.run(BissJobs::GetSlaveData));
    QVERIFY(!rig.run(BissJobs::GetSlaveData));
    QVERIFY2(clock.elapsed() < 2500, "a vanished port must not wait out the deadline");
}

void TestBissCommands::resolverReadAndWrite() {
    Rig rig;
    rig.setMode(BissMasterBehaviour::kRs485, BissMasterBehaviour::kAbsResolver);
    rig.entity.setResolution("L16384");
    rig.entity.setPolePairs(7);
    QVERIFY(rig.run(BissJobs::WriteResolution));
    QCOMPARE(rig.sim.received(), Frames{bytes({0xA4, 0x03, 0x07, 0xA0})});
    rig.entity.setResolution(QString());
    rig.entity.setPolePairs(0);
    QVERIFY(rig.run(BissJobs::ReadResolution));
    QCOMPARE(rig.entity.getResolution(), QString("L16384"));
    QCOMPARE(rig.entity.getPolePairs(), 7);
    QCOMPARE(texts(rig.messages).last(), QString("读取分辨率与极对数成功，重启后关闭霍尔信号输出"));
    // An unknown resolution is not sent as FF.
    rig.entity.setResolution("L999");
    QVERIFY(!rig.run(BissJobs::WriteResolution));
    QCOMPARE(rig.sim.received(), Frames{});
}

void TestBissCommands::jobProgress_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<QList<int>>("values");
    QTest::addRow("master status") << int(BissJobs::GetMasterStatus) << QList<int>{0, 10, 100};
    QTest::addRow("slave supply") << int(BissJobs::SetSlaveEnable)
                                  << QList<int>{0, 10, 60, 70, 100};
    QTest::addRow("slave status: none") << int(BissJobs::GetSlaveStatus) << QList<int>{};
    QTest::addRow("slave data: none") << int(BissJobs::GetSlaveData) << QList<int>{};
    QTest::addRow("register read") << int(BissJobs::ReadSlaveRegister) << QList<int>{0, 100};
    QTest::addRow("register write") << int(BissJobs::WriteSlaveRegister) << QList<int>{0, 10, 100};
    QTest::addRow("clear slave fault") << int(BissJobs::ClearSlaveFault) << QList<int>{0, 20, 100};
    QTest::addRow("clear master fault")
        << int(BissJobs::ClearMasterFault) << QList<int>{0, 10, 100};
    QTest::addRow("unknown op") << 12 << QList<int>{};
}

void TestBissCommands::jobProgress() {
    QFETCH(int, op);
    QFETCH(QList<int>, values);
    Rig rig;
    rig.setMode(BissMasterBehaviour::kBissC);
    QCOMPARE(rig.run(op), op < 12);
    QCOMPARE(ints(rig.progress), values);
}

QTEST_GUILESS_MAIN(TestBissCommands)
#include "tst_bisscommands.moc"
