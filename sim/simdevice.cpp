#include "simdevice.h"

#include <chrono>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "bissmasterbehaviour.h"
#include "encoderbehaviour.h"
#include "identifyingbehaviour.h"
#include "rigbehaviour.h"

namespace {
qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::unique_ptr<SimBehaviour> behaviourFor(SimDevice::Kind kind) {
    switch (kind) {
        case SimDevice::Rig:
            return std::make_unique<RigBehaviour>();
        case SimDevice::Encoder:
            return std::make_unique<EncoderBehaviour>();
        case SimDevice::BissMaster:
            return std::make_unique<BissMasterBehaviour>();
    }
    return nullptr;
}

struct TypeName {
    const char* name;
    int code;
};
// The identity bytes the equipment reports; the program keeps its own registry of them.
constexpr TypeName kTypes[] = {{"CALIBRATION", 0xF9}, {"ZEK_ENCODER", 0xFA}, {"ZEK_MT6826S", 0xFB},
                               {"ZEK_MT6835G", 0xFC}, {"BiSS_Master", 0xBF}, {"ZEK_MT_BISS", 0xBC},
                               {"ABSRESLOVER", 0xDD}, {"FENOXA_BISS", 0xB9}};
}  // namespace

SimDevice::SimDevice(Kind kind) : SimDevice(behaviourFor(kind)) {}

SimDevice::SimDevice(std::unique_ptr<SimBehaviour> behaviour) : script(std::move(behaviour)) {
    open();
    if (masterFd >= 0)
        worker = std::thread([this] { run(); });
}

SimDevice::~SimDevice() {
    stopping = true;
    if (wakePipe[1] >= 0)
        (void)!write(wakePipe[1], "s", 1);
    if (worker.joinable())
        worker.join();
    closeFds();
    for (int& fd : wakePipe)
        if (fd >= 0)
            ::close(fd);
}

QString SimDevice::kindName(Kind kind) {
    switch (kind) {
        case Rig:
            return QStringLiteral("Simulated calibration rig");
        case Encoder:
            return QStringLiteral("Simulated encoder");
        case BissMaster:
            return QStringLiteral("Simulated BiSS master");
    }
    return QString();
}

int SimDevice::typeCode(const QString& name) {
    for (const TypeName& t : kTypes)
        if (name == QLatin1String(t.name))
            return t.code;
    return 0;
}

IdentifyingBehaviour* SimDevice::identity() const {
    return dynamic_cast<IdentifyingBehaviour*>(script.get());
}

void SimDevice::open() {
    if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    masterFd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd >= 0)
        fcntl(masterFd, F_SETFL, fcntl(masterFd, F_GETFL) | O_NONBLOCK);
    if (masterFd < 0)
        return;
    if (grantpt(masterFd) != 0 || unlockpt(masterFd) != 0) {
        closeFds();
        return;
    }
    slavePath = QString::fromLocal8Bit(ptsname(masterFd));
    // Holding the slave open keeps the master readable between the host's jobs (no EIO once
    // the host closes) and lets the line be made raw before the host ever opens it.
    slaveFd = ::open(ptsname(masterFd), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd >= 0) {
        termios attributes;
        if (tcgetattr(slaveFd, &attributes) == 0) {
            cfmakeraw(&attributes);
            tcsetattr(slaveFd, TCSANOW, &attributes);
        }
    }
}

void SimDevice::closeFds() {
    if (masterFd >= 0)
        ::close(masterFd);
    if (slaveFd >= 0)
        ::close(slaveFd);
    masterFd = slaveFd = -1;
}

void SimDevice::setFaults(const Faults& f) {
    std::lock_guard<std::mutex> guard(mutex);
    faults = f;
}

void SimDevice::vanish() {
    {
        std::lock_guard<std::mutex> guard(mutex);
        faults.vanishAfterCommands = 0;
    }
    (void)!write(wakePipe[1], "v", 1);
    while (!vanished && worker.joinable())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void SimDevice::inject(const QByteArray& bytes) {
    std::lock_guard<std::mutex> guard(mutex);
    if (masterFd >= 0)
        (void)!::write(masterFd, bytes.constData(), size_t(bytes.size()));
}

QList<QByteArray> SimDevice::received() const {
    std::lock_guard<std::mutex> guard(mutex);
    return commands;
}

QList<SimDevice::Turnaround> SimDevice::turnarounds() const {
    std::lock_guard<std::mutex> guard(mutex);
    return samples;
}

void SimDevice::clearRecords() {
    std::lock_guard<std::mutex> guard(mutex);
    commands.clear();
    samples.clear();
}

namespace {
// Waits on the wake pipe only: a reply delay that a stop request cuts short.
void pauseFor(int wakeFd, int ms) {
    if (ms <= 0)
        return;
    pollfd p{wakeFd, POLLIN, 0};
    poll(&p, 1, ms);
}

// Waits until the host has taken every byte written to it so far out of the line (its port has
// read them), or the wait gives up; a stop request cuts it short.
void waitUntilHostHasRead(int slaveFd, int wakeFd) {
    if (slaveFd < 0)
        return;
    for (int waited = 0; waited < 5000; ++waited) {
        int unread = 0;
        if (ioctl(slaveFd, FIONREAD, &unread) != 0 || unread <= 0)
            return;
        pollfd p{wakeFd, POLLIN, 0};
        if (poll(&p, 1, 1) > 0)
            return;
    }
}

// Writes every byte unless a stop request comes first. The master side is non-blocking: a host
// that stops reading in the middle of a long reply fills the line, and a blocking write would
// then hold the thread past any stop request (and quelbrin-sim past SIGTERM).
void writeAll(int fd, int wakeFd, const std::atomic<bool>& stopping, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size() && !stopping) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return;
        pollfd p[2] = {{fd, POLLOUT, 0}, {wakeFd, POLLIN, 0}};
        if (poll(p, 2, -1) < 0 && errno != EINTR)
            return;
        if (p[1].revents & POLLIN)
            return;  // a stop request (or a vanish) is waiting: the rest is not wanted
        if (p[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return;
    }
}
}  // namespace

void SimDevice::writeReply(const QByteArray& reply) {
    Faults f;
    {
        std::lock_guard<std::mutex> guard(mutex);
        f = faults;
    }
    if (f.silent)
        return;
    QByteArray bytes = f.garbage.isEmpty() ? reply : f.garbage;
    if (f.truncateTo >= 0)
        bytes.truncate(f.truncateTo);
    bytes.append(f.extraBytes);
    if (bytes.isEmpty())
        return;
    pauseFor(wakePipe[0], f.replyDelayMs);
    if (stopping || masterFd < 0)
        return;
    const int chunk = f.splitChunk > 0 ? f.splitChunk : int(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += chunk) {
        if (at > 0)
            pauseFor(wakePipe[0], f.splitGapMs);
        writeAll(masterFd, wakePipe[0], stopping, bytes.mid(at, chunk));
    }
    std::lock_guard<std::mutex> guard(mutex);
    lastReplyEndNs = nowNs();
}

void SimDevice::run() {
    char buffer[4096];
    while (!stopping) {
        pollfd fds[2] = {{masterFd, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents & POLLIN)
            while (::read(wakePipe[0], buffer, sizeof buffer) > 0) {
            }
        if (stopping)
            break;

        bool vanishNow = false;
        if (masterFd >= 0 && (fds[0].revents & POLLIN)) {
            const ssize_t n = ::read(masterFd, buffer, sizeof buffer);
            if (n > 0) {
                std::unique_lock<std::mutex> guard(mutex);
                if (lastReplyEndNs >= 0) {
                    samples.append(Turnaround{nowNs() - lastReplyEndNs});
                    lastReplyEndNs = -1;
                }
                input.append(buffer, int(n));
                QList<QByteArray> replies;
                for (;;) {
                    if (input.isEmpty())
                        break;
                    const int used = script->consume(input, replies);
                    if (used <= 0)
                        break;
                    commands.append(input.left(used));
                    input.remove(0, used);
                    ++commandCount;
                    if (faults.vanishAfterCommands >= 0 &&
                        commandCount >= faults.vanishAfterCommands) {
                        vanishNow = true;
                        break;
                    }
                }
                guard.unlock();
                if (!vanishNow)
                    for (const QByteArray& reply : replies) {
                        int pause = 0;
                        {
                            std::lock_guard<std::mutex> guard(mutex);
                            pause = script->takePauseMs();
                        }
                        // A paced reply follows what the host has read, not merely what was
                        // written: a rig's data block must not reach a host that is still
                        // to read the status byte before it, however slow the host is.
                        if (pause > 0)
                            waitUntilHostHasRead(slaveFd, wakePipe[0]);
                        pauseFor(wakePipe[0], pause);
                        if (stopping)
                            break;
                        writeReply(reply);
                    }
            }
        }
        {
            std::lock_guard<std::mutex> guard(mutex);
            if (faults.vanishAfterCommands == 0)
                vanishNow = true;
        }
        if (vanishNow && masterFd >= 0) {
            closeFds();
            vanished = true;
        }
        if (masterFd < 0 && !vanished)
            break;
        if (masterFd < 0) {
            // Nothing left to serve: wait for the stop request only.
            pollfd p{wakePipe[0], POLLIN, 0};
            while (!stopping && poll(&p, 1, -1) >= 0)
                while (::read(wakePipe[0], buffer, sizeof buffer) > 0) {
                }
            break;
        }
    }
}
