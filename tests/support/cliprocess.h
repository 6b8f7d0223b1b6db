// Runs quelbrin-cli as a child process for the command-line tests and splits its JSON event
// lines. Each test names the executable in its QUELBRIN_CLI definition.
#pragma once

#include <QByteArray>
#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

#ifndef QUELBRIN_CLI
#error "define QUELBRIN_CLI as the path of quelbrin-cli"
#endif

struct Run {
    // The exit code; kKilled when the run was killed at its time limit or crashed, so that no
    // expected code (0 included) can match a run that never ended by itself.
    static constexpr int kKilled = -1000;
    int code = kKilled;
    QByteArray out;
    QByteArray err;

    // Everything a reader of a failed comparison needs.
    QByteArray describe() const {
        const QByteArray how = code == kKilled ? QByteArray("killed at its time limit, or crashed")
                                               : "exit code " + QByteArray::number(code);
        return "quelbrin-cli " + how + "\n--- stdout ---\n" + out + "\n--- stderr ---\n" + err;
    }
};

// Runs a program while this thread's event loop stays free (a test server or a simulated
// device may live on it); a run that outlasts timeoutMs is killed and reported as killed.
inline Run runProgram(const QString& program, const QStringList& args, int timeoutMs) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start();
    const bool ended = finished.wait(timeoutMs) || process.state() == QProcess::NotRunning;
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
    }
    Run run;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    if (ended && process.exitStatus() == QProcess::NormalExit)
        run.code = process.exitCode();
    if (run.code == Run::kKilled)
        qWarning().noquote() << QString::fromUtf8(run.describe());
    return run;
}

inline Run cli(const QStringList& args, int timeoutMs = 30000) {
    return runProgram(QStringLiteral(QUELBRIN_CLI), args, timeoutMs);
}

// Compares a run's exit code and prints its whole output when it differs.
#define QCOMPARE_EXIT(run, expected)                                                   \
    do {                                                                              \
        const Run& run_ = (run);                                                      \
        QVERIFY2(run_.code == (expected),                                             \
                 qPrintable(QStringLiteral("expected exit code %1, ").arg(expected) + \
                            QString::fromUtf8(run_.describe())));                     \
    } while (false)

// The --json output, one object per non-empty line.
inline QList<QJsonObject> jsonLines(const QByteArray& out) {
    QList<QJsonObject> lines;
    for (const QByteArray& line : out.split('\n'))
        if (!line.isEmpty())
            lines << QJsonDocument::fromJson(line).object();
    return lines;
}

// The events of one type, in order.
inline QList<QJsonObject> jsonLines(const QByteArray& out, const QString& type) {
    QList<QJsonObject> lines;
    for (const QJsonObject& o : jsonLines(out))
        if (o.value(QStringLiteral("type")).toString() == type)
            lines << o;
    return lines;
}
