// The BiSS master adapter's commands over the device link; BissJobs wraps them into jobs. The
// host talks to the master only; slave traffic is relayed by it, framed by the master's link mode.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class BissEntity;
class Ymodem;

class BissCommands {
public:
    // Request bytes; where the same job uses another byte on an RS485 line, both are named.
    static constexpr quint8 kClearMasterFault = 0x0F;
    static constexpr quint8 kMasterStatus = 0x0A;
    static constexpr quint8 kTransformMode = 0x07;
    static constexpr quint8 kSlaveSupply = 0xEE;
    static constexpr quint8 kBitCounts = 0x09;
    static constexpr quint8 kReadResolution = 0xAB;
    static constexpr quint8 kWriteResolution = 0xA4;
    static constexpr quint8 kReadRegisterBiss = 0x04;
    static constexpr quint8 kReadRegisterRs485 = 0xEA;
    static constexpr quint8 kWriteRegisterBiss = 0x05;
    static constexpr quint8 kWriteRegisterRs485 = 0x32;
    static constexpr quint8 kRegisterFrameTail = 0x01;  // third byte of the BiSS-C register frames
    static constexpr quint8 kSaveEepromRs485 = 0x33;
    static constexpr quint8 kEndOfWrite = 0x1A;
    static constexpr quint8 kSlaveIdRs485 = 0x92;
    static constexpr quint8 kSlaveDataBiss = 0x01;
    static constexpr quint8 kSlaveDataRs485 = 0x3A;
    static constexpr quint8 kClearSlaveFaultRs485 = 0xBA;
    static constexpr int kClearSlaveFaultRepeats = 10;
    // Command register codes of the slave.
    static constexpr int kCommandSaveEeprom = 0x2E;
    static constexpr int kCommandZeroSingleTurn = 0x2C;
    static constexpr int kCommandClearArm = 0xC8;
    static constexpr int kCommandClear = 0xC9;

    explicit BissCommands(Ymodem* link) : link(link) {}

    // Commands: each runs inside an open job and blocks; true on success.
    bool clearMasterFault();
    bool requestMasterStatus(BissEntity* entity);
    bool setBitCounts(BissEntity* entity);
    bool setTransformMode(BissEntity* entity);
    bool toggleSlaveSupply();
    bool readSlaveRegister(BissEntity* entity);
    bool writeSlaveRegister(BissEntity* entity);
    bool saveSlaveEeprom();
    bool readSlaveId();
    bool readSlaveCommMode(BissEntity* entity);
    bool writeSlaveCommMode(BissEntity* entity);
    bool readSlaveData(BissEntity* entity);
    bool clearSlaveFault();
    bool readResolutionPolePairs(BissEntity* entity);
    bool writeResolutionPolePairs(BissEntity* entity);

    // The status byte of an RS485 data reply, decoded: the slave table, or a resolver's own.
    static QList<int> slaveFaultsOfRs485Status(quint8 status, bool& errorFree, bool& warningFree);
    static QList<int> resolverFaultsOfStatus(quint8 status);

private:
    // Sends request and reads replyLength bytes; a missing reply is a failed slave path.
    bool askSlave(const QByteArray& request, int replyLength, QByteArray& reply);
    bool isBissC() const;
    // False, with a message, while the master's link mode is neither RS485 nor BISS_C: no frame
    // can be chosen then, so nothing is sent.
    bool linkModeKnown();
    bool faultGate();
    bool postTransactionTest(BissEntity* entity);
    void slavePathFailure();
    void masterPathFailure();
    void slaveCheckFailure(const char* text);
    // True (with the done message) for a slave without a mode register: its mode is RS485.
    bool fixedRs485Slave(const char* done);
    // Register access through a scratch record; value in and out through value.
    bool readRegisterAt(int address, int& value);
    bool writeRegisterAt(int address, int value, bool saveToEeprom);
    void progress(int value);
    void report(const QString& text);

    Ymodem* link;
    // Whether the master's link mode was read from the master during this run. 07 switches the
    // master to the other mode without saying which: a decision taken from the assumed default
    // could switch a BiSS-C master away from the mode the operator asked for.
    bool masterModeLearned = false;
};
