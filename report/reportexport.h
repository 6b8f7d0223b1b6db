// The result views' "导出报告": asks for a file name, draws the report at once (the charts are
// widgets) and writes the file on a pool thread, so the window never waits on the disk.
#pragma once

#include <QObject>
#include <QString>

#include "reportinput.h"

class CalibrationEntity;
class QWidget;

class ReportExport : public QObject {
    Q_OBJECT
public:
    // Registers exportFrom as the result pages' exporter.
    static void install();
    // The dialog, the report and a message box with the outcome.
    static void exportFrom(QWidget* parent, const CalibrationEntity* record, bool test);
    // The same for a stored production record (a history row): the dialog, then the record
    // read from the database off the window's thread, then the report.
    static void exportStored(QWidget* parent, const QString& recordId,
                             const QString& suggestedName);

    // Draws input's report and starts writing it to path; finished follows on this object's
    // thread. The object deletes itself after finished.
    static ReportExport* start(const ReportInput& input, const QString& path,
                               QObject* parent = nullptr);

    // The time a result view's record was handed over after its run, kept on the record.
    static constexpr const char* runTimeProperty = "runFinishedAt";

signals:
    void finished(bool ok, const QString& path, const QString& error);

private:
    explicit ReportExport(QObject* parent) : QObject(parent) {}
    // start, then a message box with the outcome.
    static void startAndTell(const ReportInput& input, const QString& path, QWidget* parent);
};
