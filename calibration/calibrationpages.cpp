#include "calibrationpages.h"

#include "calibrationresultpage.h"
#include "calibrationrunpage.h"
#include "pageregistry.h"
#include "rigparameterpage.h"
#include "testresultpage.h"
#include "testspeedpage.h"

namespace {
const QString kArea = QStringLiteral("校准/");
}  // namespace

void registerCalibrationPages() {
    PageRegistry::registerPage(
        kArea + QStringLiteral("对拖工装参数"),
        [](SettingsWork* work) -> QWidget* { return new RigParameterPage(work); });
    PageRegistry::registerPage(
        kArea + QStringLiteral("对零 & 校准 & 测试"),
        [](SettingsWork* work) -> QWidget* { return new CalibrationRunPage(work); });
    const char* const tests[] = {"第一次测试", "第二次测试", "第三次测试", "第四次测试"};
    for (int k = 0; k < 4; ++k)
        PageRegistry::registerPage(
            kArea + QString::fromUtf8(tests[k]),
            [k](SettingsWork* work) -> QWidget* { return new TestSpeedPage(work, k); });
    PageRegistry::registerPage(
        kArea + QStringLiteral("校准INL数据"),
        [](SettingsWork* work) -> QWidget* { return new CalibrationResultPage(work); });
    PageRegistry::registerPage(
        kArea + QStringLiteral("测试INL数据"),
        [](SettingsWork* work) -> QWidget* { return new TestResultPage(work); });
}
