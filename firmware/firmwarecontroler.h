// GUI-thread side of firmware image generation: what the firmware pages and quelbrin-cli use.
#pragma once

#include "controlerbase.h"

class FirmwareEntity;
class FirmwareMode;

class FirmwareControler : public ControlerBase {
    Q_OBJECT
public:
    explicit FirmwareControler(QObject* parent = nullptr);

    FirmwareMode* getWorker() const { return worker; }

signals:
    void startGeneration(FirmwareEntity* firmwareEntity);
    void generationResult(QString msg, bool generationFlag);
    void getConfigArgments(FirmwareEntity* firmwareEntity);

public slots:
    void startGenerationSlot(FirmwareEntity* firmwareEntity);
    void generationResultSlot(bool generationFlag);
    void getConfigArgmentsSlot();
    void setConfigArgmentsSlot(FirmwareEntity* firmwareEntity);

private:
    FirmwareMode* worker;
};
