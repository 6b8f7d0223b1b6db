#include "fileworkmode.h"

#include <QDebug>

#include "entitystore.h"
#include "fileworkentity.h"
#include "readconfig.h"

FileWorkMode::FileWorkMode(QObject* parent) : QObject(parent), readConfig(new ReadConfig(this)) {
    qDebug() << "FileWork Mode Init";
}

FileWorkEntity* FileWorkMode::loadEntity(QObject* parent) {
    return EntityStore::loadFileWorkEntity(parent);
}

void FileWorkMode::saveEntity(FileWorkEntity* entity) {
    EntityStore::saveFileWorkEntity(entity);
}
