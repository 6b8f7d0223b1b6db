#include "bisspages.h"

#include "bisscommfaultpage.h"
#include "bissmastermodepage.h"
#include "bisspolling.h"
#include "bissregisterpage.h"
#include "bissresolverpage.h"
#include "bissslavecommmodepage.h"
#include "bissslavedatapage.h"
#include "bissslaveenablepage.h"
#include "bissslavefaultpage.h"
#include "pageregistry.h"

namespace {
template <typename Page>
void add(const char* name) {
    // Qualified by the area, so a page name another area might use cannot collide.
    PageRegistry::registerPage(QStringLiteral("BiSS调试/") + QString::fromUtf8(name),
                               [](SettingsWork* work) -> QWidget* {
                                   BissPolling::attach(work);
                                   return new Page(work);
                               });
}
}  // namespace

void registerBissPages() {
    add<BissMasterModePage>("主机通信模式");
    add<BissSlaveEnablePage>("从机使能");
    add<BissSlaveDataPage>("从机反馈数据");
    add<BissSlaveFaultPage>("从机错误 & 警告");
    add<BissCommFaultPage>("通信错误 & 警告");
    add<BissSlaveCommModePage>("从机通信模式");
    add<BissResolverPage>("旋变设置");
    add<BissRegisterPage>("寄存器操作");
}
