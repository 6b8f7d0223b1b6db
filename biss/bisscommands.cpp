#include "bisscommands.h"

#include <initializer_list>

#include <QList>

#include "absresloverresolution.h"
#include "bissentity.h"
#include "bisserrorandwrring.h"
#include "bissslaveregedit.h"
#include "bisstransformmode.h"
#include "connectflag.h"
#include "crc16ccitt.h"
#include "devicestype.h"
#include "ymodem.h"

namespace {
// The master's voltage byte spans 0..3.3 V.
float voltageOf(int raw) {
    return float(raw * 3.3 / 255.0);
}

quint32 littleEndian(const QByteArray& bytes, int from, int count) {
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | quint8(bytes.at(from + i));
    return value;
}

bool checkByteMatches(const QByteArray& reply) {
    const int last = int(reply.size()) - 1;
    return quint8(reply.at(last)) == crc16ccitt::xorCheck(reply, last);
}

QByteArray withCheck(QByteArray frame) {
    frame.append(char(crc16ccitt::xorCheck(frame, int(frame.size()))));
    return frame;
}

// Codes that close the gate before any slave register traffic.
bool isGateCode(int code) {
    return code >= BissErrorAndWrring::COMIUNICATION_FAULT_CRC &&
           code <= BissErrorAndWrring::COMIUNICATION_FAULT_BISS_IDL;
}
}  // namespace

void BissCommands::progress(int value) {
    emit link->setProgress(value);
}

void BissCommands::report(const QString& text) {
    link->report(text);
}

bool BissCommands::isBissC() const {
    return BissTransformMode::instance()->getMasterMode() == BissTransformMode::BISS_C;
}

bool BissCommands::linkModeKnown() {
    const int mode = BissTransformMode::instance()->getMasterMode();
    if (mode == BissTransformMode::BISS_C || mode == BissTransformMode::RS485)
        return true;
    // Every caller is on a slave path: the slave counts as lost, as after any other slave-path
    // failure, so the status poll stops instead of failing (and warning) every 2 s.
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    report(QStringLiteral("主机通信模式未知，请先获取Master状态并设置主机通信模式！"));
    return false;
}

void BissCommands::slavePathFailure() {
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    report(QStringLiteral("通信失败，请检查设备连接是否正常或验证主从通信协议是否一致！"));
}

void BissCommands::masterPathFailure() {
    report(QStringLiteral("通信失败，请检查设备连接是否正常！"));
}

bool BissCommands::askSlave(const QByteArray& request, int replyLength, QByteArray& reply) {
    link->sendBytes(request);
    if (link->readBytes(reply, replyLength))
        return true;
    slavePathFailure();
    return false;
}

void BissCommands::slaveCheckFailure(const char* text) {
    report(QString::fromUtf8(text));
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
}

bool BissCommands::clearMasterFault() {
    QByteArray reply;
    if (!askSlave(QByteArray(1, char(kClearMasterFault)), 1, reply))
        return false;
    if (quint8(reply.at(0)) != kClearMasterFault) {
        report(QStringLiteral("清除主控故障状态失败"));
        return false;
    }
    report(QStringLiteral("清除主控故障状态成功"));
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);
    return true;
}

bool BissCommands::requestMasterStatus(BissEntity* entity) {
    report(QStringLiteral("开始获取Master状态..."));
    link->sendByte(kMasterStatus);
    report(QStringLiteral("正在获取..."));
    QByteArray reply;
    if (!link->readBytes(reply, 7)) {
        report(QStringLiteral("获取Master状态失败，请检查设备连接是否正常！"));
        ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
        return false;
    }
    // Byte 0 echoes the request and is not examined; the reply has no check byte.
    const QString mode = BissTransformMode::valueToKey(quint8(reply.at(1)));
    entity->setMasterTransformMode(mode);
    BissTransformMode::instance()->setMasterMode(BissTransformMode::keyToValue(mode));
    entity->setMultiTurnBits(quint8(reply.at(2)));
    entity->setSingleTurnBits(quint8(reply.at(3)));
    BissErrorAndWrring* faults = BissErrorAndWrring::instance();
    QList<int> codes = faults->getCommunicationFaults();
    const int code = quint8(reply.at(4));
    if (!codes.contains(code)) {
        codes.append(code);
        faults->setCommunicationFaults(codes);
    }
    entity->setSlaveEnabled(reply.at(5) == 0);
    entity->setMasterNormalMode(reply.at(6) == 0);
    masterModeLearned = true;
    report(QStringLiteral("获取Master状态成功"));
    return true;
}

bool BissCommands::setBitCounts(BissEntity* entity) {
    QByteArray frame;
    frame.append(char(kBitCounts))
        .append(char(quint8(entity->getMultiTurnBits())))
        .append(char(quint8(entity->getSingleTurnBits())));
    link->sendBytes(frame);
    report(QStringLiteral("正在设置多圈与单圈位数..."));
    progress(20);
    QByteArray reply;
    if (!link->readBytes(reply, 4)) {
        masterPathFailure();
        return false;
    }
    entity->setMultiTurnBits(quint8(reply.at(1)));
    entity->setSingleTurnBits(quint8(reply.at(2)));
    // The bit-count status is recorded every time, even 0 and repeated codes.
    const int status = quint8(reply.at(3));
    BissErrorAndWrring* faults = BissErrorAndWrring::instance();
    faults->setCommunicationFaults(faults->getCommunicationFaults() << status);
    progress(20);
    if (status != 0) {
        report(QStringLiteral("设置多圈与单圈位数失败，指令错误！"));
        masterPathFailure();
        return false;
    }
    report(QStringLiteral("设置多圈与单圈位数成功"));
    return true;
}

bool BissCommands::setTransformMode(BissEntity* entity) {
    BissTransformMode* modes = BissTransformMode::instance();
    if (!masterModeLearned) {
        // The mode in use is only assumed yet: learn it from the master before toggling. The
        // reading goes into a scratch record, so the mode the operator asked for stays.
        BissEntity current;
        if (!requestMasterStatus(&current))
            return false;
    }
    // The request carries no mode: 07 switches the master to the other mode, so it is sent only
    // when the wanted mode differs from the one the master last reported.
    if (entity->getMasterTransformMode() == BissTransformMode::valueToKey(modes->getMasterMode())) {
        report(QStringLiteral("当前变换模式与设备一致，无需设置"));
        return true;
    }
    link->sendByte(kTransformMode);
    report(QStringLiteral("正在设置变换模式..."));
    progress(60);
    QByteArray reply;
    if (!link->readBytes(reply, 1)) {
        masterPathFailure();
        return false;
    }
    modes->setMasterMode(BissTransformMode::keyToValue(entity->getMasterTransformMode()));
    masterModeLearned = true;
    progress(70);
    report(QStringLiteral("设置变换模式成功"));
    return true;
}

bool BissCommands::toggleSlaveSupply() {
    link->sendByte(kSlaveSupply);
    report(QStringLiteral("正在设置从机使能..."));
    progress(60);
    QByteArray reply;
    if (!link->readBytes(reply, 1)) {
        masterPathFailure();
        return false;
    }
    progress(70);
    report(QStringLiteral("设置从机使能状态成功"));
    return true;
}

bool BissCommands::faultGate() {
    for (int code : BissErrorAndWrring::instance()->getCommunicationFaults())
        if (isGateCode(code)) {
            slavePathFailure();
            return false;
        }
    return true;
}

bool BissCommands::postTransactionTest(BissEntity* entity) {
    if (!requestMasterStatus(entity)) {
        slavePathFailure();
        return false;
    }
    struct Verdict {
        int code;
        const char* text;
    };
    static const Verdict verdicts[] = {
        {BissErrorAndWrring::COMIUNICATION_FAULT_BISS_BUSY, "通信失败：BiSS Busy!!!"},
        {BissErrorAndWrring::COMIUNICATION_FAULT_BISS_IDL, "通信失败：BiSS IDL Error!!!"},
        {BissErrorAndWrring::COMIUNICATION_FAULT_BISS_STREAM, "通信失败：BiSS Stream Error!!!"},
        {BissErrorAndWrring::COMIUNICATION_FAULT_BISS_WRITE, "通信失败：BiSS Write Error!!!"},
        {BissErrorAndWrring::COMIUNICATION_FAULT_CRC, "通信失败：BiSS CRC Error!!!"},
        {BissErrorAndWrring::COMIUNICATION_FAULT_NO_DATA, "通信失败：BiSS No Data!!!"}};
    const QList<int> codes = BissErrorAndWrring::instance()->getCommunicationFaults();
    for (const Verdict& v : verdicts)
        if (codes.contains(v.code)) {
            report(QString::fromUtf8(v.text));
            return false;
        }
    return true;
}

bool BissCommands::readSlaveRegister(BissEntity* entity) {
    if (!faultGate() || !linkModeKnown())
        return false;
    const quint8 address = quint8(entity->getRegisterAddress());
    QByteArray frame;
    if (isBissC()) {
        frame.append(char(kReadRegisterBiss))
            .append(char(address))
            .append(char(kRegisterFrameTail));
    } else {
        frame.append(char(kReadRegisterRs485)).append(char(address));
        frame = withCheck(frame);
    }
    QByteArray reply;
    if (!askSlave(frame, 4, reply))
        return false;
    if (isBissC()) {
        if (!postTransactionTest(entity))
            return false;
        entity->setRegisterValue(quint8(reply.at(3)));
    } else {
        if (!checkByteMatches(reply)) {
            slaveCheckFailure("获取从机寄存器数据失败，CRC校验错误！");
            return false;
        }
        entity->setRegisterValue(quint8(reply.at(2)));
    }
    report(QStringLiteral("获取从机寄存器数据成功"));
    return true;
}

bool BissCommands::writeSlaveRegister(BissEntity* entity) {
    if (!faultGate() || !linkModeKnown())
        return false;
    const quint8 address = quint8(entity->getRegisterAddress());
    const quint8 value = quint8(entity->getRegisterValue());
    QByteArray frame;
    if (isBissC()) {
        frame.append(char(kWriteRegisterBiss))
            .append(char(address))
            .append(char(kRegisterFrameTail))
            .append(char(value));
    } else {
        frame.append(char(kWriteRegisterRs485)).append(char(address)).append(char(value));
        frame = withCheck(frame);
    }
    QByteArray reply;
    if (!askSlave(frame, 4, reply))
        return false;
    if (isBissC()) {
        if (!postTransactionTest(entity))
            return false;
    } else if (!checkByteMatches(reply)) {
        slaveCheckFailure("写入从机寄存器数据失败，CRC校验错误！");
        return false;
    }
    report(QStringLiteral("写入从机寄存器数据成功"));
    const int slaveType = DevicesType::instance()->getSlaveType();
    if (entity->getSaveToEeprom() &&
        (slaveType == DevicesType::ABSRESLOVER || slaveType == DevicesType::ZEK_MT_BISS))
        return saveSlaveEeprom();
    // The master keeps a write open until it is told how it ends; 1A ends it without a save.
    // The job's closing step drains the output, so this last byte is not cleared away.
    link->sendByte(kEndOfWrite);
    return true;
}

bool BissCommands::readRegisterAt(int address, int& value) {
    BissEntity scratch;
    scratch.setRegisterAddress(address);
    if (!readSlaveRegister(&scratch))
        return false;
    value = scratch.getRegisterValue();
    return true;
}

bool BissCommands::writeRegisterAt(int address, int value, bool saveToEeprom) {
    BissEntity scratch;
    scratch.setRegisterAddress(address);
    scratch.setRegisterValue(value);
    scratch.setSaveToEeprom(saveToEeprom);
    return writeSlaveRegister(&scratch);
}

bool BissCommands::saveSlaveEeprom() {
    if (!linkModeKnown())
        return false;
    if (isBissC()) {
        if (writeRegisterAt(BissSlaveRegEdit::COMMAND_ADDR, kCommandSaveEeprom, false)) {
            report(QStringLiteral("从机写入EEPROM成功"));
            return true;
        }
        report(QStringLiteral("从机写入EEPROM失败"));
        return false;
    }
    QByteArray reply;
    if (!askSlave(QByteArray(1, char(kSaveEepromRs485)), 3, reply))
        return false;
    if (!checkByteMatches(reply)) {
        slaveCheckFailure("从机写入EEPROM失败，CRC校验错误！");
        return false;
    }
    if (reply.at(1) != 0) {
        report(QStringLiteral("从机写入EEPROM失败"));
        return false;
    }
    report(QStringLiteral("从机写入EEPROM成功"));
    return true;
}

bool BissCommands::readSlaveId() {
    report(QStringLiteral("正在获取从机ID..."));
    if (!linkModeKnown())
        return false;
    DevicesType* types = DevicesType::instance();
    ConnectFlag* flags = ConnectFlag::instance();
    if (isBissC()) {
        int id = 0;
        if (!readRegisterAt(BissSlaveRegEdit::BISS_ID_ADDR, id)) {
            slavePathFailure();
            return false;
        }
        flags->setSlaveConnection(ConnectFlag::CONNECTED);
        // A BiSS-C slave that reports an unknown code is a FENOXA encoder.
        types->setSlaveType(types->valueToKey(id).isEmpty() ? int(DevicesType::FENOXA_BISS) : id);
        report(QStringLiteral("获取从机ID成功"));
        return true;
    }
    QByteArray reply;
    if (!askSlave(QByteArray(1, char(kSlaveIdRs485)), 4, reply))
        return false;
    if (!checkByteMatches(reply)) {
        slaveCheckFailure("获取从机ID失败，CRC校验错误！");
        return false;
    }
    types->setSlaveType(quint8(reply.at(2)));
    flags->setSlaveConnection(ConnectFlag::CONNECTED);
    report(QStringLiteral("获取从机ID成功"));
    return true;
}

bool BissCommands::fixedRs485Slave(const char* done) {
    // Only a ZEK_MT_BISS slave has a mode register; every other slave talks RS485 alone.
    if (DevicesType::instance()->getSlaveType() == DevicesType::ZEK_MT_BISS)
        return false;
    BissTransformMode::instance()->setSlaveMode(BissTransformMode::RS485);
    report(QString::fromUtf8(done));
    return true;
}

bool BissCommands::readSlaveCommMode(BissEntity* entity) {
    report(QStringLiteral("正在获取从机通信模式..."));
    if (fixedRs485Slave("获取从机通信模式成功"))
        return true;
    BissTransformMode* modes = BissTransformMode::instance();
    int mode = 0;
    if (!readRegisterAt(BissSlaveRegEdit::TRANSFORM_MODE_ADDR, mode)) {
        ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
        report(QStringLiteral("获取从机通信模式失败！"));
        return false;
    }
    modes->setSlaveMode(mode);
    const QString key = BissTransformMode::valueToKey(mode);
    entity->setSlaveTransformMode(key);
    report(QStringLiteral("获取从机通信模式成功！当前通信模式： ") + key);
    return true;
}

bool BissCommands::writeSlaveCommMode(BissEntity* entity) {
    report(QStringLiteral("正在设置从机通信模式..."));
    if (fixedRs485Slave("设置从机通信模式成功"))
        return true;
    BissTransformMode* modes = BissTransformMode::instance();
    // An empty or unknown mode would write FF into the slave's mode register and leave it
    // unreachable after the next restart: refuse it before anything is sent.
    const int wanted = BissTransformMode::keyToValue(entity->getSlaveTransformMode());
    if (wanted < 0) {
        report(QStringLiteral("从机通信模式无效！"));
        report(QStringLiteral("设置从机通信模式失败！"));
        return false;
    }
    if (!writeRegisterAt(BissSlaveRegEdit::TRANSFORM_MODE_ADDR, wanted, true)) {
        report(QStringLiteral("设置从机通信模式失败！"));
        ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
        return false;
    }
    // The slave switches after a restart; slaveMode keeps the mode it talks now.
    report(QStringLiteral("设置从机通信模式成功！当前通信模式： ") +
           BissTransformMode::valueToKey(modes->getSlaveMode()) +
           QStringLiteral(" 请断开编码器连接再重新连接，编码器将自动切换为新通信模式：") +
           entity->getSlaveTransformMode());
    return true;
}

QList<int> BissCommands::slaveFaultsOfRs485Status(quint8 status, bool& errorFree,
                                                  bool& warningFree) {
    struct Bit {
        int bit;
        int fault;
        bool warning;
    };
    static const Bit bits[] = {{0, BissErrorAndWrring::OVER_SPEED_ALM, true},
                               {2, BissErrorAndWrring::ANGLE_ERROR, false},
                               {5, BissErrorAndWrring::MULTI_ERROR, false},
                               {6, BissErrorAndWrring::BATTERY_ERROR, false},
                               {7, BissErrorAndWrring::BATTERY_ALM, true}};
    QList<int> list;
    for (const Bit& b : bits)
        if (status & (1u << b.bit)) {
            list << b.fault;
            (b.warning ? warningFree : errorFree) = false;
        }
    return list;
}

QList<int> BissCommands::resolverFaultsOfStatus(quint8 status) {
    // Bit 1 is the phase lock, bit 7 the input clip; bit 0 is unused.
    static const int faults[8] = {-1,
                                  BissErrorAndWrring::PHASE_LOCK_ERROR,
                                  BissErrorAndWrring::OVER_SPEED,
                                  BissErrorAndWrring::POSITION_LOS,
                                  BissErrorAndWrring::SIN_COS_DOS_MISMATCH,
                                  BissErrorAndWrring::SIN_COS_DOS_OVER,
                                  BissErrorAndWrring::SIN_COS_LOS,
                                  BissErrorAndWrring::SIN_COS_INPUT_CLIP};
    QList<int> list;
    for (int bit = 1; bit < 8; ++bit)
        if (status & (1u << bit))
            list << faults[bit];
    return list;
}

bool BissCommands::readSlaveData(BissEntity* entity) {
    if (!linkModeKnown())
        return false;
    const bool bissC = isBissC();
    QByteArray reply;
    if (!askSlave(QByteArray(1, char(bissC ? kSlaveDataBiss : kSlaveDataRs485)), 11, reply))
        return false;
    DevicesType* types = DevicesType::instance();
    BissErrorAndWrring* faults = BissErrorAndWrring::instance();
    const int slaveType = types->getSlaveType();
    if (!bissC) {
        if (!checkByteMatches(reply)) {
            slaveCheckFailure("从机数据读取失败，CRC校验错误！");
            return false;
        }
        entity->setSingleTurnValue(int(littleEndian(reply, 2, 3)));
        entity->setMultiTurnValue(int(littleEndian(reply, 5, 3)));
        entity->setVoltage(voltageOf(quint8(reply.at(8))));
        const quint8 status = quint8(reply.at(9));
        bool errorFree = true;
        bool warningFree = true;
        if (slaveType == DevicesType::ABSRESLOVER) {
            const QList<int> list = resolverFaultsOfStatus(status);
            errorFree = list.isEmpty();
            faults->setResolverFaults(list);
        } else {
            faults->setSlaveFaults(slaveFaultsOfRs485Status(status, errorFree, warningFree));
        }
        entity->setErrorFree(errorFree);
        entity->setWarningFree(warningFree);
        report(QStringLiteral("从机数据读取成功"));
        return true;
    }

    // BiSS-C: the error and warning bits are active low; the master checks the BiSS CRC itself
    // and reports a bad one as a communication fault, so the reply has no check byte.
    entity->setErrorFree(reply.at(1) != 0);
    entity->setWarningFree(reply.at(2) != 0);
    entity->setSingleTurnValue(int(littleEndian(reply, 3, 4)));
    entity->setMultiTurnValue(int(littleEndian(reply, 7, 4)));
    if (slaveType == DevicesType::ZEK_MT_BISS) {
        int raw = 0;
        if (!readRegisterAt(BissSlaveRegEdit::RESOLUTION_ADDR, raw)) {
            slavePathFailure();
            return false;
        }
        entity->setVoltage(voltageOf(raw));
    }
    const bool fenoxa = slaveType == DevicesType::FENOXA_BISS;
    QList<int> list;
    // Bit n of a fault register set means the n-th fault of faultOfBit.
    auto readFaultRegister = [&](int address, std::initializer_list<int> faultOfBit) {
        int bits = 0;
        if (!readRegisterAt(address, bits)) {
            report(QStringLiteral("从机数据读取失败"));
            return false;
        }
        int bit = 0;
        for (int fault : faultOfBit)
            if (bits & (1 << bit++))
                list << fault;
        return true;
    };
    if (!entity->getErrorFree() &&
        !readFaultRegister(
            fenoxa ? BissSlaveRegEdit::FENOXA_ERROR_ADDR : BissSlaveRegEdit::ERROR_ADDR,
            {BissErrorAndWrring::ANGLE_ERROR, BissErrorAndWrring::MULTI_ERROR,
             BissErrorAndWrring::BATTERY_ERROR}))
        return false;
    if (!entity->getWarningFree() &&
        !readFaultRegister(
            fenoxa ? BissSlaveRegEdit::FENOXA_WARRING_ADDR : BissSlaveRegEdit::WARRING_ADDR,
            {BissErrorAndWrring::OVER_SPEED_ALM, BissErrorAndWrring::BATTERY_ALM}))
        return false;
    faults->setSlaveFaults(list);
    report(QStringLiteral("从机数据读取成功"));
    return true;
}

bool BissCommands::clearSlaveFault() {
    if (!linkModeKnown())
        return false;
    if (isBissC()) {
        const int address = DevicesType::instance()->getSlaveType() == DevicesType::FENOXA_BISS
                                ? BissSlaveRegEdit::FENOXA_COMMAND_ADDR
                                : BissSlaveRegEdit::COMMAND_ADDR;
        // C8 arms the clear, C9 carries it out.
        if (writeRegisterAt(address, kCommandClearArm, false) &&
            writeRegisterAt(address, kCommandClear, false)) {
            report(QStringLiteral("从机清除故障状态成功"));
            return true;
        }
        report(QStringLiteral("从机清除故障状态失败"));
        return false;
    }
    for (int i = 0; i < kClearSlaveFaultRepeats; ++i) {
        QByteArray reply;
        if (!askSlave(QByteArray(1, char(kClearSlaveFaultRs485)), 6, reply))
            return false;
        if (!checkByteMatches(reply)) {
            slaveCheckFailure("从机清除故障状态失败，CRC校验错误！");
            return false;
        }
    }
    report(QStringLiteral("从机清除故障状态成功"));
    return true;
}

bool BissCommands::readResolutionPolePairs(BissEntity* entity) {
    QByteArray reply;
    if (!askSlave(QByteArray(1, char(kReadResolution)), 4, reply))
        return false;
    if (quint8(reply.at(0)) != kReadResolution || !checkByteMatches(reply)) {
        slaveCheckFailure("从机数据读取失败，CRC校验错误！");
        return false;
    }
    entity->setResolution(AbsResloverResolution::valueToKey(quint8(reply.at(1))));
    entity->setPolePairs(quint8(reply.at(2)));
    report(QStringLiteral("读取分辨率与极对数成功，重启后关闭霍尔信号输出"));
    return true;
}

bool BissCommands::writeResolutionPolePairs(BissEntity* entity) {
    // An unknown resolution would go out as FF and set the resolver to a code it does not have.
    const int code = AbsResloverResolution::keyToValue(entity->getResolution());
    if (code < 0 || entity->getPolePairs() < 0 || entity->getPolePairs() > 255) {
        report(QStringLiteral("分辨率或极对数无效！"));
        return false;
    }
    QByteArray frame;
    frame.append(char(kWriteResolution))
        .append(char(code))
        .append(char(quint8(entity->getPolePairs())));
    QByteArray reply;
    if (!askSlave(withCheck(frame), 4, reply))
        return false;
    if (quint8(reply.at(0)) != kWriteResolution || !checkByteMatches(reply)) {
        slaveCheckFailure("从机数据读取失败，CRC校验错误！");
        return false;
    }
    report(QStringLiteral("修改分辨率与极对数成功，重启后生效！"));
    return true;
}
