#include "bisspositionchart.h"

#include <cmath>

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include "baidutranslate.h"

// The chart is handed to the view's constructor: a view made without one creates its own, and
// setChart() would only release that one, not delete it.
BissPositionChart::BissPositionChart(QWidget* parent)
    : QChartView(new QChart, parent),
      singleSeries(new QLineSeries),
      multiSeries(new QLineSeries),
      timeAxis(new QValueAxis),
      singleAxis(new QValueAxis),
      multiAxis(new QValueAxis) {
    QChart* chart = this->chart();
    // The workspace is dark; a white plot would glare beside the fields.
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setAlignment(Qt::AlignTop);
    singleSeries->setName(translated("单圈"));
    multiSeries->setName(translated("多圈"));
    // Points are replaced in bulk once per sample; OpenGL is not worth it at 5 samples a second.
    chart->addSeries(singleSeries);
    chart->addSeries(multiSeries);
    timeAxis->setRange(-kWindowSeconds, 0);
    timeAxis->setLabelFormat(QStringLiteral("%.0f s"));
    singleAxis->setLabelFormat(QStringLiteral("%.0f"));
    multiAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(singleAxis, Qt::AlignLeft);
    chart->addAxis(multiAxis, Qt::AlignRight);
    singleSeries->attachAxis(timeAxis);
    singleSeries->attachAxis(singleAxis);
    multiSeries->attachAxis(timeAxis);
    multiSeries->attachAxis(multiAxis);
    setStyleSheet(QStringLiteral("QGraphicsView { background: transparent; border: none; }"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(220);
}

void BissPositionChart::reset() {
    singlePoints.clear();
    multiPoints.clear();
    singleSeries->clear();
    multiSeries->clear();
    clock.invalidate();
}

void BissPositionChart::dropOld(double now) {
    while (!singlePoints.isEmpty() && singlePoints.first().x() < now - kWindowSeconds) {
        singlePoints.removeFirst();
        multiPoints.removeFirst();
    }
}

void BissPositionChart::fitAxis(QValueAxis* axis, const QList<QPointF>& points) {
    double low = points.first().y();
    double high = low;
    for (const QPointF& p : points) {
        low = qMin(low, p.y());
        high = qMax(high, p.y());
    }
    if (high - low < 1.0)
        high = low + 1.0;
    const double margin = (high - low) * 0.05;
    // Positions are never negative: no axis below 0 for them.
    axis->setRange(low >= 0 ? qMax(0.0, low - margin) : low - margin, high + margin);
}

QList<QPointF> BissPositionChart::relative(const QList<QPointF>& points, double now) {
    QList<QPointF> shifted;
    shifted.reserve(points.size());
    for (const QPointF& p : points) shifted.append(QPointF(p.x() - now, p.y()));
    return shifted;
}

void BissPositionChart::addSample(qint64 singleTurn, qint64 multiTurn) {
    if (!clock.isValid())
        clock.start();
    const double now = clock.elapsed() / 1000.0;
    singlePoints.append(QPointF(now, double(singleTurn)));
    multiPoints.append(QPointF(now, double(multiTurn)));
    dropOld(now);
    // The time axis reads "seconds ago", so it stays put while the curves move.
    singleSeries->replace(relative(singlePoints, now));
    multiSeries->replace(relative(multiPoints, now));
    fitAxis(singleAxis, singlePoints);
    fitTurns(multiAxis, multiPoints);
}

void BissPositionChart::fitTurns(QValueAxis* axis, const QList<QPointF>& points) {
    // Whole turns: with few of them in view, one tick per turn keeps the labels integral.
    double low = points.first().y();
    double high = low;
    for (const QPointF& p : points) {
        low = qMin(low, p.y());
        high = qMax(high, p.y());
    }
    low = std::floor(low);
    high = qMax(low + 1.0, std::ceil(high));
    axis->setRange(low, high);
    const double span = high - low;
    if (span <= 4.0)
        axis->setTickCount(int(span) + 1);
    else
        axis->applyNiceNumbers();
}
