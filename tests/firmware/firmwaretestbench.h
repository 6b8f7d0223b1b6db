// A simulated encoder in its boot loader on a pseudo-terminal, a link opened on it, and helpers
// to read what went over the wire.
#pragma once

#include <memory>

#include <QByteArray>
#include <QFile>
#include <QSignalSpy>
#include <QString>

#include "encoderbehaviour.h"
#include "simdevice.h"
#include "ymodem.h"

struct FirmwareTestBench {
    FirmwareTestBench()
        : sim(std::make_unique<EncoderBehaviour>()),
          encoder(static_cast<EncoderBehaviour*>(sim.behaviour())),
          messages(&link, &Ymodem::msgSignal),
          lines(&link, &Ymodem::msgSignals),
          progress(&link, &Ymodem::setProgress) {
        encoder->boot.bootDelayMs = 5;
    }

    QString portText() const {
        return QStringLiteral("Simulated encoder (%1)").arg(sim.portPath());
    }

    QStringList messageTexts() const {
        QStringList list;
        for (const QList<QVariant>& args : messages) list << args.at(0).toString();
        return list;
    }
    // The in-place lines with their numbers filled in.
    QStringList lineTexts() const {
        QStringList list;
        for (const QList<QVariant>& args : lines) {
            const QString text = args.at(0).toString();
            list << (text.contains(QLatin1String("%1")) ? text.arg(args.at(1).toInt()) : text);
        }
        return list;
    }
    QList<int> progressValues() const {
        QList<int> list;
        for (const QList<QVariant>& args : progress) list << args.at(0).toInt();
        return list;
    }
    // Every command the device took, with YMODEM packets one command each.
    QList<QByteArray> wire() const { return sim.received(); }
    QByteArray wireBytes() const {
        QByteArray all;
        for (const QByteArray& c : sim.received()) all += c;
        return all;
    }

    SimDevice sim;
    EncoderBehaviour* encoder;
    Ymodem link;
    QSignalSpy messages;
    QSignalSpy lines;
    QSignalSpy progress;
};

// A file of n bytes whose content shows its offsets (so a misplaced chunk is seen).
inline QByteArray patternBytes(int n, int seed = 7) {
    QByteArray bytes(n, '\0');
    for (int i = 0; i < n; ++i) bytes[i] = char((i * 31 + seed + i / 251) & 0xFF);
    return bytes;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}
