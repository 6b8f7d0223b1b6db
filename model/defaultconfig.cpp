#include "defaultconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "readconfig.h"

QStringList DefaultConfig::sources(const QString& programDir) {
    QStringList list;
    if (!programDir.isEmpty())
        list << QDir::cleanPath(programDir + QStringLiteral("/../share/quelbrin/config.ini"));
    list << QStringLiteral(":/system/config/config.ini");
    return list;
}

QStringList DefaultConfig::sources() {
    return sources(QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                : QString());
}

bool DefaultConfig::writeIfMissing() {
    return writeIfMissing(sources());
}

bool DefaultConfig::writeIfMissing(const QStringList& sources) {
    const QString path = ReadConfig::configPath();
    if (QFile::exists(path))
        return false;
    QFile source;
    for (const QString& candidate : sources) {
        source.setFileName(candidate);
        if (source.open(QIODevice::ReadOnly))
            break;
    }
    if (!source.isOpen())
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
