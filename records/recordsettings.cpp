#include "recordsettings.h"

#include <QDir>
#include <QSysInfo>

#include "readconfig.h"
#include "serialrequirement.h"

QString RecordSettings::localPath() {
    return QDir::current().filePath(QStringLiteral("records/quelbrin.sqlite"));
}

RecordSettings RecordSettings::load() {
    RecordSettings s;
    ReadConfig::Session ini;
    const QString group = QString::fromLatin1(kGroup);
    auto value = [&](const char* key) { return ini.value(group, QString::fromLatin1(key)).trimmed(); };
    const QString driver = value("driver").toUpper();
    // The password is never read from here: libpq takes it from PGPASSWORD or ~/.pgpass.
    if (driver == QLatin1String("QPSQL") || driver == QLatin1String("POSTGRESQL"))
        s.driver = QStringLiteral("QPSQL");
    s.host = value("host");
    bool ok = false;
    const int port = value("port").toInt(&ok);
    if (ok && port > 0 && port <= 65535)
        s.port = port;
    s.database = value("database");
    s.user = value("user");
    s.station = value("station");
    s.serialRequired = SerialRequirement::fromText(value("serialRequired"));
    const int timeout = value("connectTimeout").toInt(&ok);
    if (ok && timeout >= 1 && timeout <= 60)
        s.connectTimeoutS = timeout;
    const int retry = value("retryMs").toInt(&ok);
    if (ok && retry >= 50 && retry <= 3600000)
        s.retryMs = retry;
    return s;
}

QString RecordSettings::stationName() const {
    return station.isEmpty() ? QSysInfo::machineHostName() : station;
}

QString RecordSettings::describe() const {
    if (!shared())
        return localPath();
    return QStringLiteral("%1@%2:%3/%4").arg(user, host, QString::number(port), database);
}
