// The records in one database, through one Qt SQL connection that belongs to the thread that
// made the store: insert, the forwarding queue, and the history queries. Blocking; run it on a
// worker thread (the writer, the history view's reader) or in quelbrin-cli.
//
// For the certificate and other readers: open a store on your own thread and use fetch(id) or
// latestBySerial(serial); ProductionRecord::toJson() gives the fields under the names that
// `quelbrin-cli history --json` prints, curves and log included.
#pragma once

#include <optional>

#include <QDateTime>
#include <QList>
#include <QString>

#include "productionrecord.h"

class RecordSettings;
class QSqlDatabase;

class RecordStore {
public:
    // What the history lists; empty members do not filter.
    struct Filter {
        QString serial;
        QDateTime since;  // inclusive
        QDateTime until;  // exclusive
        QString job;
        QString outcome;
        QString station;
    };
    // Where a page of the newest-first list ended; the next page starts after it.
    struct Cursor {
        QString startedAt;
        qint64 seq = 0;
    };

    RecordStore();
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // The station's SQLite file (write-ahead logging, so readers and one writer work at once).
    // create false: a missing file is not created, and the store stays closed without error.
    bool openLocal(const QString& path, bool create = true);
    // The shared PostgreSQL database of a line.
    bool openShared(const RecordSettings& settings);
    // Where settings say the records are read: the shared database, or the station's file.
    bool openConfigured(const RecordSettings& settings, bool create = true);
    void close();
    bool isOpen() const;
    bool isShared() const;
    QString lastError() const { return error; }
    // The Qt SQL connection's name, for a tool or test that must reach the same connection.
    QString connectionName() const { return name; }

    // One record in one transaction; a record whose id is there already is left as it is.
    bool insert(const ProductionRecord& record);

    // The forwarding queue of the station's file.
    bool enqueue(const ProductionRecord& record);
    // Queued records, -1 when the count cannot be read.
    int queued();
    // Moves the oldest queued record into target. Holds this file's write lock for the time of
    // the one insert, so that processes sharing the file forward one after another, in order.
    // false on a failure (error tells which side); *empty when nothing was queued.
    bool forwardOldest(RecordStore& target, bool* empty);

    // Newest first. withDetails false leaves out the curves and the log (a list needs neither).
    // nullopt when the database cannot be read.
    std::optional<QList<ProductionRecord>> query(const Filter& filter, int limit,
                                                 const Cursor* after = nullptr,
                                                 bool withDetails = false);
    static Cursor cursorAfter(const ProductionRecord& last, qint64 seq);
    // The seq of the rows of the last query, in order (the keys of the next page).
    QList<qint64> lastSeqs() const { return seqs; }

    std::optional<ProductionRecord> fetch(const QString& id);
    std::optional<ProductionRecord> latestBySerial(const QString& serial);
    // Every record, for a test or a tool: nullopt when unreadable.
    std::optional<qint64> count();

private:
    bool finishOpen(bool withQueue);
    bool setError(const QString& text);
    QSqlDatabase database() const;

    QString name;
    QString error;
    bool shared = false;
    QList<qint64> seqs;
};
