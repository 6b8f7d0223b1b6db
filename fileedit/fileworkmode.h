// Loads and saves the file workspace's record (the current path and the recent files).
#pragma once

#include <QObject>

class FileWorkEntity;
class ReadConfig;

class FileWorkMode : public QObject {
    Q_OBJECT
public:
    explicit FileWorkMode(QObject* parent = nullptr);

    FileWorkEntity* loadEntity(QObject* parent = nullptr);
    void saveEntity(FileWorkEntity* entity);

private:
    ReadConfig* readConfig;
};
