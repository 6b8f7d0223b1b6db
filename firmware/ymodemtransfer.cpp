#include "ymodemtransfer.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QFileInfo>

#include "baidutranslate.h"
#include "crc16ccitt.h"
#include "jobframe.h"
#include "jobpause.h"
#include "ymodem.h"
#include "ymodemframe.h"
#include "ymodemstatus.h"

YmodemTransfer::YmodemTransfer(Ymodem* link) : link(link) {}

QByteArray YmodemTransfer::buildPacket(quint8 header, quint16 block, const QByteArray& data,
                                       int count) {
    QByteArray packet(count + 5, '\0');
    packet[0] = char(header);
    packet[1] = char(block & 0xFF);
    packet[2] = char(0xFF - (block & 0xFF));
    const QByteArray payload = data.left(count).leftJustified(count, '\0');
    packet.replace(3, count, payload);
    const quint16 crc = crc16ccitt::compute(payload, count);
    packet[3 + count] = char(crc >> 8);
    packet[4 + count] = char(crc & 0xFF);
    return packet;
}

QByteArray YmodemTransfer::fileInfoBlock(const QByteArray& fileName, int length) {
    QByteArray name = fileName;
    const int nul = name.indexOf('\0');
    if (nul >= 0)
        name.truncate(nul);
    QByteArray block = name;
    block.append('\0');
    block.append(QByteArray::number(length));
    block.append('\0');
    return block.leftJustified(kInfoBlockSize, '\0', true);
}

bool YmodemTransfer::fitsInfoBlock(const QByteArray& fileName, int length) {
    return fileName.size() + 1 + QByteArray::number(length).size() + 1 <= kInfoBlockSize;
}

int YmodemTransfer::countPackets(int length, int packetSize) {
    return packetSize > 0 ? (length + packetSize - 1) / packetSize : 0;
}

void YmodemTransfer::say(const QString& text) {
    emit link->msgSignal(text);
}

void YmodemTransfer::line(const QString& text, int arg) {
    emit link->msgSignals(text, arg);
}

bool YmodemTransfer::sendYmodemPacket(quint8 header, quint16 block, const QByteArray& data,
                                      int count) {
    // Packets go out in the middle of the exchange: a reply already on its way (the 'C' that
    // follows the ACK of block 0) must stay for the next wait.
    return link->sendInStream(buildPacket(header, block, data, count));
}

bool YmodemTransfer::sendFileInfoPacket(quint8 header, quint16 block, int blockSize,
                                        const QByteArray& fileName, int length) {
    return sendYmodemPacket(header, block, fileInfoBlock(fileName, length), blockSize);
}

bool YmodemTransfer::sendStartTransfer() {
    return link->sendByte(kStart);
}

bool YmodemTransfer::sendCancel() {
    return link->sendInStream(QByteArray(kCancelCount, char(kCan)));
}

int YmodemTransfer::waitYmodemReply() {
    YmodemStatus* status = link->ymodemStatus;
    const QDeadlineTimer deadline(link->replyTimeoutMs);
    for (;;) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return YmodemFrame::REPLY_TIMEOUT;
        // One byte at a time: a receiver answers block 0 with ACK and 'C' back to back, and the
        // 'C' must still be there for the next wait.
        QByteArray reply;
        bool got;
        {
            const ReplyDeadline scope(link, int(left));
            got = link->readBytes(reply, 1);
        }
        if (!got || reply.isEmpty()) {
            if (!deadline.hasExpired())
                linkLost = true;
            return YmodemFrame::REPLY_TIMEOUT;
        }
        const int state = status->getValue();
        switch (quint8(reply.at(0))) {
            case kCrcRequest:
                if (state == YmodemFrame::YMODEM_IDLE)
                    return YmodemFrame::SEND_INITIAL_PACKET;
                if (state == YmodemFrame::INITIAL_PACKET_SUCCESS)
                    return YmodemFrame::SEND_DATA_PACKET;
                if (state == YmodemFrame::EOT_PACKET_SUCCESS)
                    return YmodemFrame::SEND_END_PACKET;
                continue;
            case kAck:
                if (state == YmodemFrame::SEND_INITIAL_PACKET)
                    return YmodemFrame::INITIAL_PACKET_SUCCESS;
                if (state == YmodemFrame::SEND_DATA_PACKET)
                    return link->firmwareLength != 0 ? YmodemFrame::DATA_PACKET_SUCCESS
                                                     : YmodemFrame::SEND_EOT_PACKET;
                if (state == YmodemFrame::SEND_EOT_PACKET)
                    return YmodemFrame::EOT_PACKET_SUCCESS;
                if (state == YmodemFrame::SEND_END_PACKET)
                    return YmodemFrame::END_PACKET_SUCCESS;
                continue;
            case kNak:
                ++link->errorCount;
                line(translated("重传: [ %1 ] 次"), link->errorCount);
                // Block 0 is acknowledged; only the data 'C' moves on, so block 1 is still
                // the next block to send.
                if (state == YmodemFrame::INITIAL_PACKET_SUCCESS)
                    return kKeepWaiting;
                return state;
            case kCan:
                return YmodemFrame::SEND_CANCEL_PACKET;
            default:
                return YmodemFrame::UNEXPECTED_REPLY;
        }
    }
}

bool YmodemTransfer::readFirmwareChunk(int count, qint64 offset) {
    chunkBuffer.clear();
    if (image.size() - offset < 1 || offset < 0) {
        say(translated("文件已全部读取完毕"));
        return false;
    }
    chunkBuffer = image.mid(offset, count);
    return true;
}

InputFile::Result YmodemTransfer::readFirmwareFile(const QString& filePath, QByteArray& content) {
    const QString name = QFileInfo(filePath).fileName();
    const InputFile::Result result = InputFile::read(filePath, kMaxImageSize, content);
    switch (result.status) {
        case InputFile::Ok:
        case InputFile::TooLarge:
            break;
        case InputFile::Missing:
            say(translated("升级固件： ") + name + translated("不存在。"));
            break;
        case InputFile::NotRegular:
            say(translated("升级固件： ") + name +
                translated(InputFile::refusal(result, kMaxImageSize)));
            break;
        case InputFile::Folder:
        case InputFile::Unreadable:
            say(translated("升级固件： ") + name + translated("打开失败。"));
            break;
    }
    return result;
}

bool YmodemTransfer::nameFitsInfoBlock(const QString& name, qint64 size) {
    if (fitsInfoBlock(name.toLatin1(), int(size)))
        return true;
    say(translated("失败！原因：固件文件名 [ %1 ] 过长，无法写入文件信息包。").arg(name));
    return false;
}

bool YmodemTransfer::prepareFile(const QString& filePath, int packetSize) {
    QByteArray content;
    const InputFile::Result read = readFirmwareFile(filePath, content);
    if (read.status != InputFile::Ok && read.status != InputFile::TooLarge)
        return false;
    const qint64 size = read.size;
    if (size < 1 || size > kMaxImageSize) {
        say(translated("失败！原因：固件长度 [ %1 ] Byte 超出范围（1 ~ 65535 Byte）。").arg(size));
        return false;
    }
    if (!nameFitsInfoBlock(QFileInfo(filePath).fileName(), size))
        return false;
    image = content;
    link->firmwareLength = quint16(size);
    link->packetSize = quint16(packetSize);
    packetCount = countPackets(int(size), packetSize);
    return true;
}

void YmodemTransfer::cancel(const QString& reason) {
    sendCancel();
    say(reason);
    link->ymodemStatus->setValue(YmodemFrame::SEND_CANCEL_PACKET);
}

bool YmodemTransfer::sendDataPacket() {
    const int block = link->blockNumber;
    qDebug("Send Data Packet  %d\r\n", block);
    if (block == 0)
        return true;
    const int size = startPacketSize;
    const bool last = block >= packetCount;
    const int count = last ? startLength - (packetCount - 1) * size : size;
    if (!readFirmwareChunk(size, qint64(block - 1) * size) || chunkBuffer.size() < count) {
        cancel(translated("失败！原因：读取升级固件失败，停止下载。"));
        return false;
    }
    packetBuffer = chunkBuffer.left(count);
    quint8 header = kStx;
    if (size == 128 || count <= 127) {
        header = kSoh;
        link->packetSize = 128;
    } else {
        link->packetSize = 1024;
    }
    packetBuffer = packetBuffer.leftJustified(link->packetSize, char(kSub));

    emit link->setProgress(int(float(block) / float(packetCount) * 100.0f));
    line(translated("当前传输进度：") + QStringLiteral("[ %1 ] "), block);
    sendYmodemPacket(header, quint16(block), packetBuffer, link->packetSize);
    link->ymodemStatus->setValue(YmodemFrame::SEND_DATA_PACKET);
    if (last) {
        line(QString(), block);
        link->firmwareLength = 0;
    }
    return true;
}

void YmodemTransfer::sendEndPacket() {
    link->blockNumber = 0;
    link->packetSize = 128;
    packetBuffer = QByteArray(128, '\0');
    sendYmodemPacket(kSoh, 0, packetBuffer, 128);
    link->ymodemStatus->setValue(YmodemFrame::SEND_END_PACKET);
}

bool YmodemTransfer::transferFile(const QByteArray& snapshot, const QString& fileName) {
    image = snapshot;
    linkLost = false;
    startLength = link->firmwareLength;
    startPacketSize = link->packetSize == 1024 ? 1024 : 128;
    link->packetSize = quint16(startPacketSize);
    packetCount = countPackets(startLength, startPacketSize);
    const QByteArray latinName = fileName.toLatin1();
    YmodemStatus* status = link->ymodemStatus;

    if (sendStart)
        sendStartTransfer();
    link->errorCount = 0;
    link->blockNumber = 0;
    packetBuffer = QByteArray(startPacketSize, '\0');
    status->setValue(YmodemFrame::YMODEM_IDLE);
    say(translated("Ymodem传输开启..."));
    say(translated("传输总包数：") + QString::number(packetCount));

    while (status->getValue() != YmodemFrame::END_PACKET_SUCCESS &&
           status->getValue() != YmodemFrame::SEND_CANCEL_PACKET) {
        const int code = waitYmodemReply();
        switch (code) {
            case YmodemFrame::SEND_INITIAL_PACKET:
                sendFileInfoPacket(kSoh, link->blockNumber, kInfoBlockSize, latinName, startLength);
                qDebug("Send Initial Packet\r\n");
                pauseJob(initialPacketWaitMs);
                status->setValue(YmodemFrame::SEND_INITIAL_PACKET);
                break;
            case YmodemFrame::INITIAL_PACKET_SUCCESS:
                ++link->blockNumber;
                status->setValue(YmodemFrame::INITIAL_PACKET_SUCCESS);
                qDebug("Send Initial Packet Success\r\n");
                break;
            case YmodemFrame::SEND_DATA_PACKET:
                sendDataPacket();
                break;
            case YmodemFrame::DATA_PACKET_SUCCESS:
                qDebug("Send Data Packet  Success %d\r\n", int(link->blockNumber));
                ++link->blockNumber;
                sendDataPacket();
                break;
            case YmodemFrame::SEND_EOT_PACKET:
                link->sendInStream(QByteArray(1, char(kEot)));
                qDebug("Send EOT Packet \r\n");
                status->setValue(YmodemFrame::SEND_EOT_PACKET);
                break;
            case YmodemFrame::EOT_PACKET_SUCCESS:
                qDebug("Send EOT Packet Success\r\n");
                status->setValue(YmodemFrame::EOT_PACKET_SUCCESS);
                break;
            case YmodemFrame::SEND_END_PACKET:
                qDebug("Send End Packet \r\n");
                endResends = 0;
                sendEndPacket();
                break;
            case YmodemFrame::END_PACKET_SUCCESS:
                qDebug("Send End Packet Success\r\n");
                status->setValue(YmodemFrame::END_PACKET_SUCCESS);
                break;
            case YmodemFrame::SEND_CANCEL_PACKET:
                qDebug("Send Cancel Packet \r\n");
                cancel(translated("失败！原因：设备端停止下载。"));
                break;
            case YmodemFrame::REPLY_TIMEOUT:
                if (!linkLost && status->getValue() == YmodemFrame::SEND_END_PACKET &&
                    endResends < kEndPacketResends) {
                    ++endResends;
                    ++link->errorCount;
                    line(translated("重传: ") + QStringLiteral("[ %1 ] 次"), link->errorCount);
                    sendEndPacket();
                    break;
                }
                cancel(linkLost ? translated("失败！原因：串口连接中断，停止下载。")
                                : translated("失败！原因：设备端回复超时，停止下载。"));
                break;
            case kKeepWaiting:
                break;
            default:
                line(translated("累计传输错误: [ %1 ] 次"), link->errorCount);
                ++link->errorCount;
                break;
        }
        if (link->errorCount >= kErrorLimit) {
            link->errorCount = 0;
            sendCancel();
            say(translated(QStringLiteral("失败！原因：传输累计错误:[ ") + QStringLiteral("200") +
                           QStringLiteral("]次，停止下载。")));
            status->setValue(YmodemFrame::SEND_CANCEL_PACKET);
        }
    }
    return status->getValue() == YmodemFrame::END_PACKET_SUCCESS;
}
