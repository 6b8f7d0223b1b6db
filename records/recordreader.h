// The history view's side of the database: a thread of its own with its own connection, which
// fetches pages of the list, single records and CSV exports while the window stays free.
#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QObject>
#include <QString>

#include "productionrecord.h"
#include "recordsettings.h"
#include "recordstore.h"

class QThread;

class RecordReader : public QObject {
    Q_OBJECT
public:
    explicit RecordReader(const RecordSettings& settings, QObject* parent = nullptr);
    ~RecordReader() override;

    // Each request carries a token that its answer repeats, so a stale answer can be told apart.
    void requestPage(int token, const RecordStore::Filter& filter, int limit,
                     const RecordStore::Cursor& after, bool first);
    void requestRecord(int token, const QString& id);
    // The newest record of an encoder, whole; recordReady answers (an invalid record: none).
    void requestLatest(int token, const QString& serial);
    // Every row of filter, with its figures, as CSV in path (written whole or not at all).
    void requestExport(const RecordStore::Filter& filter, const QString& path);

signals:
    // error set: the database could not be read (rows empty).
    void pageReady(int token, QList<ProductionRecord> rows, QList<qint64> seqs, QString error);
    void recordReady(int token, ProductionRecord record, QString error);
    void exported(bool ok, int rows, QString message);

private:
    QThread* thread;
    class RecordReaderWorker* worker;
};

class RecordReaderWorker : public QObject {
    Q_OBJECT
public:
    explicit RecordReaderWorker(const RecordSettings& settings) : settings(settings) {}

public slots:
    void page(int token, const RecordStore::Filter& filter, int limit,
              const RecordStore::Cursor& after, bool first);
    void record(int token, const QString& id);
    void latest(int token, const QString& serial);
    void exportCsv(const RecordStore::Filter& filter, const QString& path);
    void shutdown();

signals:
    void pageReady(int token, QList<ProductionRecord> rows, QList<qint64> seqs, QString error);
    void recordReady(int token, ProductionRecord record, QString error);
    void exported(bool ok, int rows, QString message);

private:
    // Opens the store if needed and emits recordReady with what find gives.
    void answer(int token, const std::function<std::optional<ProductionRecord>()>& find);
    // false with error set when the database cannot be read; true with no store when there is
    // no record yet (the station's file does not exist).
    bool open(QString* error);

    RecordSettings settings;
    RecordStore* store = nullptr;
};

Q_DECLARE_METATYPE(RecordStore::Filter)
Q_DECLARE_METATYPE(RecordStore::Cursor)
