#include "bisscommfaultpage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bisserrorandwrring.h"
#include "settingswork.h"

namespace {
struct Indicator {
    const char* label;
    int code;
    int row;
    int column;
};
const Indicator kIndicators[] = {{"无数据", 3, 1, 0},       {"CRC校验错误", 2, 2, 0},
                                 {"BiSS流错误", 4, 2, 1},   {"BiSS写错误", 5, 2, 2},
                                 {"BiSS读错误", 6, 1, 1},   {"BiSS繁忙", 7, 1, 2},
                                 {"BiSS IDL 错误", 8, 1, 3}};
}  // namespace

BissCommFaultPage::BissCommFaultPage(SettingsWork* work)
    : BissPage(work, QStringLiteral("通信错误和警告信息。(绿色为正常，红色为异常)")),
      clearButton(new QPushButton(translated("清除错误"), this)) {
    grid->addWidget(detail, 0, 0, 1, 4);
    for (const Indicator& i : kIndicators) {
        auto* box = new QCheckBox(translated(i.label), this);
        box->setEnabled(false);
        indicators << box;
        grid->addWidget(box, i.row, i.column);
    }
    grid->addWidget(clearButton, 2, 3);
    dataTimerReDraw();
    onClick(clearButton, [this] { clear(); });
    connect(work, &SettingsWork::dataTimerReDrawSignal, this, &BissCommFaultPage::dataTimerReDraw);
}

void BissCommFaultPage::dataTimerReDraw() {
    const QList<int> codes = BissErrorAndWrring::instance()->getCommunicationFaults();
    for (int i = 0; i < indicators.size(); ++i)
        indicators[i]->setChecked(codes.contains(kIndicators[i].code));
}

void BissCommFaultPage::clear() {
    if (!masterCheck() || !slaveTypeCheck())
        return;
    // Only the supply is required here: after a fault the slave link is usually marked down,
    // and clearing the master is how it comes back.
    if (!entity()->getSlaveEnabled()) {
        warn(QStringLiteral("从机未连接，请检查从机连接状态及从机通信协议!"));
        return;
    }
    // Forgetting the codes is what reopens the slave commands' fault gate.
    BissErrorAndWrring::instance()->setCommunicationFaults({});
    emit work->clearMasterErrorSignal(entity());
}
