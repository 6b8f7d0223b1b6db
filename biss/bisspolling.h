// The two BiSS polls of a workspace: slave data every 200 ms while "连续获取" is on, and slave
// status every 2 s once the first status result came. Each timeout asks only when nothing runs
// and the master and slave are ready, so the polling keeps to the pace the master answers at.
#pragma once

#include <QObject>

class SettingsWork;

class BissPolling : public QObject {
    Q_OBJECT
public:
    // The one poller of this workspace, created (and hooked to its timers) on first use.
    static BissPolling* attach(SettingsWork* work);

    // Starts the data timer unless it runs (it is never stopped; continuousRead gates it).
    void startDataTimer();

public slots:
    void dataPoll();
    void statusPoll();

private:
    explicit BissPolling(SettingsWork* work);
    bool ready() const;

    SettingsWork* work;
};
