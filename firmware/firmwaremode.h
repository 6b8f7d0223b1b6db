// Worker of firmware image generation: runs Generation on its own thread (no device link).
#pragma once

#include "deviceworker.h"

class FirmwareEntity;
class Generation;

class FirmwareMode : public DeviceWorker {
    Q_OBJECT
public:
    FirmwareMode();

    // Loads the entity with the area sizes of its watermark's device; saves the persisted keys.
    FirmwareEntity* loadEntity(QObject* parent = nullptr) const;
    void saveEntity(const FirmwareEntity* entity) const;

    Generation* getGeneration() const { return generation; }

signals:
    void generationIsSuccess(bool generationFlag);

public slots:
    void startGeneration(FirmwareEntity* firmwareEntity);

private:
    Generation* generation;
};
