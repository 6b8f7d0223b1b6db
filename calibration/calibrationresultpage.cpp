#include "calibrationresultpage.h"

#include <QDebug>
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

CalibrationResultPage::CalibrationResultPage(SettingsWork* work) : CalibrationPage(work) {
    grid->addWidget(label("编码器型号:"), 1, 0);
    type = resultField();
    grid->addWidget(type, 1, 1, 1, 2);
    grid->addWidget(label("INL阈值:"), 1, 3);
    threshold = resultField();
    grid->addWidget(threshold, 1, 4, 1, 2);
    grid->addWidget(label("校准后INL:"), 2, 0);
    final = resultField();
    grid->addWidget(final, 2, 1, 1, 5);
    const char* const keys[] = {"ROUGH", "FINE", "FINAL"};
    const QFont font(QStringLiteral("Corbel"), 13, QFont::Bold);
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QPushButton(this);
        buttons[i]->setFont(font);
        grid->addWidget(buttons[i], 3, 2 * i, 1, 2);
        const QString key = QString::fromLatin1(keys[i]);
        connect(buttons[i], &QPushButton::clicked, this, [this, key] { openPage(key); });
    }
    buttons[1]->setObjectName(QStringLiteral("FineCalibration"));
    buttons[2]->setObjectName(QStringLiteral("FinalCheck"));
    report = new QPushButton(translated("导出报告"), this);
    report->setObjectName(QStringLiteral("exportReport"));
    grid->addWidget(report, 4, 0, 1, 6);
    connect(report, &QPushButton::clicked, this, [this] {
        if (!ResultReport::exportReport(this, record(), false))
            QMessageBox::warning(this, translated("警告"), translated("无法导出报告"));
    });
    connect(work, &SettingsWork::viewReDraw, this, &CalibrationResultPage::reload);
    reload();
}

void CalibrationResultPage::openPage(const QString& key) {
    const CalibrationEntity* r = record();
    if (!r)
        return;
    QString title;
    CalibrationWork* view = CalibrationWork::forPage(key, r, work, &title);
    emit work->showCalibration(title, view);
}

void CalibrationResultPage::reload() {
    const CalibrationEntity* r = record();
    if (!r)
        return;
    qDebug() << "calibrationEntity->getEncoderType():" << r->getEncoderType();
    type->setText(DevicesType::instance()->valueToKey(r->getEncoderType()));
    threshold->setText(QString::number(double(r->getMaxInl()), 'f', 2));
    const float after = r->getPhaseMaxInl().value(QStringLiteral("FINAL"), 0.0f);
    final->setText(QString::number(double(after), 'g', 6));
    setResult(final, after < r->getMaxInl());
    const bool zek = r->getEncoderType() == DevicesType::ZEK_ENCODER;
    const char* const zekTexts[] = {"粗校准", "精校准", "最终检查"};
    const char* const selfTexts[] = {"校准前", "自校准", "NLC校准"};
    for (int i = 0; i < 3; ++i) buttons[i]->setText(translated(zek ? zekTexts[i] : selfTexts[i]));
}
