#include "reportcommand.h"

#include <cstdio>

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "clicommands.h"
#include "clioptions.h"
#include "jobprinter.h"
#include "reportinput.h"
#include "reportrecords.h"
#include "reportwriter.h"

namespace {
int usage(const QString& message) {
    return CliOptions::usageError(message, QStringLiteral("report"));
}

void writeOut(const QByteArray& line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}
}  // namespace

bool ReportCommand::needsWidgets(const QStringList& arguments) {
    QStringList args = arguments.mid(1);
    args.removeAll(QStringLiteral("--verbose"));
    if (args.isEmpty())
        return false;
    if (args.first() == QLatin1String("report"))
        return true;
    if (args.first() != QLatin1String("rig"))
        return false;
    for (const QString& a : args)
        if (a == QLatin1String("--report") || a.startsWith(QLatin1String("--report=")))
            return true;
    return false;
}

bool ReportCommand::write(const ReportInput& input, const QString& path, bool json,
                          const QString& commandName) {
    int pages = 0;
    QString error;
    if (!ReportWriter::write(input, path, &error, &pages)) {
        QTextStream(stderr) << "quelbrin-cli " << commandName << ": cannot write the report "
                            << path << ": " << error << "\n";
        return false;
    }
    const QString digest = QString::fromLatin1(input.digest());
    if (json) {
        QJsonObject event{{"type", "report"},
                          {"path", QFileInfo(path).absoluteFilePath()},
                          {"pages", pages},
                          {"bytes", QFileInfo(path).size()},
                          {"sha256", digest},
                          {"recordId", input.recordId},
                          {"verdict", input.rigVerdict}};
        writeOut(QJsonDocument(event).toJson(QJsonDocument::Compact) + '\n');
    } else {
        writeOut(QStringLiteral("report %1: %2 pages, record data SHA-256 %3\n")
                     .arg(path)
                     .arg(pages)
                     .arg(digest)
                     .toUtf8());
    }
    return true;
}

int ReportCommand::run(const QStringList& args) {
    const CliOptions o = CliOptions::parse(
        args, {"--record-id", "--serial", "--from-json", "--out"}, {"--latest", "--json"});
    if (!o.error.isEmpty())
        return usage(o.error);
    const int sources = int(o.contains("--record-id")) + int(o.contains("--serial")) +
                        int(o.contains("--from-json"));
    if (sources != 1)
        return usage(QStringLiteral("give one of --record-id ID, --serial S, --from-json FILE"));
    if (o.has("--latest") && !o.contains("--serial"))
        return usage(QStringLiteral("--latest goes with --serial"));
    for (const char* name : {"--record-id", "--serial", "--from-json"})
        if (o.contains(name) && o.value(name).isEmpty())
            return usage(QStringLiteral("%1 needs a value").arg(QLatin1String(name)));
    if (o.value("--out").isEmpty())
        return usage(QStringLiteral("report needs --out FILE.pdf"));
    const bool json = o.has("--json");
    JobPrinter printer(json, QStringLiteral("Report"));

    ReportInput input;
    QString error;
    bool loaded;
    if (o.contains("--from-json"))
        loaded = ReportInput::readJsonFile(o.value("--from-json"), &input, &error);
    else
        loaded = ReportRecords::load(
            {o.value("--record-id"), o.value("--serial"), o.has("--latest")}, &input, &error);
    if (!loaded) {
        QTextStream(stderr) << "quelbrin-cli report: " << error << "\n";
        printer.exitCode(CliCommands::kFailed);
        return CliCommands::kFailed;
    }
    const int code = write(input, o.value("--out"), json, QStringLiteral("report"))
                         ? CliCommands::kOk
                         : CliCommands::kFailed;
    printer.exitCode(code);
    return code;
}
