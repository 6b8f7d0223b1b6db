#include "readconfig.h"

#include <QDebug>
#include <QFile>
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

QString ReadConfig::readValue(const QString& group, const QString& key) {
    auto settings = openIni(configPath());
    settings->beginGroup(group);
    const QString value = settings->value(key).toString();
    settings->endGroup();
    return value;
}

void ReadConfig::writeValue(const QString& group, const QString& key, const QVariant& value) {
    auto settings = openIni(configPath());
    settings->beginGroup(group);
    settings->setValue(key, value);
    settings->endGroup();
}

QStringList ReadConfig::readStringArray(const QString& arrayName, const QString& key) {
    auto settings = openIni(configPath());
    QStringList list;
    const int size = settings->beginReadArray(arrayName);
    for (int i = 0; i < size; ++i) {
        settings->setArrayIndex(i);
        list.append(settings->value(key).toString());
    }
    settings->endArray();
    return list;
}

void ReadConfig::writeStringArray(const QString& arrayName, const QString& key,
                                  const QStringList& items) {
    auto settings = openIni(configPath());
    // Without the removal a shorter list would leave the old tail entries behind.
    settings->remove(arrayName);
    settings->beginWriteArray(arrayName);
    for (int i = 0; i < items.size(); ++i) {
        settings->setArrayIndex(i);
        settings->setValue(key, items.at(i));
    }
    settings->endArray();
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
    auto settings = openIni(configPath());
    settings->beginGroup(group);
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        settings->setValue(it.key(), it.value());
    settings->endGroup();
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
