// Load and save of the persisted task records; the workers that own each record call these.
#pragma once

#include <QStringList>

class QObject;
class SerialPortEntity;
class IapEntity;
class FirmwareEntity;
class CalibrationEntity;
class FileWorkEntity;

class EntityStore {
public:
    // Each load creates a new record with the given parent; missing keys give empty texts and 0.
    static SerialPortEntity* loadSerialPortEntity(QObject* parent = nullptr);
    static void saveSerialPortEntity(const SerialPortEntity* entity);

    static IapEntity* loadIapEntity(QObject* parent = nullptr);
    static void saveIapEntity(const IapEntity* entity);

    static FirmwareEntity* loadFirmwareEntity(QObject* parent = nullptr);
    static void saveFirmwareEntity(const FirmwareEntity* entity);

    static CalibrationEntity* loadCalibrationEntity(QObject* parent = nullptr);
    static void saveCalibrationEntity(const CalibrationEntity* entity);

    static FileWorkEntity* loadFileWorkEntity(QObject* parent = nullptr);
    static void saveFileWorkEntity(FileWorkEntity* entity);

    // Stored numbers the loaders refused (out of range: read as not set, never sent), as
    // operator messages naming the group and key. Each is handed out once per process.
    static QStringList takeLoadProblems();
};
