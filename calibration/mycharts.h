// One INL analysis chart: the best straight line, the angle error curve or distribution, or the
// Fourier fit of the error, drawn from a run's error series.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QChart;
class QChartView;
class QGridLayout;
class QValueAxis;

class MyCharts : public QWidget {
    Q_OBJECT
public:
    explicit MyCharts(QWidget* parent = nullptr);

    void drawBestLine(int pointNum, QList<float> error, float lineOffset);
    void drawErrorCurve(int pointNum, QList<float> error, float maxInl, float lineOffset);
    void drawErrorDistribution(int pointNum, QList<float> error, float maxInl, float lineOffset);
    void drawFourierFit(QList<float> coefficients, int pointNum, float lineOffset,
                        QList<float> error);

    // At most this many ticks per axis in the charts drawn from now on; 0 (the default) gives
    // the result view's N / 8. Each tick is a text item: a report of 2048 points would lay
    // out 256 labels per axis only to thin them out again.
    void setTickLimit(int limit) { tickLimit = limit; }

    QChartView* chartView() const { return view; }
    QChart* chart() const;

    // The arithmetic of the charts, in the precision the rig's figures are compared in.
    static float step(int pointNum);
    static float referenceAngle(int index, int pointNum);
    // Errors of sorted angle readings against the reference points, and their mean.
    static void errorsFromReadings(int pointNum, QList<float> readings, QList<float>& error,
                                   float& lineOffset);
    // The fit of four harmonics; empty when fewer than eight coefficients came.
    static QList<float> fourierFit(const QList<float>& coefficients, int pointNum);

private:
    QChart* newChart(const QString& title, int pointNum, QValueAxis*& x, QValueAxis*& y);
    void drawError(int pointNum, const QList<float>& error, float maxInl, float lineOffset,
                   bool scatter);
    void show(QChart* chart);

    QGridLayout* layout;
    QChartView* view;
    int tickLimit = 0;
};
