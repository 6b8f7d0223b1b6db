// The chart view of one result page: best line, error distribution, error curve and Fourier fit
// in four tabs; its data can be saved as CSV and the chart on show as PNG.
#pragma once

#include <functional>

#include <QHash>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

class CalibrationEntity;
class MyCharts;
class QGridLayout;
class QMenu;
class QTabWidget;

class CalibrationWork : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationWork(QWidget* parent = nullptr);

    void showCalibrationCharts(int pointNum, QList<float> error, QList<float> coefficients,
                               float maxInl, float lineOffset);
    void showMeasuredCharts(int pointNum, QList<float> readings, float maxInl);

    // A view filled for the result page of a phase key ("ROUGH" ... "FOURTH") from the record,
    // with the page's title; tickLimit as for MyCharts::setTickLimit.
    static CalibrationWork* forPage(const QString& key, const CalibrationEntity* record,
                                    QWidget* parent, QString* title, int tickLimit = 0);

    QTabWidget* tabWidget() const { return tabs; }
    // Each chart is drawn when its tab is first shown (or it is asked for here): a click on a
    // result page waits for one chart, not four.
    MyCharts* bestLineChart() const { return drawn(bestLine); }
    MyCharts* distributionChart() const { return drawn(distribution); }
    MyCharts* curveChart() const { return drawn(curve); }
    MyCharts* fourierChart() const { return drawn(fourier); }

    // point index, reference angle, error, best-line error[, Fourier fit]
    QByteArray csv() const;
    bool exportCsv(const QString& path, QString* error = nullptr) const;
    // The chart of the current tab.
    bool saveChartPng(const QString& path, QString* error = nullptr) const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QWidget* addTab(const char* title, MyCharts*& chart);
    // Runs the chart's pending drawing, if any, and returns it.
    MyCharts* drawn(MyCharts* chart) const;
    void drawShownTab();
    QMenu* exportMenu();

    QGridLayout* layout;
    QTabWidget* tabs;
    MyCharts* bestLine;
    MyCharts* distribution;
    MyCharts* curve;
    MyCharts* fourier;

    int points = 0;
    QList<float> errors;
    float offset = 0.0f;
    QList<float> fit;
    mutable QHash<MyCharts*, std::function<void()>> pending;
};
