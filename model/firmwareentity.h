// The firmware image generation task.
#pragma once

#include <QObject>
#include <QString>

class DevicesAreaConfig;
class DevicesType;
class Mode;

class FirmwareEntity : public QObject {
    Q_OBJECT
public:
    explicit FirmwareEntity(QObject* parent = nullptr);

    QString getModeName() const { return modeName; }
    void setModeName(const QString& v) { modeName = v; }
    QString getWatermarkName() const { return watermarkName; }
    // Also reloads the four area sizes from that device's table (0 for a missing key).
    void setWatermarkName(const QString& name);
    double getVersion() const { return version; }
    void setVersion(double v) { version = v; }
    int getBootAreaSize() const { return bootAreaSize; }
    void setBootAreaSize(int v) { bootAreaSize = v; }
    int getAppAreaSize() const { return appAreaSize; }
    void setAppAreaSize(int v) { appAreaSize = v; }
    int getConfigAreaSize() const { return configAreaSize; }
    void setConfigAreaSize(int v) { configAreaSize = v; }
    int getIdAreaSize() const { return idAreaSize; }
    void setIdAreaSize(int v) { idAreaSize = v; }
    QString getBootFirmwarePath() const { return bootFirmwarePath; }
    void setBootFirmwarePath(const QString& v) { bootFirmwarePath = v; }
    QString getAppFirmwarePath() const { return appFirmwarePath; }
    void setAppFirmwarePath(const QString& v) { appFirmwarePath = v; }
    QString getSavePath() const { return savePath; }
    void setSavePath(const QString& v) { savePath = v; }

    // Takes the four sizes from the owned area table as it is loaded now.
    void reloadAreaSizes();
    DevicesAreaConfig* getDevicesAreaConfig() const { return devicesAreaConfig; }

    DevicesType* devicesType;
    Mode* mode;

private:
    DevicesAreaConfig* devicesAreaConfig;
    QString modeName;
    QString watermarkName;
    double version = 0.0;
    int bootAreaSize = 0;
    int appAreaSize = 0;
    int configAreaSize = 0;
    int idAreaSize = 0;
    QString bootFirmwarePath;
    QString appFirmwarePath;
    QString savePath;
};
