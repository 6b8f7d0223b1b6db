// Simulated equipment on a pseudo-terminal pair: the host opens the slave path as a serial
// port, the simulator answers on the master side from a thread of its own.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include <QByteArray>
#include <QList>
#include <QString>

#include "simbehaviour.h"

class IdentifyingBehaviour;

class SimDevice {
public:
    enum Kind { Rig, Encoder, BissMaster };

    // How the device misbehaves; applied to every reply it writes.
    struct Faults {
        int replyDelayMs = 0;          // wait this long before a reply
        int splitChunk = 0;            // write replies in pieces of this many bytes (0: whole)
        int splitGapMs = 20;           // pause between the pieces
        bool silent = false;           // read everything, answer nothing
        int truncateTo = -1;           // cut every reply to this many bytes
        QByteArray extraBytes;         // appended to every reply
        QByteArray garbage;            // written instead of every reply
        int vanishAfterCommands = -1;  // close the pty once this many commands were read
    };

    // One sample of the host's turnaround: from the end of a reply to the next byte received.
    struct Turnaround {
        qint64 nanoseconds;
    };

    explicit SimDevice(Kind kind);
    explicit SimDevice(std::unique_ptr<SimBehaviour> behaviour);
    ~SimDevice();

    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    static QString kindName(Kind kind);
    // Type codes of the device names a simulated device may claim (0 for an unknown name).
    static int typeCode(const QString& name);

    bool isValid() const { return masterFd >= 0 || vanished; }
    QString portPath() const { return slavePath; }

    // The behaviour, for settings; lock() around changes while a host may be talking.
    SimBehaviour* behaviour() const { return script.get(); }
    IdentifyingBehaviour* identity() const;
    std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex); }

    void setFaults(const Faults& faults);
    // Writes bytes to the host now, unasked: a late or surplus byte already waiting in the
    // host's input when it writes its next request.
    void inject(const QByteArray& bytes);
    // Closes the pty now: the port vanishes under the host.
    void vanish();
    bool hasVanished() const { return vanished; }

    // Every command the host sent, in order, as the behaviour split them.
    QList<QByteArray> received() const;
    QList<Turnaround> turnarounds() const;
    void clearRecords();

private:
    void open();
    void run();
    void writeReply(const QByteArray& reply);
    void closeFds();

    std::unique_ptr<SimBehaviour> script;
    Faults faults;
    mutable std::mutex mutex;
    int masterFd = -1;
    int slaveFd = -1;
    int wakePipe[2] = {-1, -1};
    QString slavePath;
    std::atomic<bool> stopping{false};
    std::atomic<bool> vanished{false};
    std::thread worker;
    QByteArray input;
    QList<QByteArray> commands;
    QList<Turnaround> samples;
    qint64 lastReplyEndNs = -1;
    int commandCount = 0;
};
