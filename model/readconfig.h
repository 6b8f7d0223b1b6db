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

    // One opening of config.ini for several keys, so that a record is read or saved with one
    // parse and at most one rewrite of the file, however many keys it has.
    // The most entries an array is read with, whatever size it claims.
    static constexpr int kMaxArrayItems = 1024;

    class Session {
    public:
        Session();
        ~Session();
        QString value(const QString& group, const QString& key) const;
        void setValue(const QString& group, const QString& key, const QVariant& value);
        QStringList stringArray(const QString& arrayName, const QString& key) const;
        void setStringArray(const QString& arrayName, const QString& key, const QStringList& items);

    private:
        void aboutToWrite();
        std::unique_ptr<QSettings> settings;
        bool checked = false;
    };

    // The copy kept of a config.ini that the INI reader could not parse, before the first
    // write would have replaced the lines it dropped; empty when none was needed.
    static QString keepUnreadableCopy();
};
