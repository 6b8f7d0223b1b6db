#include "reportrecords.h"

#include "recordsettings.h"
#include "recordstore.h"
#include "reportinput.h"

bool ReportRecords::load(const RecordQuery& query, ReportInput* input, QString* error) {
    auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    // The records live where this station's configuration says: its own file or the line's
    // database. The store's connection belongs to this thread and ends with the call.
    const RecordSettings settings = RecordSettings::load();
    RecordStore store;
    if (!store.openConfigured(settings, false))
        return fail(store.lastError().isEmpty()
                        ? QStringLiteral("records database not available: no production "
                                         "records at %1")
                              .arg(settings.describe())
                        : QStringLiteral("records database not available: %1: %2")
                              .arg(settings.describe(), store.lastError()));
    std::optional<ProductionRecord> found;
    if (!query.recordId.isEmpty()) {
        found = store.fetch(query.recordId);
    } else {
        RecordStore::Filter filter;
        filter.serial = query.serial;
        // Two rows tell whether the serial is ambiguous without --latest.
        const auto rows = store.query(filter, 2, nullptr, true);
        if (!rows)
            return fail(store.lastError());
        if (rows->size() > 1 && !query.latest)
            return fail(QStringLiteral("serial %1 has several records: give --latest or --record-id")
                            .arg(query.serial));
        found = rows->isEmpty() ? ProductionRecord() : rows->first();
    }
    if (!found)
        return fail(store.lastError());
    if (!found->isValid())
        return fail(query.recordId.isEmpty()
                        ? QStringLiteral("no record of serial %1").arg(query.serial)
                        : QStringLiteral("no record %1").arg(query.recordId));
    if (found->job != QLatin1String("calibrate") && found->job != QLatin1String("test"))
        return fail(QStringLiteral("record %1 is a %2 job, not a calibration or test")
                        .arg(found->id, found->job));
    // The record's fields carry the rig record's names; the report's context fields are named
    // its own way.
    QJsonObject object = found->toJson();
    object.insert("recordId", found->id);
    object.insert("program", QStringLiteral("Quelbrin"));
    object.insert("version", found->programVersion);
    object.insert("runTime", ProductionRecord::timeText(found->startedAt));
    return ReportInput::fromJson(object, input, error);
}
