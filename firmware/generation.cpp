#include "generation.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "baidutranslate.h"
#include "devicestype.h"
#include "inputfile.h"
#include "mode.h"

namespace {
// The check byte of the configuration record runs over the application and its trailer.
quint8 xorOf(const QByteArray& bytes, quint8 start) {
    for (char b : bytes) start ^= quint8(b);
    return start;
}

// A text field: the text, one 00, then FF up to the field size (longer texts grow the field).
QByteArray field(const QByteArray& text, int size) {
    QByteArray f = text;
    f.append('\0');
    if (f.size() < size)
        f.append(QByteArray(size - f.size(), Generation::kFill));
    return f;
}
}  // namespace

Generation::Generation(QObject* parent) : QObject(parent) {}

QByteArray Generation::versionText(double version) {
    return "V" + QString::asprintf("%g", version).toLatin1();
}

void Generation::log(const QString& text) {
    emit msgSignal(text);
}

bool Generation::generateFirmware(int mode, const QString& bootPath, const QString& appPath,
                                  const QString& savePath, const QString& watermark, double version,
                                  int bootAreaSize, int appAreaSize, int configAreaSize,
                                  int idAreaSize) {
    // The identification area is one byte whatever its configured size.
    Q_UNUSED(idAreaSize);
    if ((mode == Mode::Factory_Firmware || mode == Mode::Upgrade_Firmware) &&
        !areasUsable(watermark, mode == Mode::Factory_Firmware, bootAreaSize, appAreaSize,
                     configAreaSize))
        return false;
    if (mode == Mode::Factory_Firmware)
        return generateFactoryImage(bootPath, appPath, savePath, watermark, version, bootAreaSize,
                                    appAreaSize, configAreaSize);
    if (mode == Mode::Upgrade_Firmware)
        return generateUpgradeImage(appPath, savePath, watermark, version, appAreaSize);
    return false;
}

bool Generation::areasUsable(const QString& watermark, bool factory, int bootAreaSize,
                             int appAreaSize, int configAreaSize) {
    // A size below 1 cannot hold anything, and one past the bound is a typo in config.ini.
    const struct {
        const char* key;
        int size;
        bool needed;
    } areas[] = {{"BootLoader", bootAreaSize, factory},
                 {"App", appAreaSize, true},
                 {"Config", configAreaSize, factory}};
    for (const auto& area : areas) {
        if (!area.needed || (area.size > 0 && area.size <= kMaxAreaSize))
            continue;
        log(translated("设备 [ %1 ] 的分区配置 %2 长度 [ %3 ] 无效（1 ~ %4 Byte），请检查配置文件。")
                .arg(watermark, QString::fromLatin1(area.key), QString::number(area.size),
                     QString::number(kMaxAreaSize)));
        return false;
    }
    return true;
}

bool Generation::prepareOutput(QSaveFile& out, const QString& savePath, bool factory) {
    log(translated(factory ? "出厂固件生成..." : "升级固件生成..."));
    log(translated("确认保存地址..."));
    const QFileInfo target(savePath);
    if (target.exists()) {
        log(translated("文件 [ %1 ] 已存在").arg(savePath));
        log(translated("删除文件: [ %1 ] ... ").arg(savePath));
        // The old file is replaced only once the new image is complete; a file that may not be
        // written is refused now, as deleting it would have failed.
        if (target.isDir() || !target.isWritable()) {
            log(translated("删除文件： [ %1 ]失败!").arg(savePath));
            return false;
        }
    }
    out.setFileName(savePath);
    if (!out.open(QIODevice::WriteOnly)) {
        log(translated("打开文件 [ %1 ] 失败").arg(savePath));
        return false;
    }
    return true;
}

bool Generation::readInput(const QString& label, const QString& path, qint64 limit,
                           QByteArray& content, qint64& tooLargeSize) {
    tooLargeSize = -1;
    const InputFile::Result read = InputFile::read(path, qMax<qint64>(limit, 0), content);
    switch (read.status) {
        case InputFile::Ok:
            return true;
        case InputFile::Missing:
            log(translated(label + QStringLiteral(" 文件 [ %1 ] 不存在")).arg(path));
            return false;
        case InputFile::TooLarge:
            // The caller names the area it overflows.
            tooLargeSize = read.size;
            return false;
        case InputFile::NotRegular:
            log(translated(label + QStringLiteral(" 文件 [ %1 ]") + InputFile::refusal(read, limit))
                    .arg(path));
            return false;
        case InputFile::Folder:
        case InputFile::Unreadable:
            break;
    }
    log(translated(label + QStringLiteral(" 文件 [ %1 ] 打开失败")).arg(path));
    return false;
}

void Generation::logBootTooLarge(const QString& bootPath, qint64 size, const QString& watermark,
                                 int bootAreaSize) {
    log(translated("BootLoader 文件 [ %1 ] 长度： [ %2 ]Byte 超过设备 [ %3 ] 设定 "
                   "BootLoader分区长度： [ %4 ]Byte")
            .arg(bootPath, QString::number(size), watermark, QString::number(bootAreaSize)));
}

bool Generation::readAppInput(const QString& appPath, const QString& watermark, double version,
                              int appAreaSize, QByteArray& app) {
    // The area holds the application and its trailer; a file that alone overflows it is refused
    // before it is read, with the same message as one that overflows with its trailer.
    const qint64 trailer = watermark.toLatin1().size() + versionText(version).size();
    qint64 tooLarge = -1;
    if (readInput(QStringLiteral("App"), appPath, qMax<qint64>(appAreaSize - trailer, 0), app,
                  tooLarge))
        return true;
    if (tooLarge >= 0)
        log(translated("App 文件 [ %1 ] 长度： [ %2 ]Byte 超过设备 [ %3 ] 设定 App分区长度： "
                       "[ %4 ]Byte")
                .arg(appPath, QString::number(tooLarge + trailer), watermark,
                     QString::number(appAreaSize)));
    return false;
}

bool Generation::checkTrailerRules(const QString& watermark, const QByteArray& versionBytes) {
    if (watermark.toLatin1().size() != kWatermarkLength) {
        log(translated("水印 [ %1 ] 长度必须为 %2 个字符，否则升级时无法识别固件型号")
                .arg(watermark, QString::number(kWatermarkLength)));
        return false;
    }
    // versionBytes holds the leading 'V'.
    if (versionBytes.size() - 1 != kVersionTextLength) {
        log(translated("版本 [ %1 ] 长度必须为 %2 个字符，否则升级时无法识别固件版本")
                .arg(QString::fromLatin1(versionBytes.mid(1)),
                     QString::number(kVersionTextLength)));
        return false;
    }
    return true;
}

bool Generation::write(QSaveFile& out, const QByteArray& bytes) {
    if (out.write(bytes) == bytes.size())
        return true;
    log(translated("写入文件 [ %1 ] 失败").arg(out.fileName()));
    out.cancelWriting();
    return false;
}

bool Generation::commit(QSaveFile& out) {
    if (out.commit())
        return true;
    log(translated("写入文件 [ %1 ] 失败").arg(out.fileName()));
    return false;
}

bool Generation::appAreaFits(const QString& appPath, const QByteArray& app,
                             const QString& watermark, const QByteArray& versionBytes,
                             int appAreaSize, qint64& used) {
    if (!checkTrailerRules(watermark, versionBytes))
        return false;
    used = app.size() + watermark.toLatin1().size() + versionBytes.size();
    if (used <= appAreaSize)
        return true;
    log(translated(
            "App 文件 [ %1 ] 长度： [ %2 ]Byte 超过设备 [ %3 ] 设定 App分区长度： [ %4 ]Byte")
            .arg(appPath, QString::number(used), watermark, QString::number(appAreaSize)));
    return false;
}

bool Generation::writeAppArea(QSaveFile& out, const QByteArray& app, const QByteArray& mark,
                              const QByteArray& versionBytes) {
    if (!write(out, app))
        return false;
    emit setProcess(65);
    if (!write(out, mark))
        return false;
    emit setProcess(75);
    if (!write(out, versionBytes))
        return false;
    emit setProcess(85);
    return true;
}

bool Generation::generateFactoryImage(const QString& bootPath, const QString& appPath,
                                      const QString& savePath, const QString& watermark,
                                      double version, int bootAreaSize, int appAreaSize,
                                      int configAreaSize) {
    QSaveFile out;
    if (!prepareOutput(out, savePath, true))
        return false;

    emit setProcess(5);
    log(translated("读取 BootLoader 文件 [ %1 ] ...").arg(bootPath));
    QByteArray boot;
    qint64 bootTooLarge = -1;
    if (!readInput(QStringLiteral("BootLoader"), bootPath, bootAreaSize, boot, bootTooLarge)) {
        if (bootTooLarge >= 0)
            logBootTooLarge(bootPath, bootTooLarge, watermark, bootAreaSize);
        return false;
    }

    emit setProcess(10);
    log(translated("读取 App 文件 [ %1 ] ...").arg(appPath));
    QByteArray app;
    if (!readAppInput(appPath, watermark, version, appAreaSize, app))
        return false;
    emit setProcess(20);

    const qint64 b = boot.size();
    if (b > bootAreaSize) {
        logBootTooLarge(bootPath, b, watermark, bootAreaSize);
        return false;
    }

    const QByteArray mark = watermark.toLatin1();
    const QByteArray versionBytes = versionText(version);
    qint64 used = 0;
    if (!appAreaFits(appPath, app, watermark, versionBytes, appAreaSize, used))
        return false;

    QByteArray record = field(QFileInfo(appPath).fileName().toLatin1(), kNameFieldSize);
    record.append(field(QByteArray::number(used), kLengthFieldSize));
    record.append(char(xorOf(versionBytes, xorOf(mark, xorOf(app, 0)))));
    if (record.size() > configAreaSize) {
        log(translated("Config 区域长度不足： 需要 [ %1 ] Byte 超过设备 [ %2 ] 设定 Config "
                       "分区长度： [ %3 ]Byte")
                .arg(QString::number(record.size()), watermark, QString::number(configAreaSize)));
        return false;
    }
    const char id = char(DevicesType::instance()->keyToValue(watermark) & 0xFF);

    emit setProcess(25);
    if (!write(out, boot))
        return false;
    emit setProcess(45);
    if (!write(out, QByteArray(bootAreaSize - b, kFill)))
        return false;
    emit setProcess(55);
    if (!writeAppArea(out, app, mark, versionBytes))
        return false;
    if (!write(out, QByteArray(appAreaSize - used, kFill)) ||
        !write(out, QByteArray(appAreaSize, kFill)) || !write(out, record) ||
        !write(out, QByteArray(configAreaSize - record.size(), kFill)) ||
        !write(out, QByteArray(1, id)))
        return false;
    return commit(out);
}

bool Generation::generateUpgradeImage(const QString& appPath, const QString& savePath,
                                      const QString& watermark, double version, int appAreaSize) {
    QSaveFile out;
    if (!prepareOutput(out, savePath, false))
        return false;

    emit setProcess(15);
    log(translated("读取 App 文件 [ %1 ] ...").arg(appPath));
    QByteArray app;
    if (!readAppInput(appPath, watermark, version, appAreaSize, app))
        return false;
    emit setProcess(25);

    const QByteArray mark = watermark.toLatin1();
    const QByteArray versionBytes = versionText(version);
    qint64 used = 0;
    if (!appAreaFits(appPath, app, watermark, versionBytes, appAreaSize, used))
        return false;

    emit setProcess(45);
    if (!writeAppArea(out, app, mark, versionBytes))
        return false;
    return commit(out);
}
