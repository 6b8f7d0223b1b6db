#include "recordwriter.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QThread>
#include <QTimer>

#include "baidutranslate.h"
#include "recordstore.h"

namespace {
// An image larger than this is no firmware image of ours; it is named but not hashed.
constexpr qint64 kMaxHashedImage = 64 * 1024 * 1024;
// The upgrade image's trailer: model (11 bytes), one byte, version text (4 bytes).
constexpr int kTrailerSize = 16;
constexpr int kModelLength = 11;
}  // namespace

RecordWriter::RecordWriter(const RecordSettings& settings, QObject* parent)
    : QObject(parent), config(settings), thread(new QThread), worker(new RecordWriterWorker(settings)) {
    qRegisterMetaType<ProductionRecord>("ProductionRecord");
    thread->setObjectName(QStringLiteral("RecordWriter"));
    worker->moveToThread(thread);
    connect(worker, &RecordWriterWorker::written, this, [this](const QString& id) {
        outstanding.remove(id);
        emit written(id);
    });
    connect(worker, &RecordWriterWorker::failed, this, [this](const QString& id, const QString& m) {
        outstanding.remove(id);
        emit failed(id, m);
    });
    connect(worker, &RecordWriterWorker::queueChanged, this, [this](int count) {
        queueCount = count;
        emit queueChanged(count);
    });
    connect(worker, &RecordWriterWorker::sharedReachable, this, &RecordWriter::sharedReachable);
    thread->start();
    QMetaObject::invokeMethod(worker, &RecordWriterWorker::start, Qt::QueuedConnection);
}

RecordWriter::~RecordWriter() {
    stop();
}

void RecordWriter::submit(const ProductionRecord& record) {
    if (stopped) {
        emit failed(record.id, translated("记录写入线程已停止。"));
        return;
    }
    outstanding.insert(record.id);
    QMetaObject::invokeMethod(worker, "write", Qt::QueuedConnection,
                              Q_ARG(ProductionRecord, record));
}

void RecordWriter::noteImage(const QString& id, const QString& path) {
    if (!stopped)
        QMetaObject::invokeMethod(worker, "noteImage", Qt::QueuedConnection, Q_ARG(QString, id),
                                  Q_ARG(QString, path));
}

bool RecordWriter::flush(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!outstanding.isEmpty() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(qMax<qint64>(1, qMin<qint64>(deadline.remainingTime(), 50)), &loop,
                           &QEventLoop::quit);
        connect(this, &RecordWriter::written, &loop, &QEventLoop::quit);
        connect(this, &RecordWriter::failed, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return outstanding.isEmpty();
}

void RecordWriter::stop(int timeoutMs) {
    if (stopped)
        return;
    stopped = true;
    thread->requestInterruption();
    // shutdown runs after every write queued before it, closes the connections on their own
    // thread and ends the thread's loop.
    QMetaObject::invokeMethod(worker, &RecordWriterWorker::shutdown, Qt::QueuedConnection);
    if (thread->wait(timeoutMs)) {
        delete worker;
        delete thread;
        return;
    }
    // Still inside a connection attempt to an unreachable server: the thread cannot be
    // destroyed while it runs, and the records are safe in the station's queue. The process
    // ends it when it exits.
    qWarning("record writer still busy after %d ms; leaving it to the process's exit", timeoutMs);
}

RecordWriterWorker::RecordWriterWorker(const RecordSettings& settings) : settings(settings) {}

RecordWriterWorker::~RecordWriterWorker() {
    delete local;
    delete remote;
}

void RecordWriterWorker::start() {
    retry = new QTimer(this);
    retry->setSingleShot(true);
    connect(retry, &QTimer::timeout, this, &RecordWriterWorker::forward);
    // Records that waited from an earlier session go first.
    if (settings.shared())
        forward();
}

void RecordWriterWorker::shutdown() {
    if (retry)
        retry->stop();
    delete local;
    local = nullptr;
    delete remote;
    remote = nullptr;
    QThread::currentThread()->quit();
}

bool RecordWriterWorker::openLocal() {
    if (local && local->isOpen())
        return true;
    if (!local)
        local = new RecordStore;
    return local->openLocal(RecordSettings::localPath(), true);
}

void RecordWriterWorker::noteImage(const QString& id, const QString& path) {
    QJsonObject info;
    const QFileInfo fi(path);
    info.insert("firmwareName", fi.fileName());
    // Only a regular file is opened: a FIFO or a device would block or never end.
    if (fi.isFile()) {
        info.insert("firmwareSize", double(fi.size()));
        QFile file(path);
        if (fi.size() <= kMaxHashedImage && file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.read(kMaxHashedImage + 1);
            info.insert("firmwareSize", double(bytes.size()));
            info.insert("firmwareSha256",
                        QString::fromLatin1(
                            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
            if (bytes.size() >= kTrailerSize) {
                const QByteArray trailer = bytes.right(kTrailerSize);
                info.insert("firmwareModel",
                            QString::fromUtf8(trailer.left(kModelLength)).remove(QChar(0)).trimmed());
                info.insert("firmwareVersion", QString::fromLatin1(trailer.mid(12, 4)).trimmed());
            }
        }
    }
    images.insert(id, info);
}

void RecordWriterWorker::write(const ProductionRecord& given) {
    ProductionRecord record = given;
    const QJsonObject image = images.take(record.id);
    for (auto it = image.begin(); it != image.end(); ++it)
        if (!record.details.contains(it.key()))
            record.details.insert(it.key(), it.value());

    if (!settings.shared()) {
        if (openLocal() && local->insert(record)) {
            emit written(record.id);
            return;
        }
        emit failed(record.id, local->lastError());
        // A broken connection is opened again for the next record.
        local->close();
        return;
    }
    // The queue first: once the record is in the station's file it survives the network, the
    // server and this process.
    if (openLocal() && local->enqueue(record)) {
        // Said once the forwarding was tried, so that a command that waits for its records
        // before it exits has sent them on too (or left them queued when the line is away).
        forward();
        emit written(record.id);
        return;
    }
    const QString localError = local->lastError();
    local->close();
    // The station's file is unusable; the shared database may still take the record.
    if (!remote)
        remote = new RecordStore;
    if ((remote->isOpen() || remote->openShared(settings)) && remote->insert(record)) {
        emit written(record.id);
        return;
    }
    emit failed(record.id, localError + QStringLiteral("; ") + remote->lastError());
    remote->close();
}

void RecordWriterWorker::forward() {
    if (!settings.shared())
        return;
    if (!openLocal()) {
        emit failed(QString(), local->lastError());
        return;
    }
    if (!remote)
        remote = new RecordStore;
    if (!remote->isOpen() && !remote->openShared(settings)) {
        emit sharedReachable(false, remote->lastError());
        emit queueChanged(local->queued());
        scheduleRetry();
        return;
    }
    bool empty = false;
    while (!QThread::currentThread()->isInterruptionRequested()) {
        if (!local->forwardOldest(*remote, &empty)) {
            // The server went away (or refused): the record stays queued; reconnect later.
            emit sharedReachable(false, local->lastError());
            remote->close();
            scheduleRetry();
            break;
        }
        if (empty) {
            emit sharedReachable(true, QString());
            break;
        }
    }
    emit queueChanged(local->queued());
}

void RecordWriterWorker::scheduleRetry() {
    if (retry && !QThread::currentThread()->isInterruptionRequested())
        retry->start(settings.retryMs);
}
