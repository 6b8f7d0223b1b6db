#include "calibrationrunpage.h"

#include "calibrationrecord.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "baidutranslate.h"
#include "calibrationentity.h"
#include "calibrationlimits.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "serialportbusy.h"
#include "serialrequirement.h"
#include "settingswork.h"

namespace {
// The page that holds the first value CalibrationRecord::problem refuses.
const char* pageOf(const CalibrationEntity* record) {
    if (!CalibrationLimits::pointNumProblem(record->getPointNum()).isEmpty() ||
        !CalibrationLimits::encoderLineProblem(record->getEncoderLine()).isEmpty() ||
        !CalibrationLimits::calibrationSpeedProblem(record->getCalibrationSpeed()).isEmpty())
        return "对拖工装参数";
    const char* const testPages[] = {"第一次测试", "第二次测试", "第三次测试", "第四次测试"};
    const QList<quint16> speeds = record->getTestSpeed();
    for (int k = 0; k < CalibrationLimits::kTestSpeedCount; ++k)
        if (k >= speeds.size() || speeds.at(k) == 0 || speeds.at(k) > CalibrationLimits::kMaxSpeed)
            return testPages[k];
    return testPages[0];
}
}  // namespace

CalibrationRunPage::CalibrationRunPage(SettingsWork* work) : CalibrationPage(work) {
    grid->addWidget(label("角度置零,校准,校准效果测试。"), 1, 0, 1, 3);
    const QFont font(QStringLiteral("Corbel"), 13, QFont::Bold);
    const char* const texts[] = {"校准", "对零", "测试"};
    const int columns[] = {0, 1, 2};
    for (Run run : {Calibrate, Zero, Test}) {
        auto* b = new QPushButton(translated(texts[run]), this);
        b->setFont(font);
        grid->addWidget(b, 2, columns[run]);
        connect(b, &QPushButton::clicked, this, [this, run] { start(run); });
        buttons[run] = b;
    }
    serialEdit = new QLineEdit(this);
    serialEdit->setObjectName(QStringLiteral("serialNumber"));
    serialEdit->setPlaceholderText(translated("扫描或输入"));
    addInput(serialEdit);
    grid->addWidget(label("编码器序列号:"), 3, 0);
    grid->addWidget(serialEdit, 3, 1, 1, 2);
    buttons[Calibrate]->setObjectName(QStringLiteral("start"));
    buttons[Test]->setObjectName(QStringLiteral("FinalCheck"));
    connect(work, &SettingsWork::finish, this, [this] { setButtonsEnabled(true); });
}

QString CalibrationRunPage::validate(const CalibrationEntity* record) {
    const QString problem = CalibrationRecord::problem(record);
    if (problem.isEmpty())
        return QString();
    // The refusal names the page where the value is entered: before the first calibration five
    // pages are empty, and the operator has to find them.
    return translated(problem) + QStringLiteral(" [ ") + translated("校准") +
           QStringLiteral(" → ") + translated(pageOf(record)) + QStringLiteral(" ]");
}

void CalibrationRunPage::setButtonsEnabled(bool enabled) {
    for (QPushButton* b : buttons) b->setEnabled(enabled);
}

void CalibrationRunPage::start(Run run) {
    // A job holds the port: the click is ignored.
    if (SerialPortBusy::instance()->isOpen())
        return;
    if (DevicesType::instance()->getConnectedType() != DevicesType::CALIBRATION ||
        ConnectFlag::instance()->getDeviceConnection() != ConnectFlag::CONNECTED ||
        DevicesStatus::instance()->getValue() != DevicesStatus::NORMAL) {
        auto* box = new QMessageBox(QMessageBox::Warning, translated("警告"),
                                    translated("请连接校准工装"), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        connect(box, &QMessageBox::finished, work, &SettingsWork::devicesNotConnect);
        box->show();
        return;
    }
    CalibrationEntity* r = record();
    if (!r)
        return;
    const QString invalid = validate(r);
    if (!invalid.isEmpty()) {
        emit work->showMsg(QMessageBox::Warning, invalid);
        return;
    }
    const QString serial = serialEdit->text().trimmed();
    if (serial.isEmpty() && SerialRequirement::required()) {
        emit work->showMsg(QMessageBox::Warning, translated("请输入编码器序列号。"));
        serialEdit->setFocus();
        return;
    }
    r->setSerialNumber(serial);
    emit work->setCalibrationArgments(r);
    setButtonsEnabled(false);
    switch (run) {
        case Calibrate:
            emit work->startCalibration(r);
            break;
        case Zero:
            emit work->startZero(r);
            break;
        case Test:
            emit work->startTest(r);
            break;
    }
}
