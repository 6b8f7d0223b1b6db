#include "testresultpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "baidutranslate.h"
#include "calibrationentity.h"
#include "calibrationwork.h"
#include "devicestype.h"
#include "resultreport.h"
#include "settingswork.h"

TestResultPage::TestResultPage(SettingsWork* work) : CalibrationPage(work) {
    grid->addWidget(label("编码器型号:"), 1, 0);
    type = resultField();
    grid->addWidget(type, 1, 1, 1, 3);
    grid->addWidget(label("INL阈值:"), 1, 4);
    threshold = resultField();
    grid->addWidget(threshold, 1, 5, 1, 3);
    grid->addWidget(label("测试后INL:"), 2, 0);
    average = resultField();
    grid->addWidget(average, 2, 1, 1, 7);
    const char* const texts[] = {"第一次", "第二次", "第三次", "第四次"};
    const QFont font(QStringLiteral("Corbel"), 13, QFont::Bold);
    for (int i = 0; i < 4; ++i) {
        buttons[i] = new QPushButton(translated(texts[i]), this);
        buttons[i]->setFont(font);
        grid->addWidget(buttons[i], 3, 2 * i, 1, 2);
        connect(buttons[i], &QPushButton::clicked, this, [this, i] { openPage(i); });
    }
    report = new QPushButton(translated("导出报告"), this);
    report->setObjectName(QStringLiteral("exportReport"));
    grid->addWidget(report, 4, 0, 1, 8);
    connect(report, &QPushButton::clicked, this, [this] {
        if (!ResultReport::exportReport(this, record(), true))
            QMessageBox::warning(this, translated("警告"), translated("无法导出报告"));
    });
    connect(work, &SettingsWork::viewReDraw, this, &TestResultPage::reload);
    reload();
}

void TestResultPage::openPage(int index) {
    const CalibrationEntity* r = record();
    if (!r)
        return;
    const char* const keys[] = {"FIRST", "SECOND", "THIRD", "FOURTH"};
    QString title;
    CalibrationWork* view =
        CalibrationWork::forPage(QString::fromLatin1(keys[index]), r, work, &title);
    emit work->showCalibration(title, view);
}

void TestResultPage::reload() {
    const CalibrationEntity* r = record();
    if (!r)
        return;
    type->setText(DevicesType::instance()->valueToKey(r->getEncoderType()));
    threshold->setText(QString::number(double(r->getMaxInl()), 'f', 2));
    const QList<float> maxima = r->getTestMaxInl();
    double sum = 0.0;
    for (float v : maxima) sum += double(v);
    const float mean = maxima.isEmpty() ? 0.0f : float(sum / double(maxima.size()));
    average->setText(QString::number(double(mean), 'g', 6));
    setResult(average, mean < r->getMaxInl());
    for (int i = 0; i < 4; ++i)
        setName(buttons[i], r->getMaxInl() < maxima.value(i, 0.0f)
                                ? QStringLiteral("FinalCheck")
                                : QStringLiteral("FineCalibration"));
}
