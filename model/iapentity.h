// The IAP upgrade task: device, packet size, axis and upgrade image.
#pragma once

#include <QObject>
#include <QString>

class DevicesType;
class DevicesStatus;
class ConnectFlag;
class EncoderCaxis;
class TransformWays;

class IapEntity : public QObject {
    Q_OBJECT
public:
    // devicesName is replaced by the key of the current connectedType, whatever is passed.
    explicit IapEntity(QObject* parent = nullptr, const QString& devicesName = QString(),
                       const QString& transformName = QString(),
                       const QString& caxisName = QString(),
                       const QString& firmwarePath = QString());

    QString getDevicesName() const { return devicesName; }
    void setDevicesName(const QString& v) { devicesName = v; }
    QString getTransformName() const { return transformName; }
    void setTransformName(const QString& v) { transformName = v; }
    QString getCaxisName() const { return caxisName; }
    void setCaxisName(const QString& v) { caxisName = v; }
    QString getFirmwarePath() const { return firmwarePath; }
    void setFirmwarePath(const QString& v) { firmwarePath = v; }
    // The encoder's serial or batch number as the operator typed or scanned it (may be empty).
    QString getSerialNumber() const { return serialNumber; }
    void setSerialNumber(const QString& v) { serialNumber = v; }

    DevicesType* devicesType;
    DevicesStatus* devicesStatus;
    ConnectFlag* connectFlag;
    EncoderCaxis* encoderCaxis;
    TransformWays* transformWays;

private:
    QString devicesName;
    QString transformName;
    QString caxisName;
    QString firmwarePath;
    QString serialNumber;
};
