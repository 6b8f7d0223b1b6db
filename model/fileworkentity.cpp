#include "fileworkentity.h"

FileWorkEntity::FileWorkEntity(QObject* parent, const QString& filePath)
    : QObject(parent), filePath(filePath) {}

void FileWorkEntity::setFilePath(const QString& path) {
    filePath = path;
    if (!recentList.contains(path, Qt::CaseSensitive))
        recentList.append(path);
}

QStringList FileWorkEntity::getRecentList() {
    while (recentList.size() > kMaxRecent) recentList.removeFirst();
    return recentList;
}
