// Writes a job's messages, progress and results for quelbrin-cli: log lines (or JSON lines
// with --json) on stdout, a progress bar on stderr when stderr is a terminal.
#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>

#include <QJsonValue>
#include <QPair>

class JobPrinter : public QObject {
    Q_OBJECT
public:
    // mode: the job's mode name, under which its results are logged.
    JobPrinter(bool json, const QString& mode, QObject* parent = nullptr);

public slots:
    void message(const QString& tag, const QString& text);
    void line(const QString& tag, const QString& text, int arg);
    void progress(int value);
    void result(const QString& name, const QString& text, bool ok);
    void exitCode(int code);

private:
    // Keys in the given order, "type" first, so the lines read naturally.
    void writeJson(std::initializer_list<QPair<const char*, QJsonValue>> fields);
    void writeLine(const QString& text);
    void clearBar();

    bool json;
    QString mode;
    bool barOnTerminal;
    bool barShown = false;
};
