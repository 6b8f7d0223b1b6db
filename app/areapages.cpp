#include "areapages.h"

#include "baidutranslate.h"

namespace {
QStringList group(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names) list << translated(name);
    return list;
}
}  // namespace

namespace AreaPages {
QList<QStringList> calibration() {
    return {group({"校准结果", "校准INL数据"}), group({"测试结果", "测试INL数据"}),
            group({"测试", "第一次测试", "第二次测试", "第三次测试", "第四次测试"}),
            group({"参数设置", "对拖工装参数"}), group({"运行", "对零 & 校准 & 测试"})};
}

QList<QStringList> firmware() {
    return {group({"参数设置", "固件参数", "固件路径"}), group({"运行", "保存 & 开始"})};
}

QList<QStringList> iap() {
    return {group({"参数设置", "IAP参数"}), group({"运行", "保存 & 开始"})};
}

QList<QStringList> biss() {
    return {group({"主机状态", "主机通信模式", "从机使能"}),
            group({"从机状态", "从机反馈数据", "从机错误 & 警告", "通信错误 & 警告", "从机通信模式",
                   "旋变设置", "寄存器操作"})};
}
}  // namespace AreaPages
