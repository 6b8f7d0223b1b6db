#include "recordschema.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "baidutranslate.h"

namespace {
// Any fixed number: the lock only has to be the same for every station of the line.
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(5170019)";

QStringList tables(bool postgres, bool withQueue) {
    const QString serial = postgres ? QStringLiteral("BIGSERIAL PRIMARY KEY")
                                    : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    QStringList ddl{
        QStringLiteral("CREATE TABLE IF NOT EXISTS quelbrin_schema (version INTEGER NOT NULL)"),
        // Times are ISO 8601 text in UTC with milliseconds: they sort as text, and the same
        // statement runs on both databases. The job's remaining fields are one JSON text.
        QStringLiteral("CREATE TABLE IF NOT EXISTS production_records ("
                       "seq %1, id TEXT NOT NULL UNIQUE, started_at TEXT NOT NULL, "
                       "ended_at TEXT NOT NULL, station TEXT NOT NULL, "
                       "program_version TEXT NOT NULL, permission TEXT NOT NULL, "
                       "job TEXT NOT NULL, port TEXT NOT NULL, baud INTEGER NOT NULL, "
                       "device_type INTEGER NOT NULL, device_name TEXT NOT NULL, "
                       "serial TEXT NOT NULL, outcome TEXT NOT NULL, "
                       "result_text TEXT NOT NULL, data TEXT NOT NULL)")
            .arg(serial),
        QStringLiteral("CREATE INDEX IF NOT EXISTS production_records_serial "
                       "ON production_records (serial, started_at)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS production_records_started "
                       "ON production_records (started_at)")};
    if (withQueue)
        ddl << QStringLiteral("CREATE TABLE IF NOT EXISTS record_queue (seq %1, "
                              "id TEXT NOT NULL UNIQUE, record TEXT NOT NULL)")
                   .arg(serial);
    return ddl;
}

bool fail(QSqlDatabase& db, const QString& what, QString* error) {
    if (error)
        *error = what;
    db.rollback();
    return false;
}
}  // namespace

int RecordSchema::storedVersion(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT MAX(version) FROM quelbrin_schema")))
        return -1;
    return q.next() ? q.value(0).toInt() : 0;
}

bool RecordSchema::ensure(QSqlDatabase& db, bool withQueue, QString* error) {
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    QSqlQuery q(db);
    // Quick path: the tables are there at this version (the common case, without a lock).
    if (db.tables().contains(QStringLiteral("quelbrin_schema"))) {
        const int stored = storedVersion(db);
        if (stored > kVersion) {
            if (error)
                *error = translated("记录数据库的版本 [ %1 ] 比本程序支持的版本 [ %2 ] 新，"
                                    "请使用新版程序。")
                             .arg(stored)
                             .arg(kVersion);
            return false;
        }
        if (stored == kVersion && (!withQueue || db.tables().contains("record_queue")))
            return true;
    }
    // SQLite: BEGIN IMMEDIATE takes the write lock at once, so two processes cannot both find
    // the tables missing; PostgreSQL: a transaction-scoped advisory lock does the same.
    const bool begun = postgres ? db.transaction() : q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (!begun)
        return fail(db, db.lastError().text(), error);
    if (postgres && !q.exec(QString::fromLatin1(kSchemaLock)))
        return fail(db, q.lastError().text(), error);
    for (const QString& statement : tables(postgres, withQueue))
        if (!q.exec(statement))
            return fail(db, q.lastError().text(), error);
    const int stored = storedVersion(db);
    if (stored < 0)
        return fail(db, db.lastError().text(), error);
    if (stored > kVersion)
        return fail(db,
                    translated("记录数据库的版本 [ %1 ] 比本程序支持的版本 [ %2 ] 新，"
                               "请使用新版程序。")
                        .arg(stored)
                        .arg(kVersion),
                    error);
    // Upgrades from older versions go here, one step per version; version 1 is the first.
    if (stored == 0 &&
        !q.exec(QStringLiteral("INSERT INTO quelbrin_schema (version) VALUES (%1)").arg(kVersion)))
        return fail(db, q.lastError().text(), error);
    const bool committed = postgres ? db.commit() : q.exec(QStringLiteral("COMMIT"));
    if (!committed)
        return fail(db, db.lastError().text(), error);
    return true;
}
