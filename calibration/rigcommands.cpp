#include "rigcommands.h"

#include <cmath>
#include <cstring>

#include <QDebug>
#include <QtEndian>

#include "devicesareaconfig.h"
#include "devicestype.h"
#include "jobframe.h"
#include "ymodem.h"

namespace {
const QString kRough = QStringLiteral("ROUGH");
const QString kFine = QStringLiteral("FINE");
const QString kFinal = QStringLiteral("FINAL");
const QString kTestKeys[] = {QStringLiteral("FIRST"), QStringLiteral("SECOND"),
                             QStringLiteral("THIRD"), QStringLiteral("FOURTH")};

float floatAt(const QByteArray& bytes, int index) {
    const quint32 bits = qFromLittleEndian<quint32>(bytes.constData() + 4 * index);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void appendBigEndian16(QByteArray& frame, quint16 value) {
    frame.append(char(value >> 8));
    frame.append(char(value & 0xFF));
}

QString deviceName(int typeCode) {
    return DevicesType::instance()->valueToKey(typeCode);
}
}  // namespace

RigCommands::RigCommands(Ymodem* link) : link(link) {}

QByteArray RigCommands::parameterFrame(float targetInl, quint16 encoderLine, quint16 pointNum,
                                       qint16 calibrationSpeed, const QList<qint16>& testSpeed) {
    QByteArray frame;
    frame.append(char(kParameterLead));
    // The target INL goes out little-endian while every 16-bit field is big-endian: the rig
    // copies the float as it lies in memory and assembles the integers byte by byte.
    quint32 bits;
    std::memcpy(&bits, &targetInl, sizeof bits);
    char le[4];
    qToLittleEndian<quint32>(bits, le);
    frame.append(le, 4);
    appendBigEndian16(frame, encoderLine);
    appendBigEndian16(frame, pointNum);
    appendBigEndian16(frame, quint16(calibrationSpeed));
    for (int i = 0; i < 4; ++i) appendBigEndian16(frame, quint16(testSpeed.value(i, 0)));
    return frame;
}

float RigCommands::rawToDegrees(quint32 raw, int resolution) {
    const float value = float(raw);
    const qint32 fullTurn = qint32(1) << resolution;
    return float(double(value) * 360.0 / double(fullTurn));
}

float RigCommands::targetInl(int typeCode) {
    const DevicesAreaConfig model(nullptr, deviceName(typeCode));
    return float(model.value(QStringLiteral("TargetInl"))) / 1000.0f;
}

int RigCommands::resolution(int typeCode) {
    const DevicesAreaConfig model(nullptr, deviceName(typeCode));
    return model.value(QStringLiteral("Resolution"));
}

bool RigCommands::identifyEncoder(int& typeCode) {
    int id = 0;
    if (!link->getDevicesId(id))
        return false;
    const int bits = resolution(id);
    if (!resolutionUsable(bits)) {
        // 2^R must fit a 32-bit integer; a wrong entry would turn every angle into nonsense.
        link->report(QStringLiteral("设备 [ %1 ] 的分辨率配置 Resolution = %2 超出 0..30 的范围，"
                                    "请检查配置文件。")
                         .arg(deviceName(id))
                         .arg(bits));
        return false;
    }
    typeCode = id;
    return true;
}

bool RigCommands::setCalibrationParameters(const QString& portText, int baudRate,
                                           quint16 encoderLine, quint16 pointNum,
                                           qint16 calibrationSpeed,
                                           const QList<qint16>& testSpeed) {
    JobFrame frame(link, portText, baudRate);
    if (!frame.isOpen())
        return false;
    if (!link->handshake(0))
        return false;
    emit link->setProgress(30);
    link->report(QStringLiteral("获取设备ID..."));
    link->sendByte(kAnnounceParameters);
    int typeCode = 0;
    if (!identifyEncoder(typeCode))
        return false;
    const float target = targetInl(typeCode);
    if (!sendCalibrationParameters(target, encoderLine, pointNum, calibrationSpeed, testSpeed))
        return false;
    emit link->setProgress(60);
    if (!link->sendEndSignal())
        return false;
    link->closeSerialPort();
    emit link->setProgress(80);
    return true;
}

bool RigCommands::sendCalibrationParameters(float targetInl, quint16 encoderLine, quint16 pointNum,
                                            qint16 calibrationSpeed,
                                            const QList<qint16>& testSpeed) {
    link->report(QStringLiteral("发送校准设定参数..."));
    writeParameterFrame(targetInl, encoderLine, pointNum, calibrationSpeed, testSpeed);
    const int reply = link->readByte();
    if (reply == Ymodem::kAck) {
        link->report(QStringLiteral("参数设置成功!"));
        return true;
    }
    if (reply == Ymodem::kNak) {
        link->report(QStringLiteral("失败！原因：设备拒绝通信！"));
        return false;
    }
    link->report(QStringLiteral("失败！原因：等待设备的<响应>指令超时。"));
    qDebug() << "失败！原因：等待驱动器的<响应>指令超时";
    return false;
}

bool RigCommands::writeParameterFrame(float targetInl, quint16 encoderLine, quint16 pointNum,
                                      qint16 calibrationSpeed, const QList<qint16>& testSpeed) {
    const QByteArray frame =
        parameterFrame(targetInl, encoderLine, pointNum, calibrationSpeed, testSpeed);
    for (int i = 0; i <= 10; ++i)
        qDebug().noquote() << QString::number(quint8(frame.at(i)), 16).toUpper();
    return link->sendBytes(frame);
}

bool RigCommands::getCalibrationResult(bool& verdict) {
    link->report(QStringLiteral("获取校准结果..."));
    const int reply = link->readByte();
    if (reply == Ymodem::kAck || reply == Ymodem::kNak) {
        // 15 is the rig judging the encoder bad, not a failed exchange.
        verdict = reply == Ymodem::kAck;
        emit link->setProgress(90);
        return true;
    }
    link->report(QStringLiteral("获取校准结果失败，请检查设备连接是否正常！"));
    verdict = false;
    return false;
}

bool RigCommands::getZeroAngle(quint32& angle) {
    if (link->readByte() != kZero || !link->readWord32(angle)) {
        link->report(QStringLiteral("获取对零后角度失败，请检查设备连接是否正常！"));
        return false;
    }
    return true;
}

bool RigCommands::beginJob(const QString& opening, quint8 command) {
    if (!link->handshake(0))
        return false;
    emit link->setProgress(10);
    link->report(opening);
    link->sendByte(command);
    link->report(QStringLiteral("获取设备ID..."));
    return true;
}

bool RigCommands::zeroEncoder(const QString& portText, int baudRate, int& typeCode, quint32& angle,
                              bool& verdict) {
    JobFrame frame(link, portText, baudRate);
    if (!frame.isOpen() || !beginJob(QStringLiteral("开始对零..."), kZero))
        return false;
    if (!identifyEncoder(typeCode) || !getZeroAngle(angle) || !getCalibrationResult(verdict))
        return false;
    emit link->setProgress(100);
    return true;
}

bool RigCommands::calibrateEncoder(const QString& portText, int baudRate, int pointNum,
                                   int& typeCode, CurveMap& curves, CurveMap& coefficients,
                                   ValueMap& maxInl, ValueMap& lineOffset, bool& verdict) {
    JobFrame frame(link, portText, baudRate);
    if (!frame.isOpen() || !beginJob(QStringLiteral("开始校准..."), kCalibrate))
        return false;
    if (!identifyEncoder(typeCode))
        return false;
    link->report(QStringLiteral("设置校准速度..."));
    const bool phases =
        typeCode == kZekEncoder
            ? readCalibrationPhases(pointNum, curves, coefficients, maxInl, lineOffset)
            : readSelfCalibrationPhases(pointNum, typeCode, curves, maxInl);
    // The phase loops' long deadlines have ended with them: the verdict comes within the
    // normal one.
    return phases && getCalibrationResult(verdict);
}

bool RigCommands::readCalibrationPhases(int pointNum, CurveMap& curves, CurveMap& coefficients,
                                        ValueMap& maxInl, ValueMap& lineOffset) {
    // A block is stored only when it arrived whole; keys that never came stay absent.
    auto readPhase = [&](const QString& key, const QString& failure) {
        QList<float> curve = curves.value(key);
        QList<float> coefficientList = coefficients.value(key);
        float maximum = 0.0f;
        float offset = 0.0f;
        if (!readCalibrationBlock(pointNum, curve, coefficientList, maximum, offset)) {
            link->report(failure);
            return false;
        }
        curves.insert(key, curve);
        coefficients.insert(key, coefficientList);
        maxInl.insert(key, maximum);
        lineOffset.insert(key, offset);
        return true;
    };

    int handled = 0;
    int progress = 35;
    int timeout = firstStatusTimeoutMs;
    for (;;) {
        // The deadline set for a status byte also bounds the block behind it.
        const ReplyDeadline deadline(link, timeout);
        const int status = link->readByte();
        qDebug() << "readData:" << status;
        if (status == kStatusStarted) {
            link->report(QStringLiteral("校准开始..."));
            link->report(QStringLiteral("获取粗校准数据..."));
        } else if (status == kStatusRough) {
            if (!readPhase(kRough, QStringLiteral("获取粗校准数据失败，请检查设备连接是否正常！")))
                return false;
            link->report(QStringLiteral("获取粗校准数据完成"));
            link->report(QStringLiteral("获取精校准数据..."));
        } else if (status == kStatusFine) {
            if (!readPhase(kFine, QStringLiteral("获取精校准数据失败，请检查设备连接是否正常！")))
                return false;
            link->report(QStringLiteral("获取精校准数据完成"));
            link->report(QStringLiteral("校验校准效果..."));
        } else if (status == kStatusVerify) {
            if (!readPhase(kFinal,
                           QStringLiteral("获取校准效果数据失败，请检查设备连接是否正常！")))
                return false;
            link->report(QStringLiteral("获取校准效果数据完成"));
        } else {
            link->report(QStringLiteral("获取校准数据失败，请检查设备连接是否正常！"));
            return false;
        }
        // Handled statuses are counted, not checked for order: the rig's sequence is trusted.
        ++handled;
        emit link->setProgress(progress);
        progress += 15;
        if (handled == 4)
            return true;
        timeout = statusTimeoutMs;
    }
}

bool RigCommands::readSelfCalibrationPhases(int pointNum, int typeCode, CurveMap& curves,
                                            ValueMap& maxInl) {
    auto readPhase = [&](const QString& key, const QString& failure) {
        float maximum = 0.0f;
        if (!readInlPhase(pointNum, typeCode, key, curves, maximum, failure))
            return false;
        maxInl.insert(key, maximum);
        return true;
    };

    int handled = 0;
    int progress = 35;
    bool fineReceived = false;
    int timeout = firstStatusTimeoutMs;
    for (;;) {
        const ReplyDeadline deadline(link, timeout);
        const int status = link->readByte();
        qDebug() << "readData:" << status;
        if (status == kStatusStarted) {
            link->report(QStringLiteral("校准开始..."));
            link->report(QStringLiteral("获取校准前设备INL数据..."));
        } else if (status == kStatusRough) {
            if (!readPhase(kRough, QStringLiteral("获取设备数据失败，请检查设备连接是否正常！")))
                return false;
            link->report(QStringLiteral("获取校准前设备INL数据完成"));
            link->report(QStringLiteral("获取自校准数据..."));
        } else if (status == kStatusFine) {
            quint32 speed = 0;
            bool calibrated = false;
            if (!link->readSpeedReply(speed, calibrated)) {
                link->report(QStringLiteral("获取自校准数据失败，请检查设备连接是否正常！"));
                return false;
            }
            if (!calibrated) {
                link->report(QStringLiteral("当前校准速度为 [ %1 ] RPM，设备反馈自校准失败，"
                                            "请检查校准环境。")
                                 .arg(speed));
                return false;
            }
            link->report(
                QStringLiteral("当前校准速度为 [ %1 ] RPM，设备反馈自校准成功。").arg(speed));
            link->report(QStringLiteral("校验自校准效果 并计算NLC查找表..."));
        } else if (status == kStatusVerify && !fineReceived) {
            fineReceived = readPhase(
                kFine, QStringLiteral("获取自校准效果数据失败，请检查设备连接是否正常！"));
            if (!fineReceived)
                return false;
            link->report(QStringLiteral("获取自校准效果数据完成"));
            link->report(QStringLiteral("校验NLC校准效果..."));
        } else if (status == kStatusVerify) {
            if (!readPhase(kFinal,
                           QStringLiteral("获取校准效果数据失败，请检查设备连接是否正常！")))
                return false;
            link->report(QStringLiteral("获取NLC校准效果数据完成"));
            fineReceived = false;
        } else {
            link->report(QStringLiteral("获取校准数据失败，请检查设备连接是否正常！"));
            return false;
        }
        ++handled;
        emit link->setProgress(progress);
        if (handled == 5)
            return true;
        progress += 15;
        // The encoder calibrates itself between the second and the third status.
        timeout = handled == 2 ? selfCalibrationTimeoutMs : statusTimeoutMs;
    }
}

bool RigCommands::testEncoder(const QString& portText, int baudRate, int pointNum, int& typeCode,
                              CurveMap& curves, QList<float>& testMaxInl, bool& verdict) {
    JobFrame frame(link, portText, baudRate);
    if (!frame.isOpen() || !beginJob(QStringLiteral("开始测试..."), kTest))
        return false;
    if (!identifyEncoder(typeCode) || !readTestSteps(typeCode, pointNum, curves, testMaxInl) ||
        !getCalibrationResult(verdict))
        return false;
    emit link->setProgress(100);
    return true;
}

bool RigCommands::readInlPhase(int pointNum, int typeCode, const QString& key, CurveMap& curves,
                               float& maxInl, const QString& failure) {
    // A block is stored only when it arrived whole; keys that never came stay absent.
    QList<float> curve = curves.value(key);
    if (!readInlBlock(pointNum, typeCode, curve, maxInl)) {
        link->report(failure);
        return false;
    }
    curves.insert(key, curve);
    return true;
}

bool RigCommands::readTestSteps(int typeCode, int pointNum, CurveMap& curves,
                                QList<float>& testMaxInl) {
    const ReplyDeadline deadline(link, testStepTimeoutMs);
    for (int step = 1; step <= 8; ++step) {
        link->report(QStringLiteral("设置测试速度..."));
        const int status = link->readByte();
        qDebug() << "readData:" << status;
        if (status != kStatusTestStep) {
            link->report(QStringLiteral("获取测试数据失败，请检查设备连接是否正常！"));
            return false;
        }
        if (step % 2 == 1) {
            link->report(QStringLiteral("第 [ %1 ] 次测试开始...").arg((step + 1) / 2));
        } else {
            // The rig sends 44 before each run and 44 with the run's INL block after it.
            const int run = step / 2;
            link->report(QStringLiteral("获取第 [%1] 次测试设备INL数据...").arg(run));
            float maximum = 0.0f;
            if (!readInlPhase(pointNum, typeCode, kTestKeys[run - 1], curves, maximum,
                              QStringLiteral("获取设备数据失败，请检查设备连接是否正常！")))
                return false;
            while (testMaxInl.size() < run) testMaxInl.append(0.0f);
            testMaxInl[run - 1] = maximum;
            link->report(QStringLiteral("获取第 [%1] 次测试设备INL数据完成").arg(run));
        }
        emit link->setProgress(5 * step + 20);
    }
    return true;
}

bool RigCommands::readCalibrationBlock(int pointNum, QList<float>& curve,
                                       QList<float>& coefficients, float& maxInl,
                                       float& lineOffset) {
    if (pointNum < 0)
        return false;
    // N error values, 8 Fourier coefficients, the maximum INL and the best-line offset.
    QByteArray block;
    if (!link->readBytes(block, 4 * pointNum + 40))
        return false;
    const int count = pointNum + 10;
    QList<float> values;
    values.reserve(count);
    for (int i = 0; i < count; ++i) {
        const float value = floatAt(block, i);
        // A NaN or infinity is a damaged block, never a measurement.
        if (!std::isfinite(value)) {
            qDebug() << "calibration block value" << i << "is not a number";
            return false;
        }
        values.append(value);
    }
    maxInl = values.at(pointNum + 8);
    lineOffset = values.at(pointNum + 9);
    qDebug() << "MaxINL" << maxInl;
    curve.append(values.mid(0, pointNum));
    coefficients.append(values.mid(pointNum, 8));
    return true;
}

bool RigCommands::readInlBlock(int pointNum, int typeCode, QList<float>& curve, float& maxInl) {
    if (pointNum < 0)
        return false;
    // N angle readings in raw counts, then the maximum INL as a float.
    QByteArray block;
    if (!link->readBytes(block, 4 * pointNum + 4))
        return false;
    const float maximum = floatAt(block, pointNum);
    if (!std::isfinite(maximum)) {
        qDebug() << "INL block maximum is not a number";
        return false;
    }
    const int bits = resolution(typeCode);
    if (!resolutionUsable(bits))
        return false;
    qDebug() << "MaxINL" << maximum;
    for (int i = 0; i < pointNum; ++i)
        curve.append(rawToDegrees(qFromLittleEndian<quint32>(block.constData() + 4 * i), bits));
    maxInl = maximum;
    return true;
}
