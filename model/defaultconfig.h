// The configuration a folder starts with: written from the default by every front end (the
// window and each command of quelbrin-cli) before it reads config/config.ini.
#pragma once

#include <QString>
#include <QStringList>

class DefaultConfig {
public:
    // Writes config/config.ini from the first of sources() that can be read when it is missing,
    // with example paths below the user's documents. Returns true when it wrote the file; whole
    // or not at all.
    static bool writeIfMissing();
    static bool writeIfMissing(const QStringList& sources);

    // The installed copy beside the program (<prefix>/share/quelbrin/config.ini of a program in
    // <prefix>/bin) first, so that a deployment may edit it, then the embedded one.
    static QStringList sources(const QString& programDir);
    static QStringList sources();
};
