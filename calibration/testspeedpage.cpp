#include "testspeedpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "calibrationentity.h"
#include "mcombobox.h"
#include "rigparameterpage.h"
#include "settingswork.h"

TestSpeedPage::TestSpeedPage(SettingsWork* work, int index) : CalibrationPage(work), index(index) {
    QLabel* detail = label("在不同转速下，测试磁编码器的最大INL，可设置不同转速。");
    detail->setWordWrap(true);
    grid->addWidget(detail, 1, 0, 1, 4);
    grid->addWidget(label("转速："), 2, 0);
    speed = new MComboBox(this);
    speed->setFont(QFont(QStringLiteral("Corbel"), 12, QFont::Bold));
    speed->addItems(RigParameterPage::speedItems());
    grid->addWidget(speed, 2, 1);
    addInput(speed);
    grid->addWidget(label("最大INL："), 2, 2);
    maxInl = resultField();
    grid->addWidget(maxInl, 2, 3);

    connect(speed, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        CalibrationEntity* r = record();
        if (!r)
            return;
        QList<quint16> speeds = r->getTestSpeed();
        while (speeds.size() <= this->index) speeds.append(0);
        speeds[this->index] = quint16(text.toInt());
        r->setTestSpeed(speeds);
    });
    connect(work, &SettingsWork::viewReDraw, this, &TestSpeedPage::reload);
    reload();
}

void TestSpeedPage::reload() {
    const CalibrationEntity* r = record();
    if (!r)
        return;
    selectNumber(speed, r->getTestSpeed().value(index, 0));
    const float value = r->getTestMaxInl().value(index, 0.0f);
    maxInl->setText(QString::number(double(value), 'g', 6));
    setResult(maxInl, value < r->getMaxInl());
}
