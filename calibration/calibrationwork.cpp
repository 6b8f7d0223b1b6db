#include "calibrationwork.h"

#include <cmath>

#include <QBuffer>
#include <QChartView>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QTabWidget>
#include <QToolButton>

#include "baidutranslate.h"
#include "calibrationentity.h"
#include "calibrationrecord.h"
#include "mycharts.h"
#include "stylesheetloader.h"

namespace {
QByteArray number(float value) {
    return std::isfinite(value) ? QByteArray::number(double(value), 'g', 9) : QByteArray();
}
}  // namespace

CalibrationWork::CalibrationWork(QWidget* parent) : QWidget(parent) {
    layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("chartsTabView"));
    const QString style = loadStyleSheet(QStringLiteral(":/system/qss/calibrationwork.qss"));
    setStyleSheet(style);
    tabs->setStyleSheet(style);
    layout->addWidget(tabs, 0, 0);
    connect(tabs, &QTabWidget::currentChanged, this, [this] { drawShownTab(); });
    addTab("编码器误差分析", bestLine);
    addTab("角度误差分布", distribution);
    addTab("误差曲线", curve);
    addTab("傅里叶拟合", fourier);

    auto* save = new QToolButton(tabs);
    save->setText(translated("导出"));
    save->setPopupMode(QToolButton::InstantPopup);
    save->setMenu(exportMenu());
    tabs->setCornerWidget(save, Qt::TopRightCorner);
}

QWidget* CalibrationWork::addTab(const char* title, MyCharts*& chart) {
    auto* page = new QWidget;
    auto* pageLayout = new QGridLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    chart = new MyCharts(this);
    pageLayout->addWidget(chart, 0, 0);
    tabs->addTab(page, translated(title));
    return page;
}

void CalibrationWork::showCalibrationCharts(int pointNum, QList<float> error,
                                            QList<float> coefficients, float maxInl,
                                            float lineOffset) {
    points = pointNum;
    errors = error;
    offset = lineOffset;
    fit = MyCharts::fourierFit(coefficients, pointNum);
    MyCharts* b = bestLine;
    MyCharts* d = distribution;
    MyCharts* c = curve;
    MyCharts* f = fourier;
    pending[b] = [=] { b->drawBestLine(pointNum, error, lineOffset); };
    pending[d] = [=] { d->drawErrorDistribution(pointNum, error, maxInl, lineOffset); };
    pending[c] = [=] { c->drawErrorCurve(pointNum, error, maxInl, lineOffset); };
    pending[f] = [=] { f->drawFourierFit(coefficients, pointNum, lineOffset, error); };
    drawShownTab();
}

MyCharts* CalibrationWork::drawn(MyCharts* chart) const {
    if (const auto draw = pending.take(chart))
        draw();
    return chart;
}

void CalibrationWork::drawShownTab() {
    if (QWidget* page = tabs->currentWidget())
        if (auto* chart = page->findChild<MyCharts*>())
            drawn(chart);
}

void CalibrationWork::showMeasuredCharts(int pointNum, QList<float> readings, float maxInl) {
    QList<float> error;
    float lineOffset = 0.0f;
    MyCharts::errorsFromReadings(pointNum, readings, error, lineOffset);
    points = pointNum;
    errors = error;
    offset = lineOffset;
    fit.clear();
    MyCharts* b = bestLine;
    MyCharts* d = distribution;
    MyCharts* c = curve;
    pending[b] = [=] { b->drawBestLine(pointNum, error, lineOffset); };
    pending[d] = [=] { d->drawErrorDistribution(pointNum, error, maxInl, lineOffset); };
    pending[c] = [=] { c->drawErrorCurve(pointNum, error, maxInl, lineOffset); };
    pending.remove(fourier);
    // Measured angles carry no coefficients: the Fourier tab goes.
    const int index = tabs->indexOf(fourier->parentWidget());
    if (index >= 0)
        tabs->removeTab(index);
    drawShownTab();
}

CalibrationWork* CalibrationWork::forPage(const QString& key, const CalibrationEntity* record,
                                          QWidget* parent, QString* title, int tickLimit) {
    auto* work = new CalibrationWork(parent);
    for (MyCharts* chart : {work->bestLine, work->distribution, work->curve, work->fourier})
        chart->setTickLimit(tickLimit);
    const int n = record->getPointNum();
    const QStringList tests{"FIRST", "SECOND", "THIRD", "FOURTH"};
    const int test = int(tests.indexOf(key));
    if (test >= 0) {
        static const char* const titles[] = {"第一次测试", "第二次测试", "第三次测试",
                                             "第四次测试"};
        work->showMeasuredCharts(n, record->getInlCurves().value(key),
                                 record->getTestMaxInl().value(test, 0.0f));
        if (title)
            *title = translated(titles[test]);
        return work;
    }
    const bool zek = record->getEncoderType() == 250;
    const char* name = "";
    if (key == QLatin1String("ROUGH"))
        name = zek ? "粗校准" : "校准前";
    else if (key == QLatin1String("FINE"))
        name = zek ? "精校准" : "自校准";
    else if (key == QLatin1String("FINAL"))
        name = zek ? "最终校验" : "NLC校准";
    const float maxInl = record->getPhaseMaxInl().value(key, 0.0f);
    if (zek)
        work->showCalibrationCharts(n, record->getInlCurves().value(key),
                                    record->getPhaseCoefficients().value(key), maxInl,
                                    record->getPhaseLineOffset().value(key, 0.0f));
    else
        work->showMeasuredCharts(n, record->getInlCurves().value(key), maxInl);
    if (title)
        *title = translated(name);
    return work;
}

QByteArray CalibrationWork::csv() const {
    QByteArray text = "point,reference_deg,error_deg,best_line_error_deg";
    const bool withFit = !fit.isEmpty();
    if (withFit)
        text += ",fourier_fit_deg";
    text += '\n';
    const int n = std::min<int>(points, int(errors.size()));
    for (int i = 0; i < n; ++i) {
        text += QByteArray::number(i) + ',' + number(MyCharts::referenceAngle(i, points)) + ',' +
                number(errors.at(i)) + ',' + number(errors.at(i) - offset);
        if (withFit)
            text += ',' + number(fit.value(i));
        text += '\n';
    }
    return text;
}

bool CalibrationWork::exportCsv(const QString& path, QString* error) const {
    return CalibrationRecord::writeFile(path, csv(), error);
}

bool CalibrationWork::saveChartPng(const QString& path, QString* error) const {
    const MyCharts* charts[] = {bestLine, distribution, curve, fourier};
    const MyCharts* shown = nullptr;
    for (const MyCharts* chart : charts)
        if (tabs->currentWidget() == chart->parentWidget())
            shown = drawn(const_cast<MyCharts*>(chart));
    if (!shown) {
        if (error)
            *error = QStringLiteral("no chart on show");
        return false;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!shown->chartView()->grab().save(&buffer, "PNG")) {
        if (error)
            *error = QStringLiteral("the chart could not be rendered");
        return false;
    }
    return CalibrationRecord::writeFile(path, png, error);
}

QMenu* CalibrationWork::exportMenu() {
    auto* menu = new QMenu(this);
    menu->addAction(translated("导出数据 (CSV)..."), this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, translated("导出数据"), QString(),
                                                          QStringLiteral("CSV (*.csv)"));
        QString error;
        if (!path.isEmpty() && !exportCsv(path, &error))
            QMessageBox::warning(this, translated("警告"), translated("保存失败：") + error);
    });
    menu->addAction(translated("保存图表 (PNG)..."), this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, translated("保存图表"), QString(),
                                                          QStringLiteral("PNG (*.png)"));
        QString error;
        if (!path.isEmpty() && !saveChartPng(path, &error))
            QMessageBox::warning(this, translated("警告"), translated("保存失败：") + error);
    });
    return menu;
}

void CalibrationWork::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = exportMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
