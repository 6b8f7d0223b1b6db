#include "recordstore.h"

#include <atomic>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "baidutranslate.h"
#include "recordschema.h"
#include "recordsettings.h"

namespace {
std::atomic<int> connections{0};

const char* const kColumns =
    "seq, id, started_at, ended_at, station, program_version, permission, job, port, baud, "
    "device_type, device_name, serial, outcome, result_text";

QString dataText(const ProductionRecord& r) {
    QJsonObject data = r.details;
    data.insert(QStringLiteral("log"), QJsonArray::fromStringList(r.log));
    return QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact));
}

ProductionRecord fromRow(const QSqlQuery& q, bool withDetails, qint64* seq) {
    ProductionRecord r;
    *seq = q.value(0).toLongLong();
    r.id = q.value(1).toString();
    r.startedAt = ProductionRecord::parseTime(q.value(2).toString());
    r.endedAt = ProductionRecord::parseTime(q.value(3).toString());
    r.station = q.value(4).toString();
    r.programVersion = q.value(5).toString();
    r.permission = q.value(6).toString();
    r.job = q.value(7).toString();
    r.port = q.value(8).toString();
    r.baud = q.value(9).toInt();
    r.deviceType = q.value(10).toInt();
    r.deviceName = q.value(11).toString();
    r.serial = q.value(12).toString();
    r.outcome = q.value(13).toString();
    r.resultText = q.value(14).toString();
    if (withDetails) {
        QJsonObject data = QJsonDocument::fromJson(q.value(15).toString().toUtf8()).object();
        for (const QJsonValue& line : data.take(QStringLiteral("log")).toArray())
            r.log << line.toString();
        r.details = data;
    }
    return r;
}
}  // namespace

RecordStore::RecordStore()
    : name(QStringLiteral("quelbrin-records-%1").arg(connections.fetch_add(1))) {}

RecordStore::~RecordStore() {
    close();
}

QSqlDatabase RecordStore::database() const {
    return QSqlDatabase::database(name, false);
}

void RecordStore::close() {
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = database();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

bool RecordStore::isOpen() const {
    return QSqlDatabase::contains(name) && database().isOpen();
}

bool RecordStore::isShared() const {
    return shared;
}

bool RecordStore::setError(const QString& text) {
    error = text;
    return false;
}

bool RecordStore::openLocal(const QString& path, bool create) {
    close();
    error.clear();
    shared = false;
    if (!QFileInfo::exists(path)) {
        if (!create)
            return false;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return setError(translated("无法创建记录文件夹：") + QFileInfo(path).absolutePath());
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    // Four stations' commands may write one file at once: a writer waits this long for the
    // lock, never without a limit.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open())
        return setError(db.lastError().text());
    QSqlQuery q(db);
    // Write-ahead logging: the history reads while a job writes, and a process killed in the
    // middle of a transaction leaves the file as it was before it.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        return setError(q.lastError().text());
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    return finishOpen(true);
}

bool RecordStore::openShared(const RecordSettings& settings) {
    close();
    error.clear();
    shared = true;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setDatabaseName(settings.database);
    db.setUserName(settings.user);
    // No password here: libpq reads PGPASSWORD or ~/.pgpass itself.
    db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(settings.connectTimeoutS));
    if (!db.open())
        return setError(db.lastError().text());
    return finishOpen(false);
}

bool RecordStore::openConfigured(const RecordSettings& settings, bool create) {
    return settings.shared() ? openShared(settings) : openLocal(RecordSettings::localPath(), create);
}

bool RecordStore::finishOpen(bool withQueue) {
    QSqlDatabase db = database();
    QString why;
    if (!RecordSchema::ensure(db, withQueue, &why)) {
        db.close();
        return setError(why);
    }
    return true;
}

bool RecordStore::insert(const ProductionRecord& r) {
    if (!isOpen())
        return setError(error.isEmpty() ? QStringLiteral("not open") : error);
    QSqlDatabase db = database();
    // Only a second copy of the same id is passed over (a forwarded record sent again); any
    // other constraint still fails the insert.
    const QString verb = QStringLiteral("INSERT INTO");
    const QString tail = QStringLiteral(" ON CONFLICT (id) DO NOTHING");
    if (!db.transaction())
        return setError(db.lastError().text());
    QSqlQuery q(db);
    q.prepare(verb +
              QStringLiteral(" production_records (id, started_at, ended_at, station, "
                             "program_version, permission, job, port, baud, device_type, "
                             "device_name, serial, outcome, result_text, data) VALUES "
                             "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") +
              tail);
    // A null QString binds as SQL NULL, which the NOT NULL columns refuse: empty texts go as ''.
    auto text = [](const QString& t) { return t.isNull() ? QString(QLatin1String("")) : t; };
    const QVariantList values{text(r.id),
                              ProductionRecord::timeText(r.startedAt),
                              ProductionRecord::timeText(r.endedAt),
                              text(r.station),
                              text(r.programVersion),
                              text(r.permission),
                              text(r.job),
                              text(r.port),
                              r.baud,
                              r.deviceType,
                              text(r.deviceName),
                              text(r.serial),
                              text(r.outcome),
                              text(r.resultText),
                              dataText(r)};
    for (const QVariant& v : values) q.addBindValue(v);
    if (!q.exec()) {
        const QString text = q.lastError().text();
        db.rollback();
        return setError(text);
    }
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        return setError(text);
    }
    return true;
}

bool RecordStore::enqueue(const ProductionRecord& r) {
    if (!isOpen())
        return setError(error.isEmpty() ? QStringLiteral("not open") : error);
    QSqlQuery q(database());
    q.prepare(QStringLiteral("INSERT INTO record_queue (id, record) VALUES (?, ?) "
                             "ON CONFLICT (id) DO NOTHING"));
    q.addBindValue(r.id);
    q.addBindValue(
        QString::fromUtf8(QJsonDocument(r.toJson()).toJson(QJsonDocument::Compact)));
    // One statement outside a transaction is its own transaction.
    return q.exec() || setError(q.lastError().text());
}

int RecordStore::queued() {
    if (!isOpen())
        return -1;
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM record_queue")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

bool RecordStore::forwardOldest(RecordStore& target, bool* empty) {
    *empty = false;
    if (!isOpen())
        return setError(error.isEmpty() ? QStringLiteral("not open") : error);
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return setError(q.lastError().text());
    auto rollback = [&](const QString& text) {
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        return setError(text);
    };
    if (!q.exec(QStringLiteral("SELECT id, record FROM record_queue ORDER BY seq LIMIT 1")))
        return rollback(q.lastError().text());
    if (!q.next()) {
        *empty = true;
        q.finish();
        return q.exec(QStringLiteral("COMMIT")) || rollback(q.lastError().text());
    }
    const QString id = q.value(0).toString();
    const ProductionRecord record =
        ProductionRecord::fromJson(QJsonDocument::fromJson(q.value(1).toString().toUtf8()).object());
    q.finish();
    // The shared insert commits first. Should this process die before the queue's delete
    // commits, the record is sent again later and the shared database keeps its first copy
    // (same id): it arrives exactly once.
    if (!target.insert(record))
        return rollback(target.lastError());
    QSqlQuery del(database());
    del.prepare(QStringLiteral("DELETE FROM record_queue WHERE id = ?"));
    del.addBindValue(id);
    if (!del.exec())
        return rollback(del.lastError().text());
    if (!del.exec(QStringLiteral("COMMIT")))
        return rollback(del.lastError().text());
    return true;
}

RecordStore::Cursor RecordStore::cursorAfter(const ProductionRecord& last, qint64 seq) {
    return Cursor{ProductionRecord::timeText(last.startedAt), seq};
}

std::optional<QList<ProductionRecord>> RecordStore::query(const Filter& f, int limit,
                                                          const Cursor* after, bool withDetails) {
    seqs.clear();
    if (!isOpen()) {
        setError(error.isEmpty() ? QStringLiteral("not open") : error);
        return std::nullopt;
    }
    QStringList where;
    QVariantList values;
    if (!f.serial.isEmpty()) {
        where << QStringLiteral("serial = ?");
        values << f.serial;
    }
    if (f.since.isValid()) {
        where << QStringLiteral("started_at >= ?");
        values << ProductionRecord::timeText(f.since);
    }
    if (f.until.isValid()) {
        where << QStringLiteral("started_at < ?");
        values << ProductionRecord::timeText(f.until);
    }
    if (!f.job.isEmpty()) {
        where << QStringLiteral("job = ?");
        values << f.job;
    }
    if (!f.outcome.isEmpty()) {
        where << QStringLiteral("outcome = ?");
        values << f.outcome;
    }
    if (!f.station.isEmpty()) {
        where << QStringLiteral("station = ?");
        values << f.station;
    }
    if (after) {
        where << QStringLiteral("(started_at < ? OR (started_at = ? AND seq < ?))");
        values << after->startedAt << after->startedAt << after->seq;
    }
    QString sql = QStringLiteral("SELECT %1, %2 FROM production_records")
                      .arg(QString::fromLatin1(kColumns),
                           withDetails ? QStringLiteral("data") : QStringLiteral("''"));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY started_at DESC, seq DESC");
    if (limit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(limit);
    QSqlQuery q(database());
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant& v : values) q.addBindValue(v);
    if (!q.exec()) {
        setError(q.lastError().text());
        return std::nullopt;
    }
    QList<ProductionRecord> rows;
    while (q.next()) {
        qint64 seq = 0;
        rows << fromRow(q, withDetails, &seq);
        seqs << seq;
    }
    if (q.lastError().isValid()) {
        setError(q.lastError().text());
        return std::nullopt;
    }
    return rows;
}

std::optional<ProductionRecord> RecordStore::fetch(const QString& id) {
    if (!isOpen()) {
        setError(error.isEmpty() ? QStringLiteral("not open") : error);
        return std::nullopt;
    }
    QSqlQuery q(database());
    q.prepare(QStringLiteral("SELECT %1, data FROM production_records WHERE id = ?")
                  .arg(QString::fromLatin1(kColumns)));
    q.addBindValue(id);
    if (!q.exec()) {
        setError(q.lastError().text());
        return std::nullopt;
    }
    if (!q.next())
        return ProductionRecord();
    qint64 seq = 0;
    return fromRow(q, true, &seq);
}

std::optional<ProductionRecord> RecordStore::latestBySerial(const QString& serial) {
    Filter filter;
    filter.serial = serial;
    const auto rows = query(filter, 1, nullptr, true);
    if (!rows)
        return std::nullopt;
    return rows->isEmpty() ? ProductionRecord() : rows->first();
}

std::optional<qint64> RecordStore::count() {
    if (!isOpen())
        return std::nullopt;
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM production_records")) || !q.next())
        return std::nullopt;
    return q.value(0).toLongLong();
}
