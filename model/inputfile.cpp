#include "inputfile.h"

#include <new>

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
bool allocate(QByteArray& data, qint64 size) {
    try {
        data.resize(qsizetype(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

#ifdef Q_OS_UNIX
InputFile::Result readUnix(const QString& path, qint64 maxSize, QByteArray& content) {
    InputFile::Result result;
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever. The
    // type is then judged on the opened descriptor, so a file swapped between a check and the
    // open cannot slip through.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        result.status = (error == ENOENT || error == ENOTDIR) ? InputFile::Missing
                                                               : InputFile::Unreadable;
        result.reason = QString::fromLocal8Bit(std::strerror(error));
        return result;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat info;
    if (::fstat(fd, &info) != 0) {
        result.status = InputFile::Unreadable;
        result.reason = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.status = InputFile::Folder;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.status = InputFile::NotRegular;
        return result;
    }
    result.size = qint64(info.st_size);
    if (result.size > maxSize) {
        result.status = InputFile::TooLarge;
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    // One allocation of the file's size plus one byte, filled in place; the extra byte tells
    // a file that grew while it was read.
    QByteArray data;
    if (!allocate(data, result.size + 1)) {
        result.status = InputFile::TooLarge;
        return result;
    }
    qint64 done = 0;
    for (;;) {
        if (done == data.size()) {
            if (done > maxSize) {
                result.status = InputFile::TooLarge;
                result.size = done;
                return result;
            }
            if (!allocate(data, qMin(maxSize + 1, done * 2 + 1))) {
                result.status = InputFile::TooLarge;
                return result;
            }
        }
        const ssize_t n = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.status = InputFile::Unreadable;
            result.reason = QString::fromLocal8Bit(std::strerror(errno));
            return result;
        }
        if (n == 0)
            break;
        done += n;
    }
    if (done > maxSize) {
        result.status = InputFile::TooLarge;
        result.size = done;
        return result;
    }
    data.truncate(qsizetype(done));
    content = data;
    result.size = done;
    result.status = InputFile::Ok;
    return result;
}
#endif
}  // namespace

InputFile::Result InputFile::read(const QString& path, qint64 maxSize, QByteArray& content) {
    Result result;
    if (path.isEmpty())
        return result;
#ifdef Q_OS_UNIX
    return readUnix(path, maxSize, content);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    if (info.isDir()) {
        result.status = Folder;
        return result;
    }
    if (!info.isFile()) {
        result.status = NotRegular;
        return result;
    }
    result.size = info.size();
    if (result.size > maxSize) {
        result.status = TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = Unreadable;
        result.reason = file.errorString();
        return result;
    }
    QByteArray data = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = Unreadable;
        result.reason = file.errorString();
        return result;
    }
    result.size = data.size();
    if (data.size() > maxSize) {
        result.status = TooLarge;
        return result;
    }
    content = data;
    result.status = Ok;
    return result;
#endif
}

QString InputFile::refusal(const Result& result, qint64 maxSize) {
    switch (result.status) {
        case Ok:
            return QString();
        case Missing:
            return QStringLiteral(" 不存在");
        case Folder:
            return QStringLiteral(" 是文件夹，不是文件。");
        case NotRegular:
            return QStringLiteral(" 不是普通文件（管道或设备），无法读取。");
        case TooLarge:
            return QStringLiteral(" 长度 [ %1 ] Byte 超过上限 [ %2 ] Byte。")
                .arg(result.size)
                .arg(maxSize);
        case Unreadable:
            return QStringLiteral(" 无法读取： ") + result.reason;
    }
    return QString();
}
