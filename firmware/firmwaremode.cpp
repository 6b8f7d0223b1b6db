#include "firmwaremode.h"

#include "readconfig.h"

#include "baidutranslate.h"
#include "entitystore.h"
#include "firmwareentity.h"
#include "generation.h"
#include "mode.h"

namespace {
const QString kDashes(71, QLatin1Char('-'));
}

FirmwareMode::FirmwareMode()
    : DeviceWorker(QStringLiteral("Firmware Generation"),
                   {"FirmwareMode", "Firmware Thread Deinit", "Firmware Thread Is End"}, false),
      generation(new Generation(this)) {
    // Same thread as the worker: the relay is direct.
    connect(generation, &Generation::msgSignal, this,
            [this](const QString& msg) { emit msgSignal(getModeName(), msg); });
    connect(generation, &Generation::setProcess, this, &FirmwareMode::setProgress);
}

FirmwareEntity* FirmwareMode::loadEntity(QObject* parent) const {
    return EntityStore::loadFirmwareEntity(parent);
}

void FirmwareMode::saveEntity(const FirmwareEntity* entity) const {
    EntityStore::saveFirmwareEntity(entity);
}

void FirmwareMode::startGeneration(FirmwareEntity* firmwareEntity) {
    const QString mode = getModeName();
    emit msgSignal(mode, kDashes);
    emit msgSignal(mode, kDashes);
    emit msgSignal(mode, translated(" 开始生成固件"));
    emit msgSignal(mode, kDashes);
    emit msgSignal(mode, kDashes);
    bool ok = false;
    // The area sizes come from the device's group in config.ini; a device without one would be
    // refused for an area of 0 bytes, which says nothing of the cause.
    if (firmwareEntity && ReadConfig::readIntMap(firmwareEntity->getWatermarkName()).isEmpty()) {
        emit msgSignal(mode, translated("设备 [ %1 ] 在配置文件中没有分区配置组 [%1]，无法生成固件，"
                                        "请检查配置文件。")
                                 .arg(firmwareEntity->getWatermarkName()));
        firmwareEntity = nullptr;
    }
    if (firmwareEntity) {
        // The mode is taken by name from the entity, so a stale shared value cannot pick the
        // other image kind.
        const QString name = firmwareEntity->getModeName();
        const int modeValue =
            Mode::instance()->keyList().contains(name) ? Mode::instance()->keyToValue(name) : -1;
        ok = generation->generateFirmware(
            modeValue, firmwareEntity->getBootFirmwarePath(), firmwareEntity->getAppFirmwarePath(),
            firmwareEntity->getSavePath(), firmwareEntity->getWatermarkName(),
            firmwareEntity->getVersion(), firmwareEntity->getBootAreaSize(),
            firmwareEntity->getAppAreaSize(), firmwareEntity->getConfigAreaSize(),
            firmwareEntity->getIdAreaSize());
    }
    emit setProgress(100);
    emit generationIsSuccess(ok);
}
