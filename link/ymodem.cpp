#include "ymodem.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QSerialPort>
#include <QThread>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

#include "baidutranslate.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "readconfig.h"
#include "transformways.h"
#include "ymodemstatus.h"
#include "jobframe.h"

Ymodem::Ymodem(QObject* parent)
    : QObject(parent),
      ymodemStatus(YmodemStatus::instance()),
      devicesStatus(DevicesStatus::instance()),
      devicesType(DevicesType::instance()),
      encoderCaxis(EncoderCaxis::instance()),
      transformWays(TransformWays::instance()) {}

Ymodem::~Ymodem() {
    delete serialPort;
}

QByteArray Ymodem::linkFrame(quint8 lead, quint8 argument) {
    // 133 bytes: the size of a 128-byte YMODEM packet, which is what the boot loader expects.
    QByteArray frame(kLinkFrameSize, '\0');
    frame[0] = char(lead);
    frame[2] = char(0x5A);
    frame[3] = char(0x66);
    frame[4] = char(argument);
    return frame;
}

QByteArray Ymodem::modeSwitchFrame(int type) {
    const quint8 command = type == DevicesType::BiSS_Master ? kModeSwitchBiss : kModeSwitch;
    // The marker 0xABCD1234, little-endian, then the command XOR 0x40.
    QByteArray frame;
    frame.append(char(command));
    frame.append("\x34\x12\xCD\xAB", 4);
    frame.append(char(command ^ 0x40));
    return frame;
}

quint8 Ymodem::statusRequestByte(int type) {
    return type == DevicesType::BiSS_Master ? kStatusRequestBiss : kStatusRequest;
}

quint8 Ymodem::normalModelRequestByte(int type) {
    return type == DevicesType::BiSS_Master ? kNormalModelRequestBiss : kNormalModelRequest;
}

void Ymodem::report(const QString& text) {
    emit msgSignal(translated(text));
}

bool Ymodem::isPortOpen() const {
    return serialPort && serialPort->isOpen();
}

bool Ymodem::openSerialPort(const QString& portText, int baudRate) {
    // A port left by an earlier job of this link goes first; it was created on this thread.
    closeSerialPort();
    serialPort = new QSerialPort;
    serialPort->setDataBits(QSerialPort::Data8);
    serialPort->setParity(QSerialPort::NoParity);
    serialPort->setStopBits(QSerialPort::OneStop);
    serialPort->setFlowControl(QSerialPort::NoFlowControl);
    serialPort->setPortName(ReadConfig::portNameFromDescription(portText));
    serialPort->setBaudRate(baudRate, QSerialPort::AllDirections);

    if (serialPort->open(QIODevice::ReadWrite)) {
        qDebug() << "open serialport success";
        emit msgSignal(translated("打开 [ ") + portText + translated(" ] 成功！"));
        return true;
    }
    const QString reason = serialPort->errorString();
    qDebug() << "open serialport fail" << reason;
    ConnectFlag::instance()->setDeviceConnection(ConnectFlag::DISCONNECTED);
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    emit msgSignal(translated("打开 [ ") + portText + translated(" ] 失败！"));
    // The system's own words ("Permission denied", "No such file or directory") are what the
    // operator needs to fix it.
    emit msgSignal(reason);
    return false;
}

void Ymodem::closeSerialPort() {
    if (!serialPort)
        return;
    if (serialPort->isOpen()) {
        // The last bytes of a job (end signal, CAN) must reach the device. A finished write only
        // means the bytes were handed to the driver; clearing the output would discard what is
        // still on its way (on a pseudo-terminal even what the far side has not read yet). So
        // drain the output, then discard only what was received.
        // A job stopped by quitting still hands its last bytes (CAN, 'R', the end signal) to the
        // driver, within a short bound, so the device is not left in the middle of an exchange.
        const bool stopping = QThread::currentThread()->isInterruptionRequested();
        const QDeadlineTimer deadline(stopping ? kStopDrainMs : kWriteWaitMs);
        while (serialPort->bytesToWrite() > 0 && !portGone() && !deadline.hasExpired())
            serialPort->waitForBytesWritten(kWaitSliceMs);
#ifdef Q_OS_UNIX
        if (!linkLost())
            tcdrain(int(serialPort->handle()));
#endif
        serialPort->clear(QSerialPort::Input);
        serialPort->close();
    }
    delete serialPort;
    serialPort = nullptr;
}

void Ymodem::discardInput() {
    if (!serialPort || !serialPort->isOpen())
        return;
    // clear() flushes the driver's input and the port's internal buffer; readAll() catches what
    // the port had already pulled in through a notification.
    serialPort->clear(QSerialPort::Input);
    serialPort->readAll();
}

bool Ymodem::sendBytes(const QByteArray& bytes) {
    discardInput();
    return sendInStream(bytes);
}

bool Ymodem::sendInStream(const QByteArray& bytes) {
    if (!serialPort || !serialPort->isOpen())
        return false;
    if (serialPort->write(bytes) != bytes.size())
        return false;
    // Sliced like the readers, so a stop request at shut-down does not wait out 30 s.
    const QDeadlineTimer deadline(kWriteWaitMs);
    while (serialPort->bytesToWrite() > 0) {
        if (linkLost() || deadline.hasExpired())
            return false;
        serialPort->waitForBytesWritten(int(qMin<qint64>(deadline.remainingTime(), kWaitSliceMs)));
    }
    return true;
}

bool Ymodem::sendByte(quint8 byte) {
    return sendBytes(QByteArray(1, char(byte)));
}

bool Ymodem::sendLinkFrame(quint8 lead, quint8 argument) {
    return sendBytes(linkFrame(lead, argument));
}

bool Ymodem::portGone() const {
    if (!serialPort || !serialPort->isOpen())
        return true;
    const QSerialPort::SerialPortError error = serialPort->error();
    // A vanished device (pty closed, adapter unplugged) shows as a read or resource error;
    // every further wait would then return at once.
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
}

bool Ymodem::linkLost() const {
    return portGone() || QThread::currentThread()->isInterruptionRequested();
}

bool Ymodem::waitForBuffered(qint64 count) {
    const QDeadlineTimer deadline(replyTimeoutMs);
    for (;;) {
        // Bytes may already be buffered (left by an earlier reader): look before waiting.
        if (serialPort && serialPort->bytesAvailable() >= count)
            return true;
        if (linkLost())
            return false;
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return false;
        // Blocks in the port's own wait, so an idle reader costs no CPU, yet wakes the moment
        // a byte arrives. The slice keeps a stop request from waiting out the whole deadline.
        serialPort->waitForReadyRead(int(qMin<qint64>(left, kWaitSliceMs)));
    }
}

int Ymodem::readByte() {
    if (!waitForBuffered(1))
        return 0;
    // One byte only: the rig may already have sent the data block behind a status byte.
    return quint8(serialPort->read(1).at(0));
}

bool Ymodem::readWord32(quint32& value) {
    if (!waitForBuffered(4))
        return false;
    const QByteArray word = serialPort->read(4);
    value = quint32(quint8(word[0])) | quint32(quint8(word[1])) << 8 |
            quint32(quint8(word[2])) << 16 | quint32(quint8(word[3])) << 24;
    return true;
}

bool Ymodem::readBytes(QByteArray& buffer, int count) {
    if (count < 0 || !waitForBuffered(count))
        return false;
    buffer = serialPort->read(count);
    return true;
}

bool Ymodem::readStatusReply() {
    if (!waitForBuffered(1))
        return false;
    devicesStatus->setValue(quint8(serialPort->read(1).at(0)));
    return true;
}

bool Ymodem::readModelReply(QString& name, QString& version) {
    if (!waitForBuffered(16))
        return false;
    const QByteArray rawName = serialPort->read(11);
    const QByteArray tail = serialPort->read(5);
    QByteArray rawVersion = tail.mid(1, 4);
    const int end = rawVersion.indexOf('\0');
    if (end >= 0)
        rawVersion.truncate(end);
    QByteArray trimmedName = rawName;
    const int nameEnd = trimmedName.indexOf('\0');
    if (nameEnd >= 0)
        trimmedName.truncate(nameEnd);
    name = QString::fromLatin1(trimmedName);
    version = QString::fromLatin1(rawVersion);
    return true;
}

bool Ymodem::readNormalModelReply(int& type) {
    if (!waitForBuffered(4))
        return false;
    const QByteArray all = serialPort->read(4);
    const quint8 echo = quint8(all.at(0));
    // Either request byte is accepted in the echo, whichever was sent.
    if (echo != kNormalModelRequest && echo != kNormalModelRequestBiss)
        return false;
    type = quint8(all.at(2));
    return true;
}

bool Ymodem::readSpeedReply(quint32& speed, bool& calibrated) {
    if (!waitForBuffered(5))
        return false;
    const QByteArray word = serialPort->read(4);
    speed = quint32(quint8(word[0])) | quint32(quint8(word[1])) << 8 |
            quint32(quint8(word[2])) << 16 | quint32(quint8(word[3])) << 24;
    calibrated = quint8(serialPort->read(1).at(0)) == 0xC0;
    return true;
}

int Ymodem::readAcknowledge() {
    const int reply = readByte();
    if (reply == kAck)
        return kAck;
    if (reply == kNak) {
        report("失败！原因：设备拒绝通信！");
        qDebug() << "失败！原因：驱动器拒绝通信！";
        return kNak;
    }
    report("失败！原因：等待设备的<响应>指令超时。");
    qDebug() << "失败！原因：等待驱动器的<响应>指令超时";
    return 0;
}

bool Ymodem::handshake(int axis) {
    report("发送握手信号...");
    const QList<int> axes = encoderCaxis->valueList();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        emit msgSignal(translated(QStringLiteral("尝试连接第 %1次...").arg(attempt)));
        int axisByte = axis;
        if (axis == -1) {
            axisByte = axes.value(attempt - 1, 0);
            encoderCaxis->setValue(axisByte);
        }
        ymodemStatus->setValue(YmodemFrame::SEND_HANDSHAKE);
        sendLinkFrame(kHandshakeLead, quint8(axisByte & 0xFF));
        if (readAcknowledge() == kAck) {
            report("握手成功！");
            return true;
        }
        if (linkLost())
            return false;
    }
    return false;
}

bool Ymodem::getDevicesStatus() {
    report("获取设备状态...");
    ymodemStatus->setValue(YmodemFrame::SEND_STATUS_REQUEST);
    sendByte(statusRequestByte(devicesType->getConnectedType()));
    if (!readStatusReply()) {
        report("获取设备状态失败。");
        qDebug() << "获取设备状态失败";
        return false;
    }
    emit msgSignal(translated(QStringLiteral("获取设备状态成功，当前设备处于[") +
                              devicesStatus->currentKey() + QStringLiteral(" ] 状态。")));
    return true;
}

bool Ymodem::getDevicesModel(int& type, QString& version) {
    report("获取设备型号...");
    const int status = devicesStatus->getValue();
    if (status == DevicesStatus::BOOT) {
        ymodemStatus->setValue(YmodemFrame::SEND_MODEL_REQUEST);
        sendByte(kWatermarkRequest);
        QString name;
        if (!readModelReply(name, version)) {
            qDebug() << "获取设备水印失败";
            report("获取设备型号失败！");
            return false;
        }
        type = devicesType->keyToValue(name);
    } else if (status == DevicesStatus::NORMAL) {
        ymodemStatus->setValue(YmodemFrame::SEND_NORMAL_MODEL_REQUEST);
        sendByte(normalModelRequestByte(devicesType->getConnectedType()));
        if (!readNormalModelReply(type)) {
            report("获取设备型号失败！");
            qDebug() << "获取设备Id失败";
            return false;
        }
    } else {
        report("获取设备型号失败！");
        qDebug() << "获取设备状态异常";
        return false;
    }
    report("获取设备型号成功。");
    return true;
}

bool Ymodem::getDevicesId(int& id) {
    const int value = readByte();
    if (value == 0) {
        report("获取设备ID失败，请检查设备连接是否正常！");
        return false;
    }
    const QString hex = QString::number(value, 16).toUpper();
    if (devicesType->containsValue(value)) {
        emit setProgress(20);
        emit msgSignal(
            translated(QStringLiteral("获取设备ID成功！ 设备名称：[ %1 ]，设备ID：[ %2 ]")
                           .arg(devicesType->valueToKey(value), hex)));
        id = value;
        return true;
    }
    emit msgSignal(translated(QStringLiteral("当前设备ID： [ %1 ] ，未知设备。").arg(hex)));
    return false;
}

bool Ymodem::sendEndSignal() {
    report("发送结束信号...");
    ymodemStatus->setValue(YmodemFrame::SEND_END_SIGNAL);
    sendLinkFrame(kEndSignalLead, 0x00);
    if (readAcknowledge() != kAck)
        return false;
    report("结束指令发送成功。");
    return true;
}

bool Ymodem::connectDevice(int& type, const QString& portText, int baudRate, int axis) {
    JobFrame frame(this, portText, baudRate);
    if (!frame.isOpen())
        return false;
    if (!handshake(axis))
        return false;
    emit setProgress(20);
    if (!getDevicesStatus()) {
        sendEndSignal();
        return false;
    }
    emit setProgress(40);
    QString version;
    if (!getDevicesModel(type, version)) {
        sendEndSignal();
        return false;
    }
    emit setProgress(60);
    if (!sendEndSignal())
        return false;
    closeSerialPort();
    emit setProgress(80);
    return true;
}
