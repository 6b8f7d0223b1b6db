// The device link: every exchange with the rig, the encoder (firmware and boot loader) and the
// BiSS master goes through this class, on the calling worker's thread, blocking.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;
class YmodemStatus;
class DevicesStatus;
class DevicesType;
class EncoderCaxis;
class TransformWays;

class Ymodem : public QObject {
    Q_OBJECT
public:
    // Command bytes; the ones marked "BiSS" replace their twin when connectedType is BiSS_Master.
    static constexpr quint8 kStatusRequest = 0xF1;
    static constexpr quint8 kStatusRequestBiss = 0x0D;
    static constexpr quint8 kNormalModelRequest = 0x92;
    static constexpr quint8 kNormalModelRequestBiss = 0x0C;
    static constexpr quint8 kWatermarkRequest = 0x77;
    static constexpr quint8 kModeSwitch = 0x7A;
    static constexpr quint8 kModeSwitchBiss = 0x0E;
    static constexpr quint8 kHandshakeLead = 0xDA;
    static constexpr quint8 kEndSignalLead = 0xDF;
    static constexpr quint8 kAck = 0x06;
    static constexpr quint8 kNak = 0x15;
    static constexpr int kLinkFrameSize = 133;
    static constexpr int kWriteWaitMs = 30000;
    // Longest single wait inside a reader, so that a stop request is seen promptly.
    static constexpr int kWaitSliceMs = 50;
    // How long a job stopped by quitting may take to hand its last bytes to the driver.
    static constexpr int kStopDrainMs = 1000;

    explicit Ymodem(QObject* parent = nullptr);
    ~Ymodem() override;

    // Frames, built by the connected device type where it matters.
    static QByteArray linkFrame(quint8 lead, quint8 argument);
    static QByteArray modeSwitchFrame(int devicesType);
    static quint8 statusRequestByte(int devicesType);
    static quint8 normalModelRequestByte(int devicesType);

    // Port per job. The port belongs to this link and lives on its thread: opened here, and
    // closed and deleted here once everything written has left.
    bool openSerialPort(const QString& portText, int baudRate);
    void closeSerialPort();
    bool isPortOpen() const;

    // An operator message of a job: the text is translated, then emitted as msgSignal.
    void report(const QString& text);

    // Writes; each waits until the bytes are handed to the driver (bounded, and a stop request
    // ends the wait). False when the port is not open or the bytes could not be written.
    // sendBytes, sendByte and sendLinkFrame are requests: whatever the device sent before them
    // (a late or surplus byte of an earlier reply) is discarded first, so the reply read next is
    // the reply to this request. sendInStream writes without discarding, for the middle of one
    // exchange whose replies may already be on their way (YMODEM packets, EOT, cancel).
    bool sendByte(quint8 byte);
    bool sendLinkFrame(quint8 lead, quint8 argument);
    bool sendBytes(const QByteArray& bytes);
    bool sendInStream(const QByteArray& bytes);
    // Drops everything received so far: the driver's buffer and the port's own.
    void discardInput();

    // Reply readers, each bounded by replyTimeoutMs. Each takes exactly the bytes it uses and
    // leaves the rest buffered: a reply that arrives together with what follows it (a status
    // byte and its data block in one read) never loses the bytes behind it.
    int readByte();
    bool readWord32(quint32& value);
    bool readBytes(QByteArray& buffer, int count);
    bool readStatusReply();
    bool readModelReply(QString& name, QString& version);
    bool readNormalModelReply(int& type);
    bool readSpeedReply(quint32& speed, bool& calibrated);

    // Handshake, identification and end signal.
    bool handshake(int axis);
    bool getDevicesStatus();
    bool getDevicesModel(int& type, QString& version);
    bool getDevicesId(int& id);
    bool sendEndSignal();
    bool connectDevice(int& type, const QString& portText, int baudRate, int axis);

    int replyTimeoutMs = 3000;
    QSerialPort* serialPort = nullptr;
    YmodemStatus* ymodemStatus;
    DevicesStatus* devicesStatus;
    DevicesType* devicesType;
    EncoderCaxis* encoderCaxis;
    TransformWays* transformWays;

    quint16 firmwareLength = 0;
    quint8 errorCount = 0;
    quint16 blockNumber = 0;
    quint16 packetSize = 128;

signals:
    void msgSignal(QString devicesType);
    void msgSignals(QString msg, int arg);
    void setProgress(int value);

private:
    // Waits until at least count bytes are buffered; false at the deadline, or at once when the
    // port is gone or the thread is asked to stop.
    bool waitForBuffered(qint64 count);
    bool linkLost() const;
    bool portGone() const;
    // Handshake and end signal share the 06 / 15 / silence reading and its messages.
    int readAcknowledge();
};
