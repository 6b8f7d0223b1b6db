#include "readconfig.h"

#include <QDateTime>
#include <QDebug>
#include <QMutex>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSettings>

namespace {
const char* const kConfigPath = "config/config.ini";

// QSettings turns a non-numeric text into 0 through toInt, which is what every reader wants.
int toIntOrZero(const QVariant& v) {
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : 0;
}
}  // namespace

QString ReadConfig::configPath() {
    return QString::fromLatin1(kConfigPath);
}

std::unique_ptr<QSettings> ReadConfig::openIni(const QString& path) {
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::ReadWrite))
        file.close();
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

ReadConfig::Session::Session() : settings(openIni(configPath())) {}

ReadConfig::Session::~Session() = default;

QString ReadConfig::Session::value(const QString& group, const QString& key) const {
    settings->beginGroup(group);
    const QString value = settings->value(key).toString();
    settings->endGroup();
    return value;
}

namespace {
// QSettings drops, without a word, every line that is neither a group header nor a key=value
// pair; a rewrite would then lose them.
bool hasLinesTheReaderDrops(const QString& path) {
    // Checked once per version of the file: our own rewrites produce clean files.
    static QMutex mutex;
    static QHash<QString, QDateTime> clean;
    QMutexLocker locker(&mutex);
    const QFileInfo info(path);
    if (!info.exists() || clean.value(info.absoluteFilePath()) == info.lastModified())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#') || line.contains('='))
            continue;
        if (line.startsWith('[') && line.endsWith(']'))
            continue;
        return true;
    }
    clean.insert(info.absoluteFilePath(), info.lastModified());
    return false;
}
}  // namespace

void ReadConfig::Session::aboutToWrite() {
    if (checked)
        return;
    checked = true;
    if (settings->status() != QSettings::FormatError && !hasLinesTheReaderDrops(configPath()))
        return;
    // Writing now would rewrite the file from what the reader understood: every line it could
    // not parse would be lost. Keep the original beside it first.
    settings.reset();
    keepUnreadableCopy();
    settings = openIni(configPath());
}

void ReadConfig::Session::setValue(const QString& group, const QString& key,
                                   const QVariant& value) {
    aboutToWrite();
    settings->beginGroup(group);
    settings->setValue(key, value);
    settings->endGroup();
}

QStringList ReadConfig::Session::stringArray(const QString& arrayName, const QString& key) const {
    QStringList list;
    // The stored size is a number like any other: a damaged one (2^31 - 1) must not make the
    // loader walk billions of keys. No list of this program comes near the bound.
    const int stored = settings->beginReadArray(arrayName);
    const int size = qBound(0, stored, kMaxArrayItems);
    if (stored != size)
        qWarning().noquote() << "config: array" << arrayName << "size" << stored << "read as"
                             << size;
    for (int i = 0; i < size; ++i) {
        settings->setArrayIndex(i);
        list.append(settings->value(key).toString());
    }
    settings->endArray();
    return list;
}

void ReadConfig::Session::setStringArray(const QString& arrayName, const QString& key,
                                         const QStringList& items) {
    aboutToWrite();
    // Without the removal a shorter list would leave the old tail entries behind.
    settings->remove(arrayName);
    settings->beginWriteArray(arrayName);
    for (int i = 0; i < items.size(); ++i) {
        settings->setArrayIndex(i);
        settings->setValue(key, items.at(i));
    }
    settings->endArray();
}

QString ReadConfig::keepUnreadableCopy() {
    static QMutex mutex;
    QMutexLocker locker(&mutex);
    const QString path = configPath();
    QString copy = path + QStringLiteral(".bad");
    if (QFile::exists(copy)) {
        // An earlier copy may hold another lost version: never overwrite it.
        copy = path + QStringLiteral(".bad-") +
               QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    }
    if (!QFile::copy(path, copy)) {
        qWarning().noquote() << "config file" << path
                             << "cannot be parsed and no copy could be kept at" << copy;
        return QString();
    }
    qWarning().noquote() << "config file" << path
                         << "has lines the INI reader cannot parse; the original is kept as"
                         << copy;
    return copy;
}

QString ReadConfig::readValue(const QString& group, const QString& key) {
    return Session().value(group, key);
}

void ReadConfig::writeValue(const QString& group, const QString& key, const QVariant& value) {
    Session().setValue(group, key, value);
}

QStringList ReadConfig::readStringArray(const QString& arrayName, const QString& key) {
    return Session().stringArray(arrayName, key);
}

void ReadConfig::writeStringArray(const QString& arrayName, const QString& key,
                                  const QStringList& items) {
    Session().setStringArray(arrayName, key, items);
}

QList<int> ReadConfig::readIntArray(const QString& arrayName, const QString& key) {
    QList<int> list;
    for (const QString& text : readStringArray(arrayName, key)) list.append(toIntOrZero(text));
    return list;
}

void ReadConfig::writeIntArray(const QString& arrayName, const QString& key,
                               const QList<int>& items) {
    QStringList texts;
    for (int v : items) texts.append(QString::number(v));
    writeStringArray(arrayName, key, texts);
}

QMap<QString, int> ReadConfig::readIntMap(const QString& group) {
    auto settings = openIni(configPath());
    QMap<QString, int> map;
    settings->beginGroup(group);
    for (const QString& key : settings->childKeys())
        map.insert(key, toIntOrZero(settings->value(key)));
    settings->endGroup();
    return map;
}

void ReadConfig::writeIntMap(const QString& group, const QMap<QString, int>& map) {
    Session session;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        session.setValue(group, it.key(), it.value());
}

QString ReadConfig::portNameFromDescription(const QString& text) {
    static const QRegularExpression comPattern(QStringLiteral("COM\\d+"));
    const QRegularExpressionMatch match = comPattern.match(text);
    if (match.hasMatch()) {
        QString name = text.mid(match.capturedStart());
        const int paren = name.indexOf(QLatin1Char(')'));
        if (paren >= 0)
            name.remove(paren, 1);
        qDebug() << "com: " << name;
        return name;
    }
    // Linux and macOS ports show as "USB Serial (ttyUSB0)": the name is in the last parentheses.
    static const QRegularExpression trailingName(QStringLiteral("\\(([^()]+)\\)\\s*$"));
    const QRegularExpressionMatch inParens = trailingName.match(text);
    if (inParens.hasMatch())
        return inParens.captured(1).trimmed();
    return text;
}
