// The two BiSS polls of a workspace: slave data every 200 ms while "连续获取" is on, and slave
// status every 2 s once the first status result came. Each timeout asks only when the master
// and slave are ready. It also holds the clicks that came while a job held the port: they run
// as soon as the port is free (before any poll), or are refused with a box after a bound.
#pragma once

#include <functional>

#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QPointer>

class QTimer;
class SettingsWork;

class BissPolling : public QObject {
    Q_OBJECT
public:
    // The one poller of this workspace, created (and hooked to its timers) on first use.
    static BissPolling* attach(SettingsWork* work);

    // Starts the data timer unless it runs (it is never stopped; continuousRead gates it).
    void startDataTimer();

    // Runs action now when no job holds the port, else once the port is free. A click that
    // has waited clickWaitMs is dropped and refused(), so the operator always learns whether
    // it happened.
    void whenPortFree(QObject* owner, std::function<void()> action, std::function<void()> refused);
    bool hasWaitingClicks() const { return !waiting.isEmpty(); }

    int clickWaitMs = 5000;
    int retryMs = 10;

public slots:
    void dataPoll();
    void statusPoll();

private:
    struct Waiting {
        QPointer<QObject> owner;
        std::function<void()> action;
        std::function<void()> refused;
        QDeadlineTimer deadline;
    };

    explicit BissPolling(SettingsWork* work);
    bool ready() const;
    bool portHeld() const;
    void retry();

    SettingsWork* work;
    QTimer* retryTimer;
    QList<Waiting> waiting;
    // A data tick found the port held (mostly by the 2 s status request): it runs as soon as
    // the port is free. 2000 is a multiple of 200, so a skipped tick would collide every time.
    bool dataTickDue = false;
};
