#include "bisspage.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStyle>

#include "baidutranslate.h"
#include "bisspolling.h"
#include "bissentity.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "serialportbusy.h"
#include "settingswork.h"

BissPage::BissPage(SettingsWork* work, const QString& description)
    : work(work),
      grid(new QGridLayout(this)),
      detail(new QLabel(translated(description), this)),
      row(work->buildingRow()) {
    detail->setObjectName(QStringLiteral("detail"));
    detail->setWordWrap(true);
    if (QListWidget* list = work->pageList())
        connect(list, &QListWidget::currentItemChanged, this, &BissPage::currentChanged);
}

BissEntity* BissPage::entity() const {
    return work->getBissEntity();
}

bool BissPage::jobRunning() {
    return SerialPortBusy::instance()->isOpen();
}

QMessageBox* BissPage::warn(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, translated("警告"), translated(text),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    return box;
}

QMessageBox* BissPage::inform(const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, translated(title), translated(text),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    return box;
}

bool BissPage::masterCheck() {
    if (jobRunning())
        return false;
    const bool ok = DevicesType::instance()->getConnectedType() == DevicesType::BiSS_Master &&
                    ConnectFlag::instance()->getDeviceConnection() == ConnectFlag::CONNECTED &&
                    DevicesStatus::instance()->getValue() == DevicesStatus::NORMAL;
    if (!ok) {
        QMessageBox* box = warn(QStringLiteral("请连接BiSS_C Master!"));
        // Closing this box (and only this one) asks the window for the connection dialog.
        connect(box, &QMessageBox::finished, work, &SettingsWork::devicesNotConnect);
    }
    return ok;
}

bool BissPage::slaveTypeCheck(int requiredType) {
    const int type = DevicesType::instance()->getSlaveType();
    const bool ok = requiredType >= 0
                        ? type == requiredType
                        : type != DevicesType::CALIBRATION && type != DevicesType::BiSS_Master;
    if (!ok)
        warn(QStringLiteral("从机设备ID不符，请连接正确的编码器设备!"));
    return ok;
}

bool BissPage::slaveLinkCheck() {
    const bool ok = ConnectFlag::instance()->getSlaveConnection() == ConnectFlag::CONNECTED &&
                    entity()->getSlaveEnabled();
    if (!ok)
        warn(QStringLiteral("从机未连接，请检查从机连接状态及从机通信协议!"));
    return ok;
}

void BissPage::setResult(QLineEdit* field, bool success) {
    field->setProperty("Result", success ? QStringLiteral("success") : QStringLiteral("fail"));
    field->style()->unpolish(field);
    field->style()->polish(field);
}

void BissPage::setStale(QLineEdit* field) {
    field->setProperty("Result", QStringLiteral("stale"));
    field->style()->unpolish(field);
    field->style()->polish(field);
}

int BissPage::numberOf(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

void BissPage::addInput(QWidget* input) {
    input->setEnabled(false);
    inputs << input;
}

void BissPage::whenPortFree(std::function<void()> click) {
    BissPolling::attach(work)->whenPortFree(this, std::move(click), [this] {
        warn(QStringLiteral("设备正忙，操作未执行，请稍后重试。"));
    });
}

void BissPage::onClick(QAbstractButton* button, std::function<void()> click) {
    connect(button, &QAbstractButton::clicked, this, [this, click] { whenPortFree(click); });
}

void BissPage::currentChanged(QListWidgetItem* current) {
    const bool mine = current && row >= 0 && current->data(SettingsWork::RowRole).toInt() == row;
    for (QWidget* input : inputs) input->setEnabled(mine);
}
