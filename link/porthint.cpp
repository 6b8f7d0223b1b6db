#include "porthint.h"

#include <cerrno>

#include <QSerialPort>

#include "baidutranslate.h"

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString PortHint::afterOpenFailure(const QSerialPort& port) {
    // Qt reports a port locked by another program as a PermissionError too; the access check
    // tells the two apart.
    if (port.error() != QSerialPort::PermissionError)
        return QString();
    const QString path = portFile(port);
    return hint(accessErrno(path.toLocal8Bit().constData()), portGroup(path));
}

QString PortHint::portFile(const QSerialPort& port) {
    // QSerialPortInfo finds only enumerated ports, never a pseudo-terminal; the port keeps the
    // name without "/dev/" for anything below /dev and the whole path for the rest.
    const QString name = port.portName();
    return name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
}

int PortHint::accessErrno(const char* path) {
#ifdef Q_OS_UNIX
    return ::access(path, R_OK | W_OK) == 0 ? 0 : errno;
#else
    Q_UNUSED(path);
    return 0;
#endif
}

QString PortHint::portGroup(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(path.toLocal8Bit().constData(), &info) != 0 || info.st_gid == 0 ||
        (info.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return QString();
    if (const struct group* entry = ::getgrgid(info.st_gid))
        return QString::fromLocal8Bit(entry->gr_name);
#else
    Q_UNUSED(path);
#endif
    return QString();
}

QString PortHint::hint(int accessError, const QString& group) {
    if ((accessError != EACCES && accessError != EPERM) || group.isEmpty())
        return QString();
    // The command stays outside the translated words, so that it can be copied as it is.
    return translated("没有使用该串口的权限：串口属于组") + QLatin1Char(' ') + group +
           translated("。请把当前用户加入该组，然后注销并重新登录：") +
           QStringLiteral(" sudo adduser $USER %1").arg(group);
}
