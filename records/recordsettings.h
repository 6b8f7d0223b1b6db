// Where the production records live, from group [Records] of config.ini: the SQLite file of the
// station (the default) or a shared PostgreSQL database for a line, and the station's name.
#pragma once

#include <QString>

class RecordSettings {
public:
    static constexpr const char* kGroup = "Records";
    // The station's own file, beside config/; with PostgreSQL it holds the forwarding queue.
    static QString localPath();

    static RecordSettings load();

    bool shared() const { return driver == QLatin1String("QPSQL"); }
    // The configured name, else the host name.
    QString stationName() const;
    // A readable "where", without secrets: the file path or user@host:port/database.
    QString describe() const;

    QString driver = QStringLiteral("QSQLITE");
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString station;
    // The job refuses to start without the encoder's serial number.
    bool serialRequired = false;
    // How long a connection attempt to the shared database may take, in seconds.
    int connectTimeoutS = 3;
    // The pause between attempts to forward the queue while the shared database is away.
    int retryMs = 5000;
};
