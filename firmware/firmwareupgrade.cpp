#include "firmwareupgrade.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "baidutranslate.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "jobframe.h"
#include "jobpause.h"
#include "transformways.h"
#include "ymodem.h"

namespace {
QString sixDigits(float value) {
    return QString::number(double(value), 'g', 6);
}

// The version texts are compared as numbers; a text that does not parse counts as 0.
float parseVersion(const QString& text) {
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    return ok ? value : 0.0f;
}
}  // namespace

FirmwareUpgrade::FirmwareUpgrade(Ymodem* link) : link(link), transfer(link) {}

void FirmwareUpgrade::say(const QString& text) {
    emit link->msgSignal(text);
}

bool FirmwareUpgrade::isBissMaster() const {
    return DevicesType::instance()->getConnectedType() == DevicesType::BiSS_Master;
}

bool FirmwareUpgrade::checkFirmwareFile(const QString& firmwarePath, float& firmwareVersion) {
    say(translated("获取升级固件数据..."));
    const QString name = QFileInfo(firmwarePath).fileName();
    // Read once: the trailer checked here and the bytes sent later are the same snapshot, even
    // when the file is rewritten during the upgrade.
    QByteArray content;
    const InputFile::Result read = transfer.readFirmwareFile(firmwarePath, content);
    if (read.status != InputFile::Ok && read.status != InputFile::TooLarge)
        return false;
    // The length travels in a 16-bit field and the trailer is the last 16 bytes: anything
    // outside these bounds cannot be an upgrade image this device takes.
    const qint64 size = read.size;
    if (read.status == InputFile::Ok && size < kTrailerSize) {
        say(translated("失败！原因：升级固件长度 [ %1 ] Byte 不足 16 Byte，不是有效的升级固件。")
                .arg(size));
        return false;
    }
    if (read.status == InputFile::TooLarge) {
        say(translated("失败！原因：升级固件长度 [ %1 ] Byte 超过 65535 Byte，无法传输。")
                .arg(size));
        return false;
    }
    if (!transfer.nameFitsInfoBlock(name, size))
        return false;
    transfer.image = content;
    link->firmwareLength = quint16(size);
    const QByteArray trailer = content.right(kTrailerSize);
    const QString model = QString::fromUtf8(trailer.left(kModelLength));
    const QString versionText = QString::fromLatin1(trailer.mid(12, 4));
    firmwareVersion = parseVersion(versionText);
    qDebug() << "firmware model" << model << "version" << versionText;
    say(translated("升级固件： ") + name);
    say(translated("固件长度： ") + QString::number(link->firmwareLength));
    say(translated("固件路径： ") + firmwarePath);
    say(translated("固件型号： ") + model);
    say(translated("固件版本： V") + sixDigits(firmwareVersion));

    const QString connected = DevicesType::instance()->connectedKey();
    if (model == connected)
        return true;
    say(translated("失败！原因：当前连接设备型号与固件型号不一致，请更换固件或设备。"));
    say(translated("固件型号： ") + model);
    say(translated("连接设备型号： ") + connected);
    return false;
}

bool FirmwareUpgrade::enterBootMode() {
    say(translated("进入Boot模式..."));
    link->sendBytes(Ymodem::modeSwitchFrame(DevicesType::instance()->getConnectedType()));
    pauseJob(modeSwitchWaitMs);
    return true;
}

bool FirmwareUpgrade::enterNormalMode() {
    say(translated("进入Normal模式..."));
    link->sendByte(0x52);  // 'R'
    pauseJob(modeSwitchWaitMs);
    return true;
}

bool FirmwareUpgrade::compareFirmwareVersion(float firmwareVersion) {
    say(translated("进入Boot模式，比对固件版本..."));
    DevicesStatus* status = DevicesStatus::instance();
    for (int switches = 0;;) {
        if (!link->getDevicesStatus())
            return false;
        const int current = status->getValue();
        if (current == DevicesStatus::BOOT) {
            int type = 0;
            QString deviceVersion;
            if (!link->getDevicesModel(type, deviceVersion))
                return false;
            pauseJob(versionSettleMs);
            if (parseVersion(deviceVersion) == firmwareVersion) {
                say(translated("失败！原因：当前固件版本与设备运行版本一致 无需更新。"));
                say(translated("升级固件版本： V") + sixDigits(firmwareVersion));
                say(translated("运行固件版本： V") + deviceVersion);
                return false;
            }
            say(translated("准备升级固件: [ V") + deviceVersion + QStringLiteral(" ] -> [ V") +
                sixDigits(firmwareVersion) + QStringLiteral(" ]"));
        } else if (current == DevicesStatus::NORMAL) {
            if (switches >= maxModeSwitches) {
                say(translated("失败！原因：设备未能进入Boot模式。"));
                return false;
            }
            ++switches;
            enterBootMode();
        } else {
            say(translated("获取设备状态失败。"));
            return false;
        }
        pauseJob(statusPassWaitMs);
        if (current == DevicesStatus::BOOT)
            return true;
        if (QThread::currentThread()->isInterruptionRequested())
            return false;
    }
}

bool FirmwareUpgrade::upgradeFirmware(const QString& portText, int baudRate,
                                      const QString& firmwarePath) {
    qDebug() << "Current thread:" << QThread::currentThread();
    qDebug() << "Expected thread:" << link->thread();
    JobFrame frame(link, portText, baudRate);
    if (!frame.isOpen())
        return false;

    float fileVersion = 0.0f;
    if (!checkFirmwareFile(firmwarePath, fileVersion)) {
        link->sendEndSignal();
        return false;
    }
    emit link->setProgress(10);

    const QString fileName = QFileInfo(firmwarePath).fileName();
    TransformWays* ways = TransformWays::instance();
    EncoderCaxis* axes = EncoderCaxis::instance();
    link->packetSize = quint16(ways->getValue() == TransformWays::Ymodem_1K ? 1024 : 128);
    transfer.packetCount = YmodemTransfer::countPackets(link->firmwareLength, link->packetSize);
    const int axis = axes->getValue();
    say(translated("升级协议：") + ways->currentKey());
    say(translated("当前轴号：") + axes->currentKey());

    if (!link->handshake(axis)) {
        link->sendEndSignal();
        return false;
    }
    emit link->setProgress(20);

    if (!compareFirmwareVersion(fileVersion)) {
        enterNormalMode();
        if (isBissMaster())
            pauseJob(bissFailSettleMs);
        link->sendEndSignal();
        return false;
    }
    emit link->setProgress(30);

    transfer.sendStart = true;
    const bool sent = transfer.transferFile(transfer.image, fileName);
    pauseJob(afterTransferWaitMs);
    enterNormalMode();
    if (!sent) {
        if (isBissMaster())
            pauseJob(bissFailSettleMs);
        link->sendEndSignal();
        return false;
    }
    if (isBissMaster())
        pauseJob(bissSettleMs);
    if (!link->sendEndSignal())
        return false;
    DevicesStatus::instance()->setValue(DevicesStatus::NORMAL);
    say(translated("固件更新完成。"));
    return true;
}

bool FirmwareUpgrade::sendFile(const QString& portText, int baudRate, const QString& path,
                               int packetSize) {
    JobFrame frame(link, portText, baudRate);
    if (!frame.isOpen())
        return false;
    if (!transfer.prepareFile(path, packetSize))
        return false;
    const bool sent = transfer.transferFile(transfer.image, QFileInfo(path).fileName());
    if (sent)
        emit link->setProgress(100);
    return sent;
}
