#include "bissslavefaultpage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bisserrorandwrring.h"
#include "devicestype.h"
#include "settingswork.h"

BissSlaveFaultPage::BissSlaveFaultPage(SettingsWork* work)
    : BissPage(work, QStringLiteral("从机错误和警告信息。(绿色为正常，红色为异常)")),
      clearButton(new QPushButton(translated("清除错误"), this)) {
    for (int i = 0; i < 7; ++i) {
        auto* box = new QCheckBox(this);
        box->setEnabled(false);
        indicators << box;
    }
    grid->addWidget(detail, 0, 0, 1, 4);
    const int layout[7][2] = {{1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 1}, {1, 2}, {1, 3}};
    for (int i = 0; i < 7; ++i) grid->addWidget(indicators[i], layout[i][0], layout[i][1]);
    grid->addWidget(clearButton, 2, 3);
    dataTimerReDraw();
    onClick(clearButton, [this] { clear(); });
    connect(work, &SettingsWork::dataTimerReDrawSignal, this, &BissSlaveFaultPage::dataTimerReDraw);
}

void BissSlaveFaultPage::dataTimerReDraw() {
    struct Flag {
        const char* label;
        bool on;
    };
    BissErrorAndWrring* faults = BissErrorAndWrring::instance();
    QList<Flag> flags;
    if (DevicesType::instance()->getSlaveType() == DevicesType::ABSRESLOVER) {
        const QList<int> r = faults->getResolverFaults();
        flags = {{"输入削波", r.contains(BissErrorAndWrring::SIN_COS_INPUT_CLIP)},
                 {"输入丢失", r.contains(BissErrorAndWrring::SIN_COS_LOS)},
                 {"输入超量程", r.contains(BissErrorAndWrring::SIN_COS_DOS_OVER)},
                 {"输入失配", r.contains(BissErrorAndWrring::SIN_COS_DOS_MISMATCH)},
                 {"位置丢失", r.contains(BissErrorAndWrring::POSITION_LOS)},
                 {"超速错误", r.contains(BissErrorAndWrring::OVER_SPEED)},
                 {"锁相错误", r.contains(BissErrorAndWrring::PHASE_LOCK_ERROR)}};
    } else {
        const QList<int> s = faults->getSlaveFaults();
        BissEntity* e = entity();
        flags = {{"错误标志", !e->getErrorFree()},
                 {"警告标志", !e->getWarningFree()},
                 {"超速警告", s.contains(BissErrorAndWrring::OVER_SPEED_ALM)},
                 {"电池警告", s.contains(BissErrorAndWrring::BATTERY_ALM)},
                 {"角度错误", s.contains(BissErrorAndWrring::ANGLE_ERROR)},
                 {"多圈错误", s.contains(BissErrorAndWrring::MULTI_ERROR)},
                 {"电池错误", s.contains(BissErrorAndWrring::BATTERY_ERROR)}};
    }
    for (int i = 0; i < 7; ++i) {
        indicators[i]->setText(translated(flags[i].label));
        indicators[i]->setChecked(flags[i].on);
    }
}

void BissSlaveFaultPage::clear() {
    if (!masterCheck() || !slaveCheck())
        return;
    emit work->clearSlaverErrorSignal(entity());
}
