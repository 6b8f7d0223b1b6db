#include "historycommand.h"

#include <cstdio>

#include <QJsonDocument>
#include <QTextStream>

#include "clioptions.h"
#include "recordsettings.h"
#include "recordstore.h"

namespace {
constexpr int kOk = 0;
constexpr int kFailed = 1;
// Rows per round trip: the output streams, so a long history never sits whole in memory.
constexpr int kPage = 500;

int usage(const QString& message) {
    return CliOptions::usageError(message, QStringLiteral("history"));
}

void writeOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

QByteArray textLine(const ProductionRecord& r) {
    const QStringList fields{ProductionRecord::timeText(r.startedAt), r.serial, r.job, r.outcome,
                             r.station, r.resultText};
    return fields.join(QLatin1Char('\t')).toUtf8() + '\n';
}
}  // namespace

QDateTime HistoryCommand::parseDate(const QString& text, bool endOfDay) {
    const QString t = text.trimmed();
    const QDate date = QDate::fromString(t, Qt::ISODate);
    if (date.isValid() && t.size() == 10)
        return (endOfDay ? date.addDays(1) : date).startOfDay().toUTC();
    QDateTime time = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (!time.isValid())
        time = QDateTime::fromString(t, Qt::ISODate);
    return time.isValid() ? time.toUTC() : QDateTime();
}

int HistoryCommand::run(const QStringList& args) {
    const CliOptions o = CliOptions::parse(
        args, {"--serial", "--since", "--until", "--job", "--outcome", "--station", "--limit"},
        {"--json", "--csv"});
    if (!o.error.isEmpty())
        return usage(o.error);
    if (o.has("--json") && o.has("--csv"))
        return usage(QStringLiteral("--json and --csv exclude each other"));
    RecordStore::Filter filter;
    filter.serial = o.value("--serial").trimmed();
    filter.station = o.value("--station").trimmed();
    filter.job = o.value("--job").trimmed();
    if (!filter.job.isEmpty() && !ProductionRecord::jobKinds().contains(filter.job))
        return usage(QStringLiteral("--job must be one of: %1")
                         .arg(ProductionRecord::jobKinds().join(QStringLiteral(", "))));
    filter.outcome = o.value("--outcome").trimmed();
    if (!filter.outcome.isEmpty() && !ProductionRecord::outcomes().contains(filter.outcome))
        return usage(QStringLiteral("--outcome must be good, bad or failed"));
    if (o.contains("--since")) {
        filter.since = parseDate(o.value("--since"), false);
        if (!filter.since.isValid())
            return usage(QStringLiteral("--since needs a date (YYYY-MM-DD or ISO 8601)"));
    }
    if (o.contains("--until")) {
        filter.until = parseDate(o.value("--until"), true);
        if (!filter.until.isValid())
            return usage(QStringLiteral("--until needs a date (YYYY-MM-DD or ISO 8601)"));
    }
    int limit = 0;
    if (o.contains("--limit")) {
        bool numeric = false;
        limit = o.value("--limit").toInt(&numeric);
        if (!numeric || limit <= 0)
            return usage(QStringLiteral("--limit must be a positive number"));
    }
    const bool json = o.has("--json");
    const bool csv = o.has("--csv");

    const RecordSettings settings = RecordSettings::load();
    RecordStore store;
    if (csv)
        writeOut(ProductionRecord::csvHeader());
    if (!store.openConfigured(settings, false)) {
        if (store.lastError().isEmpty()) {
            // No job has been recorded in this folder yet: an empty history.
            std::fflush(stdout);
            return kOk;
        }
        QTextStream(stderr) << "quelbrin-cli history: cannot read the records at "
                            << settings.describe() << ": " << store.lastError() << "\n";
        return kFailed;
    }
    int printed = 0;
    RecordStore::Cursor cursor;
    bool more = true;
    while (more && (limit == 0 || printed < limit)) {
        const int want = limit == 0 ? kPage : qMin(kPage, limit - printed);
        const auto rows = store.query(filter, want, printed > 0 ? &cursor : nullptr, json || csv);
        if (!rows) {
            std::fflush(stdout);
            QTextStream(stderr) << "quelbrin-cli history: cannot read the records at "
                                << settings.describe() << ": " << store.lastError() << "\n";
            return kFailed;
        }
        for (const ProductionRecord& r : *rows) {
            if (json)
                writeOut(QJsonDocument(r.toJson()).toJson(QJsonDocument::Compact) + '\n');
            else if (csv)
                writeOut(r.csvRow());
            else
                writeOut(textLine(r));
        }
        printed += int(rows->size());
        more = rows->size() == want;
        if (!rows->isEmpty())
            cursor = RecordStore::cursorAfter(rows->last(), store.lastSeqs().last());
    }
    std::fflush(stdout);
    return kOk;
}
