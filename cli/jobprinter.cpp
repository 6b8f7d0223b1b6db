#include "jobprinter.h"

#include <cstdio>

#include <QJsonDocument>
#include <QJsonArray>
#include <unistd.h>

namespace {
QString logLine(const QString& mode, const QString& text) {
    return QStringLiteral(">>>>>>>>> ") + mode + QStringLiteral("  :  :  ") + text;
}
}  // namespace

JobPrinter::JobPrinter(bool json, const QString& mode, QObject* parent)
    : QObject(parent), json(json), mode(mode), barOnTerminal(isatty(STDERR_FILENO) == 1) {}

void JobPrinter::writeLine(const QString& text) {
    clearBar();
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void JobPrinter::writeJson(std::initializer_list<QPair<const char*, QJsonValue>> fields) {
    QByteArray text = "{";
    for (const auto& field : fields) {
        if (text.size() > 1)
            text += ',';
        // A one-element array serialises the value with JSON's escaping; strip the brackets.
        const QByteArray value =
            QJsonDocument(QJsonArray{field.second}).toJson(QJsonDocument::Compact);
        text += '"' + QByteArray(field.first) + "\":" + value.mid(1, value.size() - 2);
    }
    writeLine(QString::fromUtf8(text + '}'));
}

void JobPrinter::clearBar() {
    if (!barShown)
        return;
    std::fputs("\r\033[K", stderr);
    barShown = false;
}

void JobPrinter::message(const QString& tag, const QString& text) {
    if (json)
        writeJson({{"type", "message"}, {"mode", tag}, {"text", text}});
    else
        writeLine(logLine(tag, text));
}

void JobPrinter::line(const QString& tag, const QString& text, int arg) {
    const QString filled = text.isEmpty() ? text : text.arg(arg);
    if (json)
        writeJson({{"type", "line"}, {"mode", tag}, {"text", filled}, {"arg", arg}});
    else if (!filled.isEmpty())
        writeLine(logLine(tag, filled));
}

void JobPrinter::progress(int value) {
    if (json)
        writeJson({{"type", "progress"}, {"value", value}});
    if (!barOnTerminal)
        return;
    const int filled = qBound(0, value, 100) / 5;
    std::fprintf(stderr, "\r[%s%s] %3d%%", QByteArray(filled, '#').constData(),
                 QByteArray(20 - filled, ' ').constData(), value);
    std::fflush(stderr);
    barShown = true;
}

void JobPrinter::result(const QString& name, const QString& text, bool ok) {
    if (json)
        writeJson({{"type", "result"}, {"name", name}, {"text", text}, {"ok", ok}});
    else
        writeLine(logLine(mode, text) + (ok ? QString() : QStringLiteral("  [failed]")));
}

void JobPrinter::exitCode(int code) {
    if (json)
        writeJson({{"type", "exit"}, {"code", code}});
    clearBar();
}
