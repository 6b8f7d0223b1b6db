// The line that follows a failed open of a serial port when the operator lacks the permission:
// on Debian the ports belong to the group dialout, and a user outside it gets "Permission denied".
#pragma once

#include <QString>

class QSerialPort;

class PortHint {
public:
    // The hint after port failed to open, or an empty text when the failure is not one the
    // operator can mend by joining the port's group.
    static QString afterOpenFailure(const QSerialPort& port);

    // The device file the port opens.
    static QString portFile(const QSerialPort& port);

    // The errno of a read-write access check of the port file by this process (0 when allowed).
    // Only async-signal-safe calls, so that a test may run it in a forked child.
    static int accessErrno(const char* path);
    // The name of the group that may read and write the port file; empty when the file is not
    // open to its group, or its group is root's (joining it is no answer).
    static QString portGroup(const QString& path);
    // The decision: a denied access (EACCES, EPERM) to a file that a group may open.
    static QString hint(int accessError, const QString& group);
};
