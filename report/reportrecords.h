// Looks up a stored production record for a report by id, or the latest of a serial.
#pragma once

#include <QString>

struct ReportInput;

struct RecordQuery {
    QString recordId;  // a record's unique id, or empty
    QString serial;    // the encoder's serial, or empty
    bool latest = false;
};

class ReportRecords {
public:
    // Fills input with the record's data and context. A serial with several records needs
    // latest. False with a message when the record cannot be read or is not there.
    static bool load(const RecordQuery& query, ReportInput* input, QString* error);
};
