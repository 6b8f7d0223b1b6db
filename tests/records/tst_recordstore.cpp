// The record store and writer against a real SQLite file and a real PostgreSQL server: what is
// written comes back whole, the history's filters and pages, the schema's version, and the
// faults: a read-only, corrupt or full file, a kill in the middle of a burst of writes, and the
// shared server stopped in the middle of a shift.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include "pgcluster.h"
#include "recordsettings.h"
#include "recordstore.h"
#include "recordwriter.h"
#include "testworkdir.h"

namespace {
ProductionRecord makeRecord(const QString& serial, const QString& job, const QString& outcome,
                            const QDateTime& started, const QString& station = "S1") {
    ProductionRecord r = ProductionRecord::begin(job);
    r.serial = serial;
    r.outcome = outcome;
    r.startedAt = started;
    r.endedAt = started.addSecs(3);
    r.station = station;
    r.port = "/dev/pts/9";
    r.baud = 115200;
    r.resultText = "结果 " + serial;
    r.log = QStringList{"第一行", "second, with \"quotes\""};
    return r;
}

// 256 points in 7 curves, as a calibration and its four tests leave them, in float precision.
QJsonObject calibrationCurves(int points) {
    QJsonObject curves;
    int k = 0;
    for (const char* key : {"ROUGH", "FINE", "FINAL", "FIRST", "SECOND", "THIRD", "FOURTH"}) {
        QJsonArray curve;
        for (int i = 0; i < points; ++i)
            curve.append(QString::number(double(float(std::sin(i * 0.1 + k) * 0.0123f)), 'g', 9)
                             .toDouble());
        curves.insert(QLatin1String(key), curve);
        ++k;
    }
    return curves;
}

bool chattr(const QString& flag, const QString& path) {
    return QProcess::execute("chattr", {flag, path}) == 0;
}
}  // namespace

class TestRecordStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void roundTripAndFilters_data();
    void roundTripAndFilters();
    void pagesCoverEveryRowOnce_data();
    void pagesCoverEveryRowOnce();
    void newerSchemaIsRefused_data();
    void newerSchemaIsRefused();
    void writerReportsAFileItCannotWrite_data();
    void writerReportsAFileItCannotWrite();
    void fullDiskLeavesNoHalfRecord();
    void killDuringBurstLeavesTheFileIntact();
    void serverStoppedMidShift();
    void passwordFromPgpassFile();

private:
    void backends();
    // Opens store on the backend of the current row; skips (or fails on CI) without a server.
    bool openBackend(RecordStore& store);

    std::unique_ptr<PgCluster> pg;
    QString pgProblem;
    std::unique_ptr<TestWorkDir> work;
};

void TestRecordStore::initTestCase() {
    pg = std::make_unique<PgCluster>();
    pgProblem = pg->start();
    if (!pgProblem.isEmpty()) {
        if (PgCluster::mustRun())
            QFAIL(qPrintable("PostgreSQL is needed on CI: " + pgProblem));
        qWarning("PostgreSQL tests will be skipped: %s", qPrintable(pgProblem));
    }
}

void TestRecordStore::cleanupTestCase() {
    pg.reset();
}

void TestRecordStore::init() {
    work = std::make_unique<TestWorkDir>();
}

void TestRecordStore::cleanup() {
    work.reset();
}

void TestRecordStore::backends() {
    QTest::addColumn<bool>("shared");
    QTest::addRow("SQLite") << false;
    QTest::addRow("PostgreSQL") << true;
}

bool TestRecordStore::openBackend(RecordStore& store) {
    QFETCH(bool, shared);
    if (!shared)
        return store.openLocal(RecordSettings::localPath());
    if (!pgProblem.isEmpty())
        return false;
    work->writeConfig(pg->recordsIni());
    if (!store.openShared(RecordSettings::load()))
        return false;
    // One database serves every row: start each on an empty table.
    QSqlQuery(QSqlDatabase::database(store.connectionName()))
        .exec("DELETE FROM production_records");
    return true;
}

#define OPEN_OR_SKIP(store)                                                   \
    do {                                                                      \
        QFETCH(bool, shared);                                                 \
        if (shared && !pgProblem.isEmpty())                                   \
            QSKIP(qPrintable("PostgreSQL unavailable: " + pgProblem));        \
        QVERIFY2(openBackend(store), qPrintable(store.lastError()));          \
    } while (0)

void TestRecordStore::roundTripAndFilters_data() {
    backends();
}

void TestRecordStore::roundTripAndFilters() {
    RecordStore store;
    OPEN_OR_SKIP(store);
    const QDateTime t0 = QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC);
    ProductionRecord calibrated = makeRecord("ENC-1", "calibrate", "good", t0);
    calibrated.details.insert("pointNum", 256);
    calibrated.details.insert("inlCurves", calibrationCurves(256));
    calibrated.details.insert("rigVerdict", true);
    const QList<ProductionRecord> records{
        calibrated, makeRecord("ENC-1", "test", "bad", t0.addSecs(60)),
        makeRecord("ENC-2", "iap", "failed", t0.addDays(1), "S2"),
        makeRecord("ENC-3", "write-reg", "good", t0.addDays(2))};
    for (const ProductionRecord& r : records) QVERIFY2(store.insert(r), qPrintable(store.lastError()));
    // The same id again (a forwarded record sent twice) is kept once.
    QVERIFY(store.insert(records.at(2)));
    QCOMPARE(store.count().value_or(-1), 4);

    const auto back = store.fetch(calibrated.id);
    QVERIFY(back && back->isValid());
    QCOMPARE(back->toJson(), calibrated.toJson());
    QCOMPARE(back->details.value("inlCurves").toObject().value("FOURTH").toArray().size(), 256);
    QVERIFY(store.fetch("no-such-id").has_value() && !store.fetch("no-such-id")->isValid());
    QCOMPARE(store.latestBySerial("ENC-1")->id, records.at(1).id);
    QVERIFY(!store.latestBySerial("NOBODY")->isValid());

    auto ids = [&](const RecordStore::Filter& f) {
        QStringList list;
        const QList<ProductionRecord> rows = store.query(f, 0).value();
        for (const ProductionRecord& r : rows) list << r.serial + "/" + r.job;
        return list;
    };
    RecordStore::Filter all;
    QCOMPARE(ids(all),
             (QStringList{"ENC-3/write-reg", "ENC-2/iap", "ENC-1/test", "ENC-1/calibrate"}));
    RecordStore::Filter f;
    f.serial = "ENC-1";
    QCOMPARE(ids(f), (QStringList{"ENC-1/test", "ENC-1/calibrate"}));
    f = {};
    f.outcome = "failed";
    QCOMPARE(ids(f), QStringList{"ENC-2/iap"});
    f = {};
    f.station = "S2";
    QCOMPARE(ids(f), QStringList{"ENC-2/iap"});
    f = {};
    f.job = "test";
    QCOMPARE(ids(f), QStringList{"ENC-1/test"});
    f = {};
    f.since = t0.addSecs(30);
    f.until = t0.addDays(2);  // exclusive
    QCOMPARE(ids(f), (QStringList{"ENC-2/iap", "ENC-1/test"}));
    // A list leaves the curves and the log out.
    QVERIFY(store.query(all, 0).value().last().details.isEmpty());
}

void TestRecordStore::pagesCoverEveryRowOnce_data() {
    backends();
}

void TestRecordStore::pagesCoverEveryRowOnce() {
    RecordStore store;
    OPEN_OR_SKIP(store);
    // Records that share a start time are the trap of paging by time alone.
    const QDateTime t0 = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    QStringList expected;
    for (int i = 0; i < 450; ++i) {
        const ProductionRecord r = makeRecord(QString::number(i), "zero", "good", t0.addSecs(i / 3));
        QVERIFY(store.insert(r));
        expected.prepend(r.id);
    }
    QStringList seen;
    RecordStore::Cursor cursor;
    for (bool first = true;; first = false) {
        const auto page = store.query({}, 200, first ? nullptr : &cursor);
        QVERIFY(page);
        for (const ProductionRecord& r : *page) seen << r.id;
        if (page->size() < 200)
            break;
        cursor = RecordStore::cursorAfter(page->last(), store.lastSeqs().last());
    }
    QCOMPARE(seen.size(), 450);
    QCOMPARE(QSet<QString>(seen.begin(), seen.end()).size(), 450);
    // Newest first; within one second, the later insert first.
    QCOMPARE(seen, expected);
}

void TestRecordStore::newerSchemaIsRefused_data() {
    backends();
}

void TestRecordStore::newerSchemaIsRefused() {
    {
        RecordStore store;
        OPEN_OR_SKIP(store);
        QVERIFY(QSqlQuery(QSqlDatabase::database(store.connectionName()))
                    .exec("UPDATE quelbrin_schema SET version = 7"));
    }
    QFETCH(bool, shared);
    RecordStore again;
    const bool opened = shared ? again.openShared(RecordSettings::load())
                               : again.openLocal(RecordSettings::localPath());
    QVERIFY(!opened);
    QVERIFY2(again.lastError().contains("[ 7 ]"), qPrintable(again.lastError()));
    QVERIFY(!again.insert(makeRecord("X", "zero", "good", QDateTime::currentDateTimeUtc())));
    // Put the shared database back for the tests after this one.
    if (shared) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "repair");
        const RecordSettings s = RecordSettings::load();
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setDatabaseName(s.database);
        db.setUserName(s.user);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec("UPDATE quelbrin_schema SET version = 1"));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("repair");
    }
}

void TestRecordStore::writerReportsAFileItCannotWrite_data() {
    QTest::addColumn<QString>("fault");
    QTest::addRow("read-only file") << "readonly";
    QTest::addRow("garbage bytes") << "corrupt";
}

void TestRecordStore::writerReportsAFileItCannotWrite() {
    QFETCH(QString, fault);
    const QString path = RecordSettings::localPath();
    {
        RecordStore store;
        QVERIFY(store.openLocal(path));
        QVERIFY(store.insert(makeRecord("OLD", "zero", "good", QDateTime::currentDateTimeUtc())));
    }
    bool immutable = false;
    if (fault == "readonly") {
        // Root writes through file modes; the immutable flag stops root too.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        if (::geteuid() == 0) {
            if (!chattr("+i", path))
                QSKIP("running as root on a file system without the immutable flag");
            immutable = true;
        }
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(8192, '\xA5'));
    }
    RecordWriter writer{RecordSettings()};
    QSignalSpy failed(&writer, &RecordWriter::failed);
    QSignalSpy written(&writer, &RecordWriter::written);
    const ProductionRecord r = makeRecord("NEW", "calibrate", "good", QDateTime::currentDateTimeUtc());
    writer.submit(r);
    QVERIFY(failed.wait(15000));
    QCOMPARE(failed.first().at(0).toString(), r.id);
    QVERIFY(!failed.first().at(1).toString().isEmpty());
    QCOMPARE(written.size(), 0);
    writer.stop();
    if (immutable)
        QVERIFY(chattr("-i", path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (fault == "readonly") {
        // What was there before is still there, and nothing of the refused record.
        RecordStore store;
        QVERIFY(store.openLocal(path));
        QCOMPARE(store.count().value_or(-1), 1);
    }
}

void TestRecordStore::fullDiskLeavesNoHalfRecord() {
    RecordStore store;
    QVERIFY(store.openLocal(RecordSettings::localPath()));
    QVERIFY(store.insert(makeRecord("A", "zero", "good", QDateTime::currentDateTimeUtc())));
    QSqlQuery q(QSqlDatabase::database(store.connectionName()));
    QVERIFY(q.exec("PRAGMA page_count") && q.next());
    // The file may not grow: the next large record finds the disk full.
    QVERIFY(q.exec(QString("PRAGMA max_page_count = %1").arg(q.value(0).toInt())));
    ProductionRecord big = makeRecord("B", "calibrate", "good", QDateTime::currentDateTimeUtc());
    big.details.insert("inlCurves", calibrationCurves(4096));
    QVERIFY(!store.insert(big));
    QVERIFY2(store.lastError().contains("full"), qPrintable(store.lastError()));
    QCOMPARE(store.count().value_or(-1), 1);
    QVERIFY(!store.fetch(big.id)->isValid());
}

void TestRecordStore::killDuringBurstLeavesTheFileIntact() {
    const QString path = RecordSettings::localPath();
    QProcess burst;
    burst.start(QUELBRIN_RECORDBURST, {path});
    QVERIFY(burst.waitForStarted(10000));
    // Let it commit a good number, then kill it wherever it is (most likely inside a write).
    QByteArray out;
    QDeadlineTimer deadline(60000);
    while (out.count('\n') < 60 && !deadline.hasExpired()) {
        burst.waitForReadyRead(1000);
        out += burst.readAllStandardOutput();
    }
    QVERIFY2(out.count('\n') >= 60, burst.readAllStandardError().constData());
    ::kill(pid_t(burst.processId()), SIGKILL);
    QVERIFY(burst.waitForFinished(10000));
    QCOMPARE(burst.exitStatus(), QProcess::CrashExit);
    out += burst.readAllStandardOutput();
    const int committed = out.trimmed().split('\n').last().toInt();

    RecordStore store;
    QVERIFY2(store.openLocal(path), qPrintable(store.lastError()));
    QSqlQuery q(QSqlDatabase::database(store.connectionName()));
    QVERIFY(q.exec("PRAGMA integrity_check") && q.next());
    QCOMPARE(q.value(0).toString(), QString("ok"));
    // Every commit it reported is there (at most the one in flight besides), each one whole.
    const auto all = store.query({}, 0, nullptr, true);
    QVERIFY(all);
    QVERIFY2(all->size() >= committed && all->size() <= committed + 1,
             qPrintable(QString("%1 rows, %2 reported").arg(all->size()).arg(committed)));
    for (const ProductionRecord& r : *all)
        QCOMPARE(r.details.value("inlCurves").toObject().value("FOURTH").toArray().size(), 256);
}

void TestRecordStore::serverStoppedMidShift() {
    if (!pgProblem.isEmpty())
        QSKIP(qPrintable("PostgreSQL unavailable: " + pgProblem));
    work->writeConfig(pg->recordsIni());
    {
        RecordStore shared;
        QVERIFY2(shared.openShared(RecordSettings::load()), qPrintable(shared.lastError()));
        QSqlQuery(QSqlDatabase::database(shared.connectionName())).exec("DELETE FROM production_records");
    }
    RecordWriter writer(RecordSettings::load());
    QSignalSpy written(&writer, &RecordWriter::written);
    QSignalSpy failed(&writer, &RecordWriter::failed);
    QList<int> queueSeen;
    connect(&writer, &RecordWriter::queueChanged, this, [&](int n) { queueSeen << n; });
    QStringList order;
    const QDateTime t0 = QDateTime::currentDateTimeUtc();
    for (int job = 0; job < 20; ++job) {
        if (job == 7)
            QVERIFY(pg->stopServer());
        const ProductionRecord r = makeRecord(QString("SHIFT-%1").arg(job), "test", "good",
                                              t0.addSecs(job));
        order << r.id;
        writer.submit(r);
        QVERIFY(writer.flush(20000));
        if (job == 13) {
            // Seven jobs while the server was away: all wait in the station's queue.
            QTRY_COMPARE_WITH_TIMEOUT(writer.queued(), 7, 10000);
            QVERIFY(pg->startServer());
        }
    }
    QCOMPARE(failed.size(), 0);
    QCOMPARE(written.size(), 20);
    QTRY_COMPARE_WITH_TIMEOUT(writer.queued(), 0, 20000);
    QVERIFY(queueSeen.contains(7));
    writer.stop();

    RecordStore shared;
    QVERIFY(shared.openShared(RecordSettings::load()));
    QSqlQuery q(QSqlDatabase::database(shared.connectionName()));
    QVERIFY(q.exec("SELECT id FROM production_records ORDER BY seq"));
    QStringList arrived;
    while (q.next()) arrived << q.value(0).toString();
    QCOMPARE(arrived, order);  // all 20, once each, in the order of the jobs
}

// The password never stands in config.ini: without PGPASSWORD, libpq finds it in the
// password file (~/.pgpass, or the file PGPASSFILE names), and without either the line's
// database refuses the station.
void TestRecordStore::passwordFromPgpassFile() {
    if (!pgProblem.isEmpty())
        QSKIP(qPrintable("PostgreSQL unavailable: " + pgProblem));
    work->writeConfig(pg->recordsIni());
    const QByteArray password = qgetenv("PGPASSWORD");
    qunsetenv("PGPASSWORD");
    const QString passfile = work->filePath("pgpass");
    qputenv("PGPASSFILE", QFile::encodeName(passfile));
    {
        RecordStore store;
        QVERIFY(!store.openShared(RecordSettings::load()));
    }
    QFile file(passfile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString("127.0.0.1:%1:quelbrin:quelbrin:").arg(pg->port()).toUtf8() + password + "\n");
    file.close();
    // libpq ignores a password file that others may read.
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    RecordStore store;
    const bool opened = store.openShared(RecordSettings::load());
    qunsetenv("PGPASSFILE");
    qputenv("PGPASSWORD", password);
    QVERIFY2(opened, qPrintable(store.lastError()));
    QVERIFY(!work->readConfig().contains(password));
}

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
