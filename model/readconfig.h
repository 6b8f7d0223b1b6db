// The one gateway to config/config.ini: every call opens the file, works on one group and closes
// it.
#pragma once

#include <memory>

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSettings;

class ReadConfig : public QObject {
    Q_OBJECT
public:
    explicit ReadConfig(QObject* parent = nullptr) : QObject(parent) {}

    static QString configPath();

    static QString readValue(const QString& group, const QString& key);
    static void writeValue(const QString& group, const QString& key, const QVariant& value);

    static QStringList readStringArray(const QString& arrayName, const QString& key);
    static void writeStringArray(const QString& arrayName, const QString& key,
                                 const QStringList& items);
    static QList<int> readIntArray(const QString& arrayName, const QString& key);
    static void writeIntArray(const QString& arrayName, const QString& key,
                              const QList<int>& items);

    static QMap<QString, int> readIntMap(const QString& group);
    static void writeIntMap(const QString& group, const QMap<QString, int>& map);

    static QString portNameFromDescription(const QString& text);

    // Opens an INI file for the span of one operation, creating it empty when it is missing.
    // Destroying the result writes pending changes.
    static std::unique_ptr<QSettings> openIni(const QString& path);
};
