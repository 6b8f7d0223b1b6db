// Rolling chart of the slave's single-turn position and multi-turn count over the last seconds
// of continuous acquisition; fed one sample per data result, idle otherwise.
#pragma once

#include <QChartView>
#include <QElapsedTimer>
#include <QList>
#include <QPointF>

class QLineSeries;
class QValueAxis;

class BissPositionChart : public QChartView {
    Q_OBJECT
public:
    static constexpr double kWindowSeconds = 10.0;

    explicit BissPositionChart(QWidget* parent = nullptr);

    void addSample(qint64 singleTurn, qint64 multiTurn);
    // Forgets the samples; the next one starts a new time line.
    void reset();
    int sampleCount() const { return int(singlePoints.size()); }

private:
    void dropOld(double now);
    static void fitAxis(QValueAxis* axis, const QList<QPointF>& points);
    static void fitTurns(QValueAxis* axis, const QList<QPointF>& points);
    static QList<QPointF> relative(const QList<QPointF>& points, double now);

    QLineSeries* singleSeries;
    QLineSeries* multiSeries;
    QValueAxis* timeAxis;
    QValueAxis* singleAxis;
    QValueAxis* multiAxis;
    QList<QPointF> singlePoints;
    QList<QPointF> multiPoints;
    QElapsedTimer clock;
};
