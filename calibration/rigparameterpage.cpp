#include "rigparameterpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "calibrationentity.h"
#include "calibrationlimits.h"
#include "mcombobox.h"
#include "settingswork.h"

RigParameterPage::RigParameterPage(SettingsWork* work) : CalibrationPage(work) {
    QLabel* detail = label("对托编码器分辨率，参考点数量，校准速度设置。");
    detail->setWordWrap(true);
    grid->addWidget(detail, 1, 0, 1, 4);
    const QFont font(QStringLiteral("Corbel"), 13, QFont::Bold);

    grid->addWidget(label("分辨率："), 2, 0);
    line = new QLineEdit(this);
    line->setFont(font);
    // No leading 0 and nothing but digits, at most five; a single digit is an incomplete but
    // allowed entry. Five digits may still pass the 16-bit field: the run refuses those.
    line->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[1-9][0-9]{0,4}$")), line));
    grid->addWidget(line, 2, 1, 1, 3);

    grid->addWidget(label("参考点数："), 3, 0);
    points = new MComboBox(this);
    points->setFont(font);
    points->addItems(pointItems());
    grid->addWidget(points, 3, 1);
    grid->addWidget(label("校准速度："), 3, 2);
    speed = new MComboBox(this);
    speed->setFont(font);
    speed->addItems(speedItems());
    grid->addWidget(speed, 3, 3);
    for (QWidget* input :
         {static_cast<QWidget*>(line), static_cast<QWidget*>(points), static_cast<QWidget*>(speed)})
        addInput(input);

    connect(line, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (CalibrationEntity* r = record())
            r->setEncoderLine(text.toInt());
        emit this->work->calibrationArgmentsUpdate();
    });
    connect(points, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (CalibrationEntity* r = record())
            r->setPointNum(text.toInt());
        emit this->work->calibrationArgmentsUpdate();
    });
    connect(speed, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (CalibrationEntity* r = record())
            r->setCalibrationSpeed(text.toInt());
        emit this->work->calibrationArgmentsUpdate();
    });
    connect(work, &SettingsWork::viewReDraw, this, &RigParameterPage::reload);
    connect(work, &SettingsWork::calibrationArgmentsUpdate, this, &RigParameterPage::reload);
    reload();
}

QStringList RigParameterPage::pointItems() {
    QStringList items{QString()};
    for (int n : CalibrationLimits::pointCounts()) items << QString::number(n);
    return items;
}

QStringList RigParameterPage::speedItems() {
    QStringList items{QString()};
    for (int n : CalibrationLimits::speeds()) items << QString::number(n);
    return items;
}

void RigParameterPage::reload() {
    const CalibrationEntity* r = record();
    if (!r)
        return;
    const QString text = r->getEncoderLine() > 0 ? QString::number(r->getEncoderLine()) : QString();
    // Reloading while the operator types must not move the cursor.
    if (line->text() != text && !(text.isEmpty() && line->text().toInt() == 0))
        line->setText(text);
    selectNumber(points, r->getPointNum());
    selectNumber(speed, r->getCalibrationSpeed());
}
