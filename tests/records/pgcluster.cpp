#include "pgcluster.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>

namespace {
const char* const kUser = "quelbrin";
const char* const kPassword = "line-secret";

QString findBin() {
    QDir base(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (int i = int(versions.size()) - 1; i >= 0; --i) {
        const QString bin = base.filePath(versions.at(i) + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")) &&
            QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return QString();
}

bool asRoot() {
    return ::geteuid() == 0;
}
}  // namespace

PgCluster::PgCluster() : bin(findBin()) {}

PgCluster::~PgCluster() {
    stopServer();
}

QString PgCluster::unavailableReason() {
    if (findBin().isEmpty())
        return QStringLiteral("PostgreSQL is not installed (no initdb under /usr/lib/postgresql)");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("Qt's PostgreSQL driver QPSQL is not installed (libqt6sql6-psql)");
    if (asRoot() && !::getpwnam("postgres"))
        return QStringLiteral("running as root, and there is no user 'postgres' to run the server");
    return QString();
}

bool PgCluster::run(const QStringList& command, QString* output, int timeoutMs) {
    QStringList args = command;
    QString program = args.takeFirst();
    if (asRoot()) {
        args.prepend(program);
        args = QStringList{"-u", "postgres", "--"} + args;
        program = QStringLiteral("runuser");
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    const bool finished = process.waitForStarted(10000) && process.waitForFinished(timeoutMs);
    if (!finished)
        process.kill();
    process.waitForFinished(5000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString PgCluster::start() {
    const QString why = unavailableReason();
    if (!why.isEmpty())
        return why;
    if (!dir.isValid())
        return QStringLiteral("no temporary folder");
    if (asRoot()) {
        const passwd* pg = ::getpwnam("postgres");
        if (::chown(QFile::encodeName(dir.path()).constData(), pg->pw_uid, pg->pw_gid) != 0)
            return QStringLiteral("cannot hand the folder to postgres");
    }
    const QString pwfile = dir.filePath(QStringLiteral("pw"));
    {
        QFile file(pwfile);
        if (!file.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write the password file");
        file.write(kPassword);
    }
    if (asRoot()) {
        const passwd* pg = ::getpwnam("postgres");
        if (::chown(QFile::encodeName(pwfile).constData(), pg->pw_uid, pg->pw_gid) != 0)
            return QStringLiteral("cannot hand the password file to postgres");
    }
    QString output;
    if (!run({bin + "/initdb", "-D", dir.filePath("data"), "-U", kUser, "--pwfile=" + pwfile,
              "-A", "scram-sha-256", "-E", "UTF8", "--locale=C", "--no-sync"},
             &output, 120000))
        return QStringLiteral("initdb failed: ") + output;
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return QStringLiteral("no free port");
    serverPort = probe.serverPort();
    probe.close();
    qputenv("PGPASSWORD", kPassword);
    if (!startServer())
        return QStringLiteral("the server did not start: ") + log();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("pgcluster"));
    db.setHostName(QStringLiteral("127.0.0.1"));
    db.setPort(serverPort);
    db.setUserName(QString::fromLatin1(kUser));
    db.setDatabaseName(QStringLiteral("postgres"));
    QString error;
    if (!db.open())
        error = db.lastError().text();
    else if (QSqlQuery q(db); !q.exec(QStringLiteral("CREATE DATABASE quelbrin")))
        error = q.lastError().text();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("pgcluster"));
    return error;
}

bool PgCluster::startServer() {
    QString output;
    running = run({bin + "/pg_ctl", "-D", dir.filePath("data"), "-l", dir.filePath("log"), "-w",
                   "-t", "60", "-o",
                   QStringLiteral("-p %1 -c listen_addresses=127.0.0.1 -c unix_socket_directories=%2 "
                                  "-c fsync=off")
                       .arg(serverPort)
                       .arg(dir.path()),
                   "start"},
                  &output, 90000);
    return running;
}

bool PgCluster::stopServer() {
    if (!running)
        return true;
    QString output;
    const bool ok = run({bin + "/pg_ctl", "-D", dir.filePath("data"), "-m", "fast", "-w", "-t",
                         "60", "stop"},
                        &output, 90000);
    running = !ok;
    return ok;
}

QByteArray PgCluster::recordsIni() const {
    return QStringLiteral("[Records]\ndriver=QPSQL\nhost=127.0.0.1\nport=%1\ndatabase=quelbrin\n"
                          "user=%2\nretryMs=200\nconnectTimeout=2\n")
        .arg(serverPort)
        .arg(QString::fromLatin1(kUser))
        .toUtf8();
}

QString PgCluster::log() const {
    QFile file(dir.filePath(QStringLiteral("log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}
