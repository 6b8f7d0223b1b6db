// Stores the production records on a thread of its own, so that no job and no window waits on
// a disk or a network. With a shared database, every record goes first into the station's
// file as a queue and is forwarded from there in order; while the shared database is away the
// queue grows and is retried.
#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include "productionrecord.h"
#include "recordsettings.h"

class QThread;
class RecordWriterWorker;

class RecordWriter : public QObject {
    Q_OBJECT
public:
    // settings are read once, here; the thread starts at once.
    explicit RecordWriter(const RecordSettings& settings, QObject* parent = nullptr);
    ~RecordWriter() override;

    // Queues record for storing; written() or failed() follows with its id.
    void submit(const ProductionRecord& record);
    // The upgrade image that record id will name: its name, size, SHA-256 and the model and
    // version of its trailer are taken now (on the writer's thread), before the job may change.
    void noteImage(const QString& id, const QString& path);
    // Runs the caller's event loop until every record submitted so far is stored or reported,
    // at most timeoutMs; false on the time limit. For quelbrin-cli before it exits.
    bool flush(int timeoutMs);
    // Ends the thread after what is queued, waiting at most timeoutMs. Idempotent.
    void stop(int timeoutMs = 8000);

    int pending() const { return int(outstanding.size()); }
    int queued() const { return queueCount; }
    const RecordSettings& settings() const { return config; }

signals:
    // Stored safely: in the station's file or the shared database; with a shared database,
    // after the attempt to forward the queue.
    void written(QString id);
    // Could not be stored anywhere (read-only or corrupt file, disk full, no database).
    void failed(QString id, QString message);
    // Records waiting in the station's queue for the shared database.
    void queueChanged(int count);
    // The shared database could (not) be reached at the last attempt.
    void sharedReachable(bool reachable, QString message);

private:
    RecordSettings config;
    QThread* thread;
    RecordWriterWorker* worker;
    QSet<QString> outstanding;
    int queueCount = 0;
    bool stopped = false;
};

// The writer's thread side; every connection it opens is used on that thread only.
class RecordWriterWorker : public QObject {
    Q_OBJECT
public:
    explicit RecordWriterWorker(const RecordSettings& settings);
    ~RecordWriterWorker() override;

public slots:
    void start();
    void write(const ProductionRecord& record);
    void noteImage(const QString& id, const QString& path);
    void forward();
    void shutdown();

signals:
    void written(QString id);
    void failed(QString id, QString message);
    void queueChanged(int count);
    void sharedReachable(bool reachable, QString message);

private:
    bool openLocal();
    void scheduleRetry();

    RecordSettings settings;
    class RecordStore* local = nullptr;
    class RecordStore* remote = nullptr;
    class QTimer* retry = nullptr;
    QHash<QString, QJsonObject> images;
};
