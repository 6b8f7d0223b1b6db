// quelbrin-cli history: the production records, newest first, filtered as the history view
// filters them; text, JSON lines (the record's field names) or CSV on stdout.
#pragma once

#include <QDateTime>
#include <QStringList>

class HistoryCommand {
public:
    static int run(const QStringList& args);

    // A date (yyyy-MM-dd, the local day) or an ISO 8601 date and time (local unless it names
    // its zone). endOfDay: a bare date means the end of that day.
    static QDateTime parseDate(const QString& text, bool endOfDay);
};
