// A throw-away PostgreSQL server for the record tests: initdb into a temporary folder (as the
// unprivileged user "postgres" when the tests run as root, since the server refuses root),
// a free TCP port on 127.0.0.1, password authentication; stopped and removed at the end.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class PgCluster {
public:
    PgCluster();
    ~PgCluster();

    // Why no server can run here (empty when one can): PostgreSQL absent.
    static QString unavailableReason();
    // True when a missing PostgreSQL must fail the test instead of skipping it.
    static bool mustRun() { return !qEnvironmentVariableIsEmpty("CI"); }

    // initdb, start, create the database; the failure's text otherwise.
    QString start();
    bool stopServer();
    bool startServer();

    // The [Records] group that points the program at this server. The password reaches libpq
    // through PGPASSWORD, which start() sets for this process and its children.
    QByteArray recordsIni() const;
    int port() const { return serverPort; }
    QString log() const;

private:
    bool run(const QStringList& command, QString* output, int timeoutMs = 60000);

    QTemporaryDir dir;
    QString bin;
    int serverPort = 0;
    bool running = false;
};
