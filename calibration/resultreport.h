// The result pages' "导出报告": the report writer builds on this library, so whoever links it
// registers the exporter here at start-up.
#pragma once

#include <functional>

class CalibrationEntity;
class QWidget;

class ResultReport {
public:
    using Exporter =
        std::function<void(QWidget* parent, const CalibrationEntity* record, bool test)>;
    static void setExporter(Exporter exporter);
    // Asks for a file and writes the report of record; false when no exporter is registered.
    static bool exportReport(QWidget* parent, const CalibrationEntity* record, bool test);
};
