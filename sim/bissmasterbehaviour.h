// The BiSS-C master adapter with one slave encoder behind it: the master's own requests (status,
// bit counts, link mode, slave supply, fault clear) and the slave traffic it relays, framed
// BiSS-C style or RS485 style by the master's link mode.
#pragma once

#include <array>
#include <chrono>

#include "identifyingbehaviour.h"

class BissMasterBehaviour : public IdentifyingBehaviour {
public:
    // Type codes of the slaves and link modes, as the equipment reports them.
    static constexpr int kZekMtBiss = 188;
    static constexpr int kFenoxaBiss = 185;
    static constexpr int kAbsResolver = 221;
    static constexpr int kRs485 = 0;
    static constexpr int kBissC = 1;
    // Fault codes of the master's last BiSS transaction.
    static constexpr int kNoFault = 0;
    static constexpr int kNoData = 3;

    // The encoder behind the master. Registers 0..255 (FENOXA uses 72..74 for its command,
    // error and warning registers); saved ones are reloaded when the supply comes back.
    struct Slave {
        int type = kZekMtBiss;
        bool plugged = true;
        // The mode the slave talks now; a ZEK_MT_BISS takes a new mode from register 10 only
        // after it was saved to EEPROM and the supply was switched off and on.
        int commMode = kBissC;
        double speedRpm = 12.0;   // the shaft turns at this speed
        quint8 voltageRaw = 250;  // supply voltage byte: volts = raw * 3.3 / 255
        quint8 errorBits = 0;     // BiSS-C error register: 0 angle, 1 multi-turn, 2 battery
        quint8 warningBits = 0;   // BiSS-C warning register: 0 over-speed, 1 battery
        quint8 rs485Status = 0;   // RS485 status byte (0 over-speed, 2 angle, 5 multi, 6/7 battery)
        quint8 resolverStatus = 0;  // resolver status bits 1..7
        int resolutionCode = 1;     // L4096
        int polePairs = 4;
        int idCode = -1;  // what register 11 / the 92 reply report; -1: the slave's type
        std::array<quint8, 256> registers{};
        std::array<quint8, 256> eeprom{};
    };

    struct Settings {
        int linkMode = kBissC;
        int multiTurnBits = 16;
        int singleTurnBits = 17;
        bool supplyOn = true;
        bool normalMode = true;
        int reportedFault = -1;     // >= 0: byte 4 of every status reply, whatever happened
        quint8 bitCountStatus = 0;  // byte 3 of the bit-count reply
        int clearFaultEcho = 0x0F;  // the reply to 0F
        int badCheckOnReply = 0;    // k > 0: the k-th reply from now has its last byte spoilt
    };

    BissMasterBehaviour();

    // Puts a slave of the given type on the line with its factory registers.
    void plugSlave(int type);

    Settings settings;
    Slave slave;
    int lastFault = kNoFault;  // outcome of the last relayed BiSS transaction
    int endBytes = 0;          // 1A bytes received (end of a write without EEPROM save)
    int eepromSaves = 0;
    int zeroings = 0;

    // The position now, in counts: single-turn within 2^singleTurnBits, multi-turn revolutions.
    quint32 singleTurnNow() const;
    quint32 multiTurnNow() const;

protected:
    int consumeCommand(const QByteArray& input, QList<QByteArray>& replies) override;

private:
    bool slaveAnswers() const;
    int commandRegister() const;
    quint8 readRegister(int address) const;
    void writeRegister(int address, quint8 value);
    void powerUp();
    void reply(QList<QByteArray>& replies, QByteArray bytes);
    double turns() const;

    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    double zeroTurns = 0.0;
    bool clearArmed = false;
};
