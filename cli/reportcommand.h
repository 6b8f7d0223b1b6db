// quelbrin-cli report: the PDF report of a calibration or test, from a rig job's --record file
// or a stored record; and the report a rig job writes right after its run.
#pragma once

#include <QString>
#include <QStringList>

struct ReportInput;

class ReportCommand {
public:
    // The report draws the result views' charts, which are widgets: a command line that makes
    // one needs a widget application (on the offscreen platform).
    static bool needsWidgets(const QStringList& arguments);

    static int run(const QStringList& args);
    // Writes input's report to path and prints a report event (or line); false, with the
    // message printed on stderr, when it could not be written.
    static bool write(const ReportInput& input, const QString& path, bool json,
                      const QString& commandName);
};
