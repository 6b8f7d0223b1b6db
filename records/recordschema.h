// The tables of the production record and their version. The program creates and upgrades them
// itself; a database written by a newer program (a higher version) is refused, never altered.
#pragma once

#include <QString>

class QSqlDatabase;

class RecordSchema {
public:
    static constexpr int kVersion = 1;

    // Creates what is missing, in one transaction that holds off every other writer (SQLite's
    // write lock, PostgreSQL's advisory lock), so that stations starting at once do not race.
    // withQueue: also the forwarding queue (the station's own file only).
    static bool ensure(QSqlDatabase& db, bool withQueue, QString* error);
    // The version stored in db, 0 when there is none yet, -1 when it cannot be read.
    static int storedVersion(QSqlDatabase& db);
};
