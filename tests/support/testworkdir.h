// Gives a test its own working directory, since the configuration lives in config/ below it.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

class TestWorkDir {
public:
    // Creates the folder config/ unless told not to; writes config.ini when given content.
    explicit TestWorkDir(const QByteArray& configIni = QByteArray(), bool withConfigFolder = true);
    ~TestWorkDir();

    QString path() const { return dir.path(); }
    QString filePath(const QString& name) const { return dir.filePath(name); }
    void writeConfig(const QByteArray& content) const;
    QByteArray readConfig() const;

private:
    QTemporaryDir dir;
    QString previous;
};
