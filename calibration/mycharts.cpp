#include "mycharts.h"

#include <algorithm>
#include <cmath>

#include <QBrush>
#include <QChart>
#include <QChartView>
#include <QDebug>
#include <QGridLayout>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include "baidutranslate.h"
#include "stylesheetloader.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
// The Fourier chart leaves this share of the plotted span above and below both curves: a fixed
// 20 degrees around a curve of a few thousandths of a degree drew one flat line.
constexpr double kFourierMarginShare = 0.1;

// Points that are not numbers are left out: they would poison the axis range.
void append(QList<QPointF>& points, double x, double y) {
    if (std::isfinite(x) && std::isfinite(y))
        points.append(QPointF(x, y));
}

// The smallest of 1, 2, 2.5, 5 times a power of ten that is at least raw.
double niceStep(double raw) {
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (f * power >= raw * (1.0 - 1e-9))
            return f * power;
    return 10.0 * power;
}

// More ticks than this cannot carry readable labels (2048 points would ask for 256), and each
// label costs layout time.
constexpr int kMaxTicks = 32;

// Ticks on round values (0, 20, 40 … rather than 37.7, 85.5): at most the axis's tick count
// (and kMaxTicks), anchored at 0, whatever the range.
void roundTicks(QValueAxis* axis) {
    const double span = axis->max() - axis->min();
    if (!(span > 0.0))
        return;
    const int ticks = std::min(axis->tickCount(), kMaxTicks);
    const double step = niceStep(span / std::max(1, ticks - 1));
    // Qt adds the step up from the first tick. Whole steps add up exactly; for a fraction the
    // sum's rounding error (-1.21e-17) would print as "-0.000" where 0 belongs, so the anchor
    // sits a millionth of a step above 0.
    axis->setTickAnchor(step == std::floor(step) ? 0.0 : step * 1e-6);
    axis->setTickInterval(step);
    // As many decimals as the step has, fixed.
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    const int decimals = std::max(
        0, int(std::ceil(-std::log10(step) - 1e-9)) + (std::abs(mantissa - 2.5) < 1e-9 ? 1 : 0));
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    axis->setTickType(QValueAxis::TicksDynamic);
}

struct Range {
    double lo = 0.0;
    double hi = 0.0;
    void take(double v) {
        if (!std::isfinite(v))
            return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
};
}  // namespace

MyCharts::MyCharts(QWidget* parent) : QWidget(parent) {
    layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view = new QChartView(this);
    view->setInteractive(true);
    view->setRenderHint(QPainter::Antialiasing);
    view->setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/mycharts.qss")));
    layout->addWidget(view, 0, 0);
}

QChart* MyCharts::chart() const {
    return view->chart();
}

float MyCharts::step(int pointNum) {
    return pointNum > 0 ? float(360.0 / pointNum) : 0.0f;
}

float MyCharts::referenceAngle(int index, int pointNum) {
    return float(index) * step(pointNum);
}

void MyCharts::errorsFromReadings(int pointNum, QList<float> readings, QList<float>& error,
                                  float& lineOffset) {
    error.clear();
    lineOffset = 0.0f;
    const int n = std::min<int>(pointNum, int(readings.size()));
    if (n <= 0)
        return;
    std::sort(readings.begin(), readings.end());
    float sum = 0.0f;
    for (int i = 0; i < n; ++i) {
        const float e = readings.at(i) - referenceAngle(i, pointNum);
        error.append(e);
        sum += e;
    }
    lineOffset = sum / float(pointNum);
}

QList<float> MyCharts::fourierFit(const QList<float>& coefficients, int pointNum) {
    QList<float> fit;
    if (coefficients.size() < 8 || pointNum <= 0)
        return fit;
    float amplitude[4];
    double phase[4];
    for (int k = 0; k < 4; ++k) {
        const double a = double(coefficients.at(2 * k)) * 180.0 / kPi;
        const double b = double(coefficients.at(2 * k + 1)) * 180.0 / kPi;
        amplitude[k] = std::sqrt(float(a * a + b * b));
        phase[k] = std::atan2(double(coefficients.at(2 * k)), double(coefficients.at(2 * k + 1)));
    }
    const float s = step(pointNum);
    for (int i = 0; i < pointNum; ++i) {
        double sum = 0.0;
        for (int k = 1; k <= 4; ++k)
            sum += double(amplitude[k - 1]) *
                   std::sin(double(float(k * i) * s) * kPi / 180.0 + phase[k - 1]);
        fit.append(float(sum));
    }
    return fit;
}

QChart* MyCharts::newChart(const QString& title, int pointNum, QValueAxis*& x, QValueAxis*& y) {
    auto* chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(QBrush(QColor(40, 40, 40)));
    const QFont font(QStringLiteral("Corbel Light"), 12);
    chart->setFont(font);
    chart->setTitleFont(font);
    chart->setTitle(title);
    x = new QValueAxis(chart);
    y = new QValueAxis(chart);
    // Qt draws no axis with fewer than two ticks.
    int ticks = std::max(2, pointNum / 8);
    if (tickLimit >= 2)
        ticks = std::min(ticks, tickLimit);
    for (QValueAxis* axis : {x, y}) {
        axis->setTitleText(translated("角度（°）"));
        axis->setLineVisible(true);
        axis->setGridLineVisible(false);
        axis->setTickCount(ticks);
        // Dynamic from the start: a layout of N / 8 fixed ticks is never computed.
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTitleFont(font);
        // N / 8 ticks crowd the axis: short labels in a small font stay readable.
        axis->setLabelsFont(QFont(QStringLiteral("Corbel Light"), 7));
        // With N / 8 ticks Qt finds too little room per label and cuts every one to "…".
        axis->setTruncateLabels(false);
    }
    x->setLabelFormat(QStringLiteral("%.0f"));
    y->setLabelFormat(QStringLiteral("%.3g"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    return chart;
}

void MyCharts::show(QChart* chart) {
    for (QAbstractAxis* axis : chart->axes())
        if (auto* value = qobject_cast<QValueAxis*>(axis))
            roundTicks(value);
    QChart* old = view->chart();
    view->setChart(chart);
    // The view lets go of the chart it showed before; nobody else holds it.
    if (old && old != chart)
        delete old;
}

void MyCharts::drawBestLine(int pointNum, QList<float> error, float lineOffset) {
    QValueAxis* x;
    QValueAxis* y;
    QChart* chart = newChart(translated("最佳直线法"), pointNum, x, y);
    x->setRange(0, 360);
    y->setRange(-10, 360);
    // The three lines nearly coincide at this scale: each is drawn narrower than the one below
    // it, so all three stay visible; the dashed line's legend square has the line's colour.
    auto* reference = new QLineSeries;
    reference->setName(translated("参考点"));
    reference->setPen(QPen(QColor(255, 0, 0), 5));
    auto* readings = new QLineSeries;
    readings->setName(translated("编码器读数"));
    readings->setPen(QPen(QColor(0, 0, 255), 3));
    auto* best = new QLineSeries;
    best->setName(translated("最佳直线"));
    best->setPen(QPen(QColor(235, 235, 235), 1, Qt::DashLine));
    QList<QPointF> referencePoints;
    QList<QPointF> readingPoints;
    QList<QPointF> bestPoints;
    const int n = std::min<int>(pointNum, int(error.size()));
    for (int i = 0; i < std::max(0, pointNum); ++i) {
        const float xi = referenceAngle(i, pointNum);
        append(referencePoints, xi, xi);
        if (i < n)
            append(readingPoints, xi, double(xi + error.at(i)));
        append(bestPoints, xi, double(xi + lineOffset));
    }
    // One call per series: appending point by point redraws the series each time.
    reference->replace(referencePoints);
    readings->replace(readingPoints);
    best->replace(bestPoints);
    for (QLineSeries* series : {reference, readings, best}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    show(chart);
}

void MyCharts::drawError(int pointNum, const QList<float>& error, float maxInl, float lineOffset,
                         bool scatter) {
    // The title is translated whole, the figure in it: a catalogue keeps it as one template.
    const QString figure = QString::number(double(maxInl), 'g', 6);
    const QString title =
        scatter
            ? translated(QStringLiteral("角度误差分布(Max INL:") + figure + QStringLiteral("°)"))
            : translated(QStringLiteral("角度误差曲线(Max INL:") + figure + QStringLiteral("°)"));
    QValueAxis* x;
    QValueAxis* y;
    QChart* chart = newChart(title, pointNum, x, y);
    x->setRange(scatter ? 0 : -10, 360);
    QXYSeries* series;
    if (scatter) {
        auto* points = new QScatterSeries;
        points->setMarkerSize(8);
        series = points;
    } else {
        series = new QLineSeries;
    }
    series->setName(translated("角度误差"));
    series->setColor(QColor(255, 0, 255));
    Range range;
    QList<QPointF> points;
    const int n = std::min<int>(pointNum, int(error.size()));
    for (int i = 0; i < n; ++i) {
        const float d = error.at(i) - lineOffset;
        append(points, referenceAngle(i, pointNum), d);
        range.take(d);
    }
    series->replace(points);
    y->setRange(range.lo, range.hi);
    qDebug() << std::max(std::abs(range.lo), range.hi);
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    show(chart);
}

void MyCharts::drawErrorCurve(int pointNum, QList<float> error, float maxInl, float lineOffset) {
    drawError(pointNum, error, maxInl, lineOffset, false);
}

void MyCharts::drawErrorDistribution(int pointNum, QList<float> error, float maxInl,
                                     float lineOffset) {
    drawError(pointNum, error, maxInl, lineOffset, true);
}

void MyCharts::drawFourierFit(QList<float> coefficients, int pointNum, float lineOffset,
                              QList<float> error) {
    const QList<float> fit = fourierFit(coefficients, pointNum);
    // A phase that was never received has no coefficients: its error is still worth showing.
    const QString title = fit.isEmpty() && pointNum > 0
                              ? translated("曲线拟合对比（未收到傅里叶系数）")
                              : translated("曲线拟合对比");
    QValueAxis* x;
    QValueAxis* y;
    QChart* chart = newChart(title, pointNum, x, y);
    x->setRange(-10, 360);
    Range range;
    auto* fitSeries = new QLineSeries;
    fitSeries->setName(translated("傅里叶拟合曲线"));
    // The fit is smooth and the measured error scatters around it: the fit goes underneath, wide
    // and the error thin on top, so both stay visible.
    fitSeries->setPen(QPen(QColor(0, 0, 255), 4));
    QList<QPointF> fitPoints;
    for (int i = 0; i < fit.size(); ++i) {
        append(fitPoints, referenceAngle(i, pointNum), fit.at(i));
        range.take(fit.at(i));
    }
    fitSeries->replace(fitPoints);
    auto* errorSeries = new QLineSeries;
    errorSeries->setName(translated("角度误差曲线"));
    errorSeries->setPen(QPen(QColor(255, 0, 255), 1));
    const int n = std::min<int>(pointNum, int(error.size()));
    QList<QPointF> errorPoints;
    for (int i = 0; i < n; ++i) {
        const float d = error.at(i) - lineOffset;
        append(errorPoints, referenceAngle(i, pointNum), d);
        range.take(d);
    }
    errorSeries->replace(errorPoints);
    const double span = range.hi - range.lo;
    const double margin = span > 0.0 ? span * kFourierMarginShare : 1.0;
    y->setRange(range.lo - margin, range.hi + margin);
    if (!fit.isEmpty()) {
        chart->addSeries(fitSeries);
        fitSeries->attachAxis(x);
        fitSeries->attachAxis(y);
    } else {
        delete fitSeries;
    }
    chart->addSeries(errorSeries);
    errorSeries->attachAxis(x);
    errorSeries->attachAxis(y);
    show(chart);
}
