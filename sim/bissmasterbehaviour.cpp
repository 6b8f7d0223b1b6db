#include "bissmasterbehaviour.h"

#include <cmath>

namespace {
// Master requests, answered in either link mode.
constexpr quint8 kStatus = 0x0A;
constexpr quint8 kBitCounts = 0x09;
constexpr quint8 kToggleMode = 0x07;
constexpr quint8 kToggleSupply = 0xEE;
constexpr quint8 kClearFault = 0x0F;
constexpr quint8 kEndOfWrite = 0x1A;
// Resolver requests, relayed whatever the link mode.
constexpr quint8 kReadResolution = 0xAB;
constexpr quint8 kWriteResolution = 0xA4;
// BiSS-C frames.
constexpr quint8 kBissRead = 0x04;
constexpr quint8 kBissWrite = 0x05;
constexpr quint8 kBissData = 0x01;
// RS485 frames.
constexpr quint8 kRsRead = 0xEA;
constexpr quint8 kRsWrite = 0x32;
constexpr quint8 kRsSave = 0x33;
constexpr quint8 kRsId = 0x92;
constexpr quint8 kRsData = 0x3A;
constexpr quint8 kRsClear = 0xBA;

// Registers and command codes of the slave.
constexpr int kCommandAddr = 5;
constexpr int kFenoxaCommandAddr = 74;
constexpr int kErrorAddr = 6;
constexpr int kFenoxaErrorAddr = 72;
constexpr int kWarningAddr = 7;
constexpr int kFenoxaWarningAddr = 73;
constexpr int kModeAddr = 10;
constexpr int kIdAddr = 11;
constexpr int kVoltageAddr = 12;
constexpr int kPolePairsAddr = 13;
constexpr quint8 kCmdSave = 0x2E;
constexpr quint8 kCmdZero = 0x2C;
constexpr quint8 kCmdClearArm = 0xC8;
constexpr quint8 kCmdClear = 0xC9;

quint8 xorOf(const QByteArray& bytes, int count) {
    quint8 x = 0;
    for (int i = 0; i < count && i < bytes.size(); ++i) x ^= quint8(bytes.at(i));
    return x;
}

void appendLe(QByteArray& bytes, quint32 value, int count) {
    for (int i = 0; i < count; ++i) bytes.append(char((value >> (8 * i)) & 0xFF));
}

// Request lengths by command byte; 1 for everything a single byte carries.
int requestLength(quint8 command) {
    switch (command) {
        case kBitCounts:
        case kBissRead:
        case kRsRead:
            return 3;
        case kBissWrite:
        case kRsWrite:
        case kWriteResolution:
            return 4;
        default:
            return 1;
    }
}
}  // namespace

BissMasterBehaviour::BissMasterBehaviour()
    : IdentifyingBehaviour(0xBF, QStringLiteral("BiSS_Master")) {
    statusRequest = 0x0D;
    normalModelRequest = 0x0C;
    normalModelEcho = 0x0C;
    plugSlave(kZekMtBiss);
}

void BissMasterBehaviour::plugSlave(int type) {
    slave.type = type;
    slave.plugged = true;
    slave.commMode = type == kAbsResolver ? kRs485 : kBissC;
    slave.registers.fill(0);
    slave.registers[kModeAddr] = quint8(slave.commMode);
    slave.registers[kIdAddr] = quint8(type);
    slave.registers[kPolePairsAddr] = quint8(slave.polePairs);
    slave.eeprom = slave.registers;
}

double BissMasterBehaviour::turns() const {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return seconds * slave.speedRpm / 60.0 - zeroTurns;
}

quint32 BissMasterBehaviour::singleTurnNow() const {
    const double t = turns();
    const double fraction = t - std::floor(t);
    const int bits = qBound(0, settings.singleTurnBits, 32);
    return quint32(std::fmod(fraction * std::ldexp(1.0, bits), std::ldexp(1.0, bits)));
}

quint32 BissMasterBehaviour::multiTurnNow() const {
    return quint32(qint64(std::floor(turns())));
}

bool BissMasterBehaviour::slaveAnswers() const {
    return slave.plugged && settings.supplyOn && slave.commMode == settings.linkMode;
}

int BissMasterBehaviour::commandRegister() const {
    return slave.type == kFenoxaBiss ? kFenoxaCommandAddr : kCommandAddr;
}

quint8 BissMasterBehaviour::readRegister(int address) const {
    const bool fenoxa = slave.type == kFenoxaBiss;
    if (address == (fenoxa ? kFenoxaErrorAddr : kErrorAddr))
        return slave.errorBits;
    if (address == (fenoxa ? kFenoxaWarningAddr : kWarningAddr))
        return slave.warningBits;
    if (address == kIdAddr)
        return quint8(slave.idCode >= 0 ? slave.idCode : slave.type);
    if (address == kVoltageAddr && slave.type == kZekMtBiss)
        return slave.voltageRaw;
    return slave.registers[size_t(address & 0xFF)];
}

void BissMasterBehaviour::writeRegister(int address, quint8 value) {
    if (address == commandRegister()) {
        if (value == kCmdSave) {
            slave.eeprom = slave.registers;
            ++eepromSaves;
        } else if (value == kCmdZero) {
            const double t = turns();
            zeroTurns += t - std::floor(t);
            ++zeroings;
        } else if (value == kCmdClearArm) {
            clearArmed = true;
            return;
        } else if (value == kCmdClear && clearArmed) {
            slave.errorBits = slave.warningBits = 0;
            slave.rs485Status = slave.resolverStatus = 0;
        }
        clearArmed = false;
        return;
    }
    slave.registers[size_t(address & 0xFF)] = value;
}

void BissMasterBehaviour::powerUp() {
    slave.registers = slave.eeprom;
    // Only the ZEK_MT_BISS switches its line protocol, and only from what it saved.
    if (slave.type == kZekMtBiss && slave.eeprom[kModeAddr] <= kBissC)
        slave.commMode = slave.eeprom[kModeAddr];
}

void BissMasterBehaviour::reply(QList<QByteArray>& replies, QByteArray bytes) {
    if (settings.badCheckOnReply > 0 && --settings.badCheckOnReply == 0 && !bytes.isEmpty())
        bytes[bytes.size() - 1] = char(quint8(bytes.back()) ^ 0xFF);
    replies << bytes;
}

int BissMasterBehaviour::consumeCommand(const QByteArray& input, QList<QByteArray>& replies) {
    const quint8 command = quint8(input.at(0));
    const int length = requestLength(command);
    if (input.size() < length)
        return 0;
    const auto arg = [&](int i) { return quint8(input.at(i)); };
    const bool bissC = settings.linkMode == kBissC;
    const bool answers = slaveAnswers();

    switch (command) {
        case kStatus: {
            const int fault = settings.reportedFault >= 0 ? settings.reportedFault : lastFault;
            QByteArray bytes;
            bytes.append(char(kStatus))
                .append(char(settings.linkMode))
                .append(char(settings.multiTurnBits))
                .append(char(settings.singleTurnBits))
                .append(char(fault))
                .append(char(settings.supplyOn ? 0 : 1))
                .append(char(settings.normalMode ? 0 : 1));
            reply(replies, bytes);
            return 1;
        }
        case kBitCounts:
            if (settings.bitCountStatus == 0) {
                settings.multiTurnBits = arg(1);
                settings.singleTurnBits = arg(2);
            }
            reply(replies, QByteArray() + char(kBitCounts) + char(arg(1)) + char(arg(2)) +
                               char(settings.bitCountStatus));
            return length;
        case kToggleMode:
            settings.linkMode = bissC ? kRs485 : kBissC;
            reply(replies, QByteArray(1, char(kToggleMode)));
            return 1;
        case kToggleSupply:
            settings.supplyOn = !settings.supplyOn;
            if (settings.supplyOn)
                powerUp();
            reply(replies, QByteArray(1, char(kToggleSupply)));
            return 1;
        case kClearFault:
            lastFault = kNoFault;
            reply(replies, QByteArray(1, char(settings.clearFaultEcho)));
            return 1;
        case kEndOfWrite:
            ++endBytes;
            return 1;
        case kReadResolution:
            if (slave.plugged && settings.supplyOn && slave.type == kAbsResolver) {
                QByteArray bytes;
                bytes.append(char(kReadResolution))
                    .append(char(slave.resolutionCode))
                    .append(char(slave.polePairs));
                bytes.append(char(xorOf(bytes, 3)));
                reply(replies, bytes);
            }
            return 1;
        case kWriteResolution:
            if (slave.plugged && settings.supplyOn && slave.type == kAbsResolver &&
                arg(3) == xorOf(input, 3)) {
                slave.resolutionCode = arg(1);
                slave.polePairs = arg(2);
                reply(replies, input.left(4));
            }
            return length;
        default:
            break;
    }

    if (bissC) {
        // The master always answers a BiSS-C frame; a slave that does not answer shows as
        // zeros and the NO_DATA code in the next status.
        switch (command) {
            case kBissRead: {
                lastFault = answers ? kNoFault : kNoData;
                const quint8 value = answers ? readRegister(arg(1)) : 0;
                reply(replies,
                      QByteArray() + char(kBissRead) + char(arg(1)) + char(arg(2)) + char(value));
                return length;
            }
            case kBissWrite:
                lastFault = answers ? kNoFault : kNoData;
                if (answers)
                    writeRegister(arg(1), arg(3));
                reply(replies, input.left(4));
                return length;
            case kBissData: {
                lastFault = answers ? kNoFault : kNoData;
                QByteArray bytes(1, char(kBissData));
                if (answers) {
                    // Error and warning bits travel active low.
                    bytes.append(char(slave.errorBits ? 0 : 1));
                    bytes.append(char(slave.warningBits ? 0 : 1));
                    appendLe(bytes, singleTurnNow(), 4);
                    appendLe(bytes, multiTurnNow(), 4);
                } else {
                    bytes.append(QByteArray(10, '\0'));
                }
                reply(replies, bytes);
                return 1;
            }
            default:
                return length;
        }
    }

    // RS485: the master relays; a slave that does not answer leaves the line silent.
    if (!answers)
        return length;
    switch (command) {
        case kRsRead: {
            if (arg(2) != xorOf(input, 2))
                return length;
            QByteArray bytes;
            bytes.append(char(kRsRead)).append(char(arg(1))).append(char(readRegister(arg(1))));
            bytes.append(char(xorOf(bytes, 3)));
            reply(replies, bytes);
            return length;
        }
        case kRsWrite:
            if (arg(3) != xorOf(input, 3))
                return length;
            writeRegister(arg(1), arg(2));
            reply(replies, input.left(4));
            return length;
        case kRsSave: {
            slave.eeprom = slave.registers;
            ++eepromSaves;
            QByteArray bytes;
            bytes.append(char(kRsSave)).append('\0');
            bytes.append(char(xorOf(bytes, 2)));
            reply(replies, bytes);
            return 1;
        }
        case kRsId: {
            QByteArray bytes;
            bytes.append(char(kRsId)).append('\0').append(char(readRegister(kIdAddr)));
            bytes.append(char(xorOf(bytes, 3)));
            reply(replies, bytes);
            return 1;
        }
        case kRsData: {
            QByteArray bytes;
            bytes.append(char(kRsData)).append('\0');
            appendLe(bytes, singleTurnNow() & 0xFFFFFF, 3);
            appendLe(bytes, multiTurnNow() & 0xFFFFFF, 3);
            bytes.append(char(slave.voltageRaw));
            bytes.append(
                char(slave.type == kAbsResolver ? slave.resolverStatus : slave.rs485Status));
            bytes.append(char(xorOf(bytes, 10)));
            reply(replies, bytes);
            return 1;
        }
        case kRsClear: {
            slave.errorBits = slave.warningBits = 0;
            slave.rs485Status = slave.resolverStatus = 0;
            QByteArray bytes(1, char(kRsClear));
            bytes.append(QByteArray(4, '\0'));
            bytes.append(char(xorOf(bytes, 5)));
            reply(replies, bytes);
            return 1;
        }
        default:
            return length;
    }
}
