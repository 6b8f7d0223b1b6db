#include "testworkdir.h"

#include <QFile>

TestWorkDir::TestWorkDir(const QByteArray& configIni, bool withConfigFolder)
    : previous(QDir::currentPath()) {
    QDir::setCurrent(dir.path());
    if (withConfigFolder)
        QDir(dir.path()).mkpath(QStringLiteral("config"));
    if (!configIni.isNull())
        writeConfig(configIni);
}

TestWorkDir::~TestWorkDir() {
    QDir::setCurrent(previous);
}

void TestWorkDir::writeConfig(const QByteArray& content) const {
    QFile file(dir.filePath(QStringLiteral("config/config.ini")));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QByteArray TestWorkDir::readConfig() const {
    QFile file(dir.filePath(QStringLiteral("config/config.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
