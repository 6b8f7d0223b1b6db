#include "recordreader.h"

#include <QSaveFile>
#include <QThread>

#include "baidutranslate.h"

RecordReader::RecordReader(const RecordSettings& settings, QObject* parent)
    : QObject(parent), thread(new QThread), worker(new RecordReaderWorker(settings)) {
    qRegisterMetaType<RecordStore::Filter>("RecordStore::Filter");
    qRegisterMetaType<RecordStore::Cursor>("RecordStore::Cursor");
    qRegisterMetaType<ProductionRecord>("ProductionRecord");
    qRegisterMetaType<QList<ProductionRecord>>("QList<ProductionRecord>");
    qRegisterMetaType<QList<qint64>>("QList<qint64>");
    thread->setObjectName(QStringLiteral("RecordReader"));
    worker->moveToThread(thread);
    connect(worker, &RecordReaderWorker::pageReady, this, &RecordReader::pageReady);
    connect(worker, &RecordReaderWorker::recordReady, this, &RecordReader::recordReady);
    connect(worker, &RecordReaderWorker::exported, this, &RecordReader::exported);
    thread->start();
}

RecordReader::~RecordReader() {
    thread->requestInterruption();
    QMetaObject::invokeMethod(worker, &RecordReaderWorker::shutdown, Qt::QueuedConnection);
    // A query on a reachable database ends within its own time; an unreachable server within
    // the connection timeout.
    if (thread->wait(15000)) {
        delete worker;
        delete thread;
    } else {
        qWarning("history reader still busy; leaving it to the process's exit");
    }
}

void RecordReader::requestPage(int token, const RecordStore::Filter& filter, int limit,
                               const RecordStore::Cursor& after, bool first) {
    QMetaObject::invokeMethod(worker, "page", Qt::QueuedConnection, Q_ARG(int, token),
                              Q_ARG(RecordStore::Filter, filter), Q_ARG(int, limit),
                              Q_ARG(RecordStore::Cursor, after), Q_ARG(bool, first));
}

void RecordReader::requestRecord(int token, const QString& id) {
    QMetaObject::invokeMethod(worker, "record", Qt::QueuedConnection, Q_ARG(int, token),
                              Q_ARG(QString, id));
}

void RecordReader::requestLatest(int token, const QString& serial) {
    QMetaObject::invokeMethod(worker, "latest", Qt::QueuedConnection, Q_ARG(int, token),
                              Q_ARG(QString, serial));
}

void RecordReader::requestExport(const RecordStore::Filter& filter, const QString& path) {
    QMetaObject::invokeMethod(worker, "exportCsv", Qt::QueuedConnection,
                              Q_ARG(RecordStore::Filter, filter), Q_ARG(QString, path));
}

bool RecordReaderWorker::open(QString* error) {
    if (store && store->isOpen())
        return true;
    if (!store)
        store = new RecordStore;
    if (store->openConfigured(settings, false))
        return true;
    *error = store->lastError();
    return error->isEmpty();
}

void RecordReaderWorker::shutdown() {
    delete store;
    store = nullptr;
    QThread::currentThread()->quit();
}

void RecordReaderWorker::page(int token, const RecordStore::Filter& filter, int limit,
                              const RecordStore::Cursor& after, bool first) {
    QString error;
    if (!open(&error)) {
        emit pageReady(token, {}, {}, error);
        return;
    }
    if (!store->isOpen()) {
        emit pageReady(token, {}, {}, QString());
        return;
    }
    const auto rows = store->query(filter, limit, first ? nullptr : &after, false);
    if (!rows) {
        const QString why = store->lastError();
        // A broken connection (the server restarted) is opened again at the next request.
        store->close();
        emit pageReady(token, {}, {}, why);
        return;
    }
    emit pageReady(token, *rows, store->lastSeqs(), QString());
}

void RecordReaderWorker::record(int token, const QString& id) {
    answer(token, [&] { return store->fetch(id); });
}

void RecordReaderWorker::latest(int token, const QString& serial) {
    answer(token, [&] { return store->latestBySerial(serial); });
}

void RecordReaderWorker::answer(int token,
                                const std::function<std::optional<ProductionRecord>()>& find) {
    QString error;
    if (!open(&error) || !store->isOpen()) {
        emit recordReady(token, ProductionRecord(), error);
        return;
    }
    const std::optional<ProductionRecord> found = find();
    if (!found) {
        // A failed read closes the connection: the next request opens it afresh.
        const QString why = store->lastError();
        store->close();
        emit recordReady(token, ProductionRecord(), why);
        return;
    }
    emit recordReady(token, *found, QString());
}

void RecordReaderWorker::exportCsv(const RecordStore::Filter& filter, const QString& path) {
    QString error;
    if (!open(&error)) {
        emit exported(false, 0, error);
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        emit exported(false, 0, file.errorString());
        return;
    }
    // A UTF-8 byte order mark, so that a spreadsheet reads the Chinese texts right.
    file.write("\xEF\xBB\xBF" + ProductionRecord::csvHeader());
    int count = 0;
    if (store->isOpen()) {
        RecordStore::Cursor cursor;
        for (bool first = true;; first = false) {
            const auto rows = store->query(filter, 1000, first ? nullptr : &cursor, true);
            if (!rows) {
                file.cancelWriting();
                emit exported(false, count, store->lastError());
                return;
            }
            for (const ProductionRecord& r : *rows) file.write(r.csvRow());
            count += int(rows->size());
            if (rows->size() < 1000)
                break;
            cursor = RecordStore::cursorAfter(rows->last(), store->lastSeqs().last());
        }
    }
    if (!file.commit()) {
        emit exported(false, count, file.errorString());
        return;
    }
    emit exported(true, count, QString());
}
