// Runs quelbrin-cli as a child process for the command-line tests and splits its JSON event
// lines. Each test names the executable in its QUELBRIN_CLI definition.
#pragma once

#include <QByteArray>
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
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// Runs quelbrin-cli while this thread's event loop stays free (a test server or a simulated
// device may live on it); a run that outlasts timeoutMs is killed.
inline Run cli(const QStringList& args, int timeoutMs = 30000) {
    QProcess process;
    process.setProgram(QStringLiteral(QUELBRIN_CLI));
    process.setArguments(args);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start();
    if (!finished.wait(timeoutMs))
        process.kill();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

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
