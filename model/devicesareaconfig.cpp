#include "devicesareaconfig.h"

#include "devicestype.h"
#include "readconfig.h"

DevicesAreaConfig::DevicesAreaConfig(QObject* parent, const QString& devicesName)
    : QObject(parent) {
    setDevicesName(devicesName.isEmpty() ? DevicesType::instance()->connectedKey() : devicesName);
}

void DevicesAreaConfig::setDevicesName(const QString& name) {
    devicesName = name;
    load();
}

void DevicesAreaConfig::load() {
    // An empty group name would read the keys outside any group: a device without a name has none.
    values = devicesName.isEmpty() ? QMap<QString, int>() : ReadConfig::readIntMap(devicesName);
}

void DevicesAreaConfig::save() const {
    if (!devicesName.isEmpty())
        ReadConfig::writeIntMap(devicesName, values);
}
