#include "workingfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "defaultconfig.h"

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
    return DefaultConfig::sources(programDir);
}

bool WorkingFolder::writeDefaultConfigIfMissing() const {
    return DefaultConfig::writeIfMissing(defaultConfigSources());
}
