#include "firmwarepages.h"

#include "firmwareparameterpage.h"
#include "firmwarepathpage.h"
#include "firmwarerunpage.h"
#include "iapparameterpage.h"
#include "pageregistry.h"

namespace {
const QString kGenerationArea = QStringLiteral("固件生成/");
const QString kIapArea = QStringLiteral("IAP升级/");
}  // namespace

void registerFirmwarePages() {
    PageRegistry::registerPage(
        kGenerationArea + QStringLiteral("固件参数"),
        [](SettingsWork* work) -> QWidget* { return new FirmwareParameterPage(work); });
    PageRegistry::registerPage(
        kGenerationArea + QStringLiteral("固件路径"),
        [](SettingsWork* work) -> QWidget* { return new FirmwarePathPage(work); });
    PageRegistry::registerPage(kGenerationArea + QStringLiteral("保存 & 开始"),
                               [](SettingsWork* work) -> QWidget* {
                                   return new FirmwareRunPage(work, FirmwareRunPage::Generation);
                               });
    PageRegistry::registerPage(
        kIapArea + QStringLiteral("IAP参数"),
        [](SettingsWork* work) -> QWidget* { return new IapParameterPage(work); });
    PageRegistry::registerPage(kIapArea + QStringLiteral("保存 & 开始"),
                               [](SettingsWork* work) -> QWidget* {
                                   return new FirmwareRunPage(work, FirmwareRunPage::Iap);
                               });
}
