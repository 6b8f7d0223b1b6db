#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "readconfig.h"

WorkingFolder::WorkingFolder()
    : currentDir(QDir::currentPath()),
      programDir(QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                              : QString()) {
    // The XDG rule: a relative $XDG_DATA_HOME is invalid and must be ignored.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    dataHome =
        QDir::isAbsolutePath(xdg) ? xdg : QDir::home().filePath(QStringLiteral(".local/share"));
    if (QCoreApplication::instance())
        fromMenu = QCoreApplication::arguments().contains(QLatin1String(kMenuOption));
}

QString WorkingFolder::dataFolder() const {
    return QDir::cleanPath(QDir(dataHome).filePath(QStringLiteral("quelbrin")));
}

bool WorkingFolder::isInstalledProgramDir(const QString& dir) {
    const QString clean = QDir::cleanPath(dir);
    return clean.endsWith(QLatin1String("/usr/bin")) ||
           clean.endsWith(QLatin1String("/usr/local/bin"));
}

QString WorkingFolder::choose() const {
    if (fromMenu)
        return dataFolder();
    if (QFileInfo(QDir(currentDir).filePath(QStringLiteral("config"))).isDir())
        return QDir::cleanPath(currentDir);
    if (isInstalledProgramDir(programDir))
        return dataFolder();
    // Run from a build tree or a copy somewhere: the working directory, as always.
    return QDir::cleanPath(currentDir);
}

QString WorkingFolder::enter(QString* error) {
    const QString folder = choose();
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        if (error)
            *error = QStringLiteral("cannot create or enter the working folder %1").arg(folder);
        return QString();
    }
    currentDir = folder;
    writeDefaultConfigIfMissing();
    return folder;
}

QStringList WorkingFolder::defaultConfigSources() const {
    QStringList sources;
    if (!programDir.isEmpty())
        sources << QDir::cleanPath(programDir + QStringLiteral("/../share/quelbrin/config.ini"));
    sources << QStringLiteral(":/system/config/config.ini");
    return sources;
}

QByteArray WorkingFolder::defaultConfigText() const {
    for (const QString& path : defaultConfigSources()) {
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly))
            continue;
        QString text = QString::fromUtf8(source.readAll());
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString base = documents.isEmpty() ? QDir::homePath() : documents;
        text.replace(QStringLiteral("@FIRMWARE_DIR@"),
                     QDir(base).filePath(QStringLiteral("Quelbrin/firmware")));
        return text.toUtf8();
    }
    return QByteArray();
}

bool WorkingFolder::writeDefaultConfigIfMissing() const {
    const QString path = ReadConfig::configPath();
    if (QFile::exists(path))
        return false;
    const QByteArray text = defaultConfigText();
    if (text.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    target.write(text);
    return target.commit();
}
