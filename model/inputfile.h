// The one way an input file is read (firmware inputs, the upgrade image, the file editor):
// regular files only, the size compared with the job's limit before a byte is read.
#pragma once

#include <QByteArray>
#include <QString>

class InputFile {
public:
    enum Status {
        Ok,
        Missing,     // no such file (or an empty path)
        Folder,      // a directory
        NotRegular,  // a FIFO, a device, a socket: opening or reading it may never end
        TooLarge,    // larger than the job's limit (size holds the size seen)
        Unreadable,  // cannot be opened or read (reason holds the system's words)
    };

    struct Result {
        Status status = Missing;
        qint64 size = 0;
        QString reason;
        bool ok() const { return status == Ok; }
    };

    // Reads the whole file at path into content when it is a regular file of at most maxSize
    // bytes; content is left untouched otherwise. A file that grows past maxSize while it is
    // read is TooLarge too.
    static Result read(const QString& path, qint64 maxSize, QByteArray& content);

    // The ending of the operator message for a refusal, to follow the file's label and name
    // (" 不存在", " 是文件夹，不是文件。", ...). Callers with messages of their own for the
    // missing and unopenable cases keep those and use this for the rest.
    static QString refusal(const Result& result, qint64 maxSize);
};
