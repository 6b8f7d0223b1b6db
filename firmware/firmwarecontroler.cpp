#include "firmwarecontroler.h"

#include <QDebug>

#include "baidutranslate.h"
#include "firmwareentity.h"
#include "firmwaremode.h"

FirmwareControler::FirmwareControler(QObject* parent)
    : ControlerBase(parent), worker(new FirmwareMode) {
    qDebug() << "Firmware Generation Controler initialized";
    qRegisterMetaType<FirmwareEntity*>("FirmwareEntity*");
    connect(this, &FirmwareControler::startGeneration, worker, &FirmwareMode::startGeneration);
    connect(worker, &FirmwareMode::generationIsSuccess, this,
            &FirmwareControler::generationResultSlot);
    startWorker(worker);
}

void FirmwareControler::startGenerationSlot(FirmwareEntity* firmwareEntity) {
    emit msgSignal(QStringLiteral("11"), QStringLiteral("11"));
    emit startGeneration(firmwareEntity);
}

void FirmwareControler::generationResultSlot(bool generationFlag) {
    if (generationFlag)
        emit generationResult(translated("固件生成成功"), true);
    else
        emit generationResult(translated("固件生成失败"), false);
}

void FirmwareControler::getConfigArgmentsSlot() {
    emit getConfigArgments(worker->loadEntity(this));
}

void FirmwareControler::setConfigArgmentsSlot(FirmwareEntity* firmwareEntity) {
    if (firmwareEntity)
        worker->saveEntity(firmwareEntity);
}
