#include "defaultconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "readconfig.h"

bool DefaultConfig::writeIfMissing() {
    const QString path = ReadConfig::configPath();
    if (QFile::exists(path))
        return false;
    QFile source(QStringLiteral(":/system/config/config.ini"));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(source.readAll());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString base = documents.isEmpty() ? QDir::homePath() : documents;
    text.replace(QStringLiteral("@FIRMWARE_DIR@"),
                 QDir(base).filePath(QStringLiteral("Quelbrin/firmware")));
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    // Two front ends starting in one folder at once must not leave half a file to the other.
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    target.write(text.toUtf8());
    return target.commit();
}
