// Flash area sizes and INL target of one device type: the configuration group named after it.
#pragma once

#include <QMap>
#include <QObject>
#include <QString>

class DevicesAreaConfig : public QObject {
    Q_OBJECT
public:
    // An empty name means the key name of the current connectedType.
    explicit DevicesAreaConfig(QObject* parent = nullptr, const QString& devicesName = QString());

    QString getDevicesName() const { return devicesName; }
    // Points the table at another device and loads that device's group.
    void setDevicesName(const QString& name);

    QMap<QString, int> getValues() const { return values; }
    int value(const QString& key) const { return values.value(key, 0); }
    void setValue(const QString& key, int v) { values.insert(key, v); }

    void load();
    void save() const;

private:
    QString devicesName;
    QMap<QString, int> values;
};
