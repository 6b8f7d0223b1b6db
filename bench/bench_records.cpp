// Prints what the production record costs: inserting a calibration record (256 points in 7
// curves) into the station's SQLite file; with 100,000 records, a query by serial and the
// history view from the click to its first paint; and the file's size per 1,000 calibration
// records.
#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <QJsonDocument>

#include "historyview.h"
#include "recordsettings.h"
#include "recordstore.h"

namespace {
double ms(qint64 ns) {
    return ns / 1e6;
}

ProductionRecord calibrationRecord(int n, const QDateTime& at) {
    ProductionRecord r = ProductionRecord::begin(QStringLiteral("calibrate"));
    r.serial = QStringLiteral("ENC-%1").arg(n % 20000, 6, 10, QLatin1Char('0'));
    r.outcome = n % 97 == 0 ? QStringLiteral("failed") : QStringLiteral("good");
    r.startedAt = at;
    r.endedAt = at.addSecs(40);
    r.port = QStringLiteral("/dev/ttyUSB0");
    r.baud = 115200;
    r.deviceType = 250;
    r.deviceName = QStringLiteral("ZEK_ENCODER");
    r.resultText = QStringLiteral("校准效果验证成功，校准后最大INL：[ 0.0065 °] ,设定最大INL：[ 0.1 °] 校准完毕。");
    QJsonObject curves;
    int k = 0;
    for (const char* key : {"ROUGH", "FINE", "FINAL", "FIRST", "SECOND", "THIRD", "FOURTH"}) {
        QJsonArray curve;
        for (int i = 0; i < 256; ++i)
            curve.append(QString::number(double(float(std::sin(i * 0.05 + k + n) * 0.05f)), 'g', 9)
                             .toDouble());
        curves.insert(QLatin1String(key), curve);
        ++k;
    }
    r.details.insert("inlCurves", curves);
    r.details.insert("pointNum", 256);
    r.details.insert("rigVerdict", true);
    for (int i = 0; i < 60; ++i) r.log << QStringLiteral("获取校准数据... 第 %1 行").arg(i);
    return r;
}

qint64 fileBytes(const QString& path) {
    return QFileInfo(path).size() + QFileInfo(path + "-wal").size();
}

void checkpoint(RecordStore& store) {
    QSqlQuery(QSqlDatabase::database(store.connectionName()))
        .exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("config"));

    // Inserts, one transaction each, as the writer does after every job.
    {
        RecordStore store;
        store.openLocal(QStringLiteral("insert.sqlite"));
        QList<qint64> times;
        const QDateTime t0 = QDateTime::currentDateTimeUtc();
        for (int i = 0; i < 1000; ++i) {
            const ProductionRecord r = calibrationRecord(i, t0.addSecs(i));
            QElapsedTimer t;
            t.start();
            if (!store.insert(r)) {
                out << "insert failed: " << store.lastError() << "\n";
                return 1;
            }
            times << t.nsecsElapsed();
        }
        std::sort(times.begin(), times.end());
        out << "insert of a calibration record (256 points x 7 curves, SQLite, WAL): median "
            << ms(times.at(times.size() / 2)) << " ms, 95th percentile "
            << ms(times.at(times.size() * 95 / 100)) << " ms, max " << ms(times.last())
            << " ms (goal < 10 ms)\n";
        checkpoint(store);
        out << "database size per 1,000 calibration records: "
            << QString::number(fileBytes(QStringLiteral("insert.sqlite")) / 1048576.0, 'f', 1)
            << " MiB\n";
    }

    // 100,000 records in the station's file; the fill goes in one transaction to be quick.
    const QString path = RecordSettings::localPath();
    {
        RecordStore store;
        store.openLocal(path);
        QSqlDatabase db = QSqlDatabase::database(store.connectionName());
        QElapsedTimer fill;
        fill.start();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral(
            "INSERT INTO production_records (id, started_at, ended_at, station, program_version, "
            "permission, job, port, baud, device_type, device_name, serial, outcome, "
            "result_text, data) VALUES (?, ?, ?, 'S1', '1.0.0.0', 'ADMINISTRATOR', ?, "
            "'/dev/ttyUSB0', 115200, 250, 'ZEK_ENCODER', ?, ?, 'done', ?)"));
        const ProductionRecord sample = calibrationRecord(0, QDateTime::currentDateTimeUtc());
        QJsonObject data = sample.details;
        const QString calibrationData =
            QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact));
        const QDateTime t0 = QDateTime::currentDateTimeUtc().addDays(-400);
        const QStringList jobs{"calibrate", "test", "zero", "iap", "write-reg"};
        for (int i = 0; i < 100000; ++i) {
            q.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
            const QString when = ProductionRecord::timeText(t0.addSecs(i * 300));
            q.addBindValue(when);
            q.addBindValue(when);
            q.addBindValue(jobs.at(i % jobs.size()));
            q.addBindValue(QStringLiteral("ENC-%1").arg(i % 20000, 6, 10, QLatin1Char('0')));
            q.addBindValue(i % 97 == 0 ? QStringLiteral("failed") : QStringLiteral("good"));
            // One in five a calibration with its curves, the others short.
            q.addBindValue(i % 5 == 0 ? calibrationData : QStringLiteral("{\"log\":[]}"));
            q.exec();
        }
        db.commit();
        checkpoint(store);
        out << "filled 100,000 records in " << fill.elapsed() << " ms ("
            << QString::number(fileBytes(path) / 1048576.0, 'f', 0) << " MiB)\n";
    }
    {
        RecordStore store;
        store.openLocal(path, false);
        QList<qint64> times;
        for (int i = 0; i < 200; ++i) {
            RecordStore::Filter f;
            f.serial = QStringLiteral("ENC-%1").arg((i * 7919) % 20000, 6, 10, QLatin1Char('0'));
            QElapsedTimer t;
            t.start();
            const auto rows = store.query(f, 0);
            times << t.nsecsElapsed();
            if (!rows || rows->size() != 5) {
                out << "query by serial found " << (rows ? rows->size() : -1) << " rows\n";
                return 1;
            }
        }
        std::sort(times.begin(), times.end());
        out << "query by serial in 100,000 records (5 rows each): median "
            << ms(times.at(times.size() / 2)) << " ms, max " << ms(times.last())
            << " ms (goal < 20 ms)\n";
        QElapsedTimer latest;
        latest.start();
        const auto one = store.latestBySerial(QStringLiteral("ENC-012345"));
        out << "latest record of a serial, whole (curves and log): " << ms(latest.nsecsElapsed())
            << " ms\n";
        if (!one || !one->isValid())
            return 1;
    }

    // The history tab from the click to its first paint with rows.
    QList<qint64> opens;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        auto* view = new HistoryView(RecordSettings::load());
        view->resize(1200, 700);
        view->show();
        QSignalSpy loaded(view->model(), &HistoryModel::pageLoaded);
        if (!loaded.wait(10000))
            return 1;
        view->view()->viewport()->repaint();
        opens << t.nsecsElapsed();
        if (view->model()->rowCount() != HistoryModel::kPage)
            return 1;
        delete view;
    }
    std::sort(opens.begin(), opens.end());
    out << "history view, click to first paint with 100,000 records: median "
        << ms(opens.at(opens.size() / 2)) << " ms, max " << ms(opens.last())
        << " ms (goal < 300 ms)\n";
    return 0;
}
