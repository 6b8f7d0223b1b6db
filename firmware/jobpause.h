// A fixed wait inside a device job that ends early when the job's thread is asked to stop.
#pragma once

#include <QDeadlineTimer>
#include <QThread>

inline void pauseJob(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    QThread* thread = QThread::currentThread();
    while (!deadline.hasExpired() && !thread->isInterruptionRequested())
        QThread::msleep(qMin<qint64>(qMax<qint64>(deadline.remainingTime(), 1), 20));
}
