#include "resultreport.h"

namespace {
ResultReport::Exporter& exporter() {
    static ResultReport::Exporter registered;
    return registered;
}
}  // namespace

void ResultReport::setExporter(Exporter e) {
    exporter() = std::move(e);
}

bool ResultReport::exportReport(QWidget* parent, const CalibrationEntity* record, bool test) {
    if (!exporter() || !record)
        return false;
    exporter()(parent, record, test);
    return true;
}
