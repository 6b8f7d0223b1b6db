#include <cmath>
#include <limits>

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTabWidget>
#include <QValueAxis>
#include <QLegend>
#include <QLegendMarker>
#include <QtTest>

#include "calibrationentity.h"
#include "calibrationwork.h"
#include "chineseconfig.h"
#include "language.h"
#include "mycharts.h"
#include "testworkdir.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

QValueAxis* axis(QChart* chart, Qt::Orientation orientation) {
    return static_cast<QValueAxis*>(chart->axes(orientation).first());
}

QXYSeries* series(QChart* chart, int index) {
    return static_cast<QXYSeries*>(chart->series().at(index));
}

QList<double> ys(QXYSeries* s) {
    QList<double> list;
    for (const QPointF& p : s->points()) list << p.y();
    return list;
}
}  // namespace

class TestMyCharts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void stepTicksAndLastPoint();
    void readingsAreSortedFirst();
    void errorRangeKeepsZero_data();
    void errorRangeKeepsZero();
    void titleCarriesMaxInl();
    void singleHarmonicFit();
    void fourierRangeHasMargin();
    void roundTicksAndTrueLegend();
    void shortCoefficientList();
    void notANumberNeverReachesAnAxis();
    void resultPageTabs_data();
    void resultPageTabs();
    void testPageUsesItsMaximum();
    void csvExport();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestMyCharts::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
}

void TestMyCharts::stepTicksAndLastPoint() {
    QCOMPARE(MyCharts::step(256), 1.40625f);
    MyCharts chart;
    chart.drawErrorCurve(256, QList<float>(256, 0.01f), 0.0f, 0.0f);
    QXYSeries* s = series(chart.chart(), 0);
    QCOMPARE(s->count(), 256);
    QCOMPARE(s->points().last().x(), 358.59375);
    QCOMPARE(axis(chart.chart(), Qt::Horizontal)->tickCount(), 32);
    QCOMPARE(axis(chart.chart(), Qt::Vertical)->tickCount(), 32);
    QCOMPARE(axis(chart.chart(), Qt::Horizontal)->min(), -10.0);
}

void TestMyCharts::readingsAreSortedFirst() {
    QList<float> error;
    float offset = 1.0f;
    MyCharts::errorsFromReadings(4, {90.5f, 0.0f, 269.5f, 180.0f}, error, offset);
    QCOMPARE(error, (QList<float>{0.0f, 0.5f, 0.0f, -0.5f}));
    QCOMPARE(offset, 0.0f);
    MyCharts chart;
    chart.drawErrorCurve(4, error, 0.5f, offset);
    QCOMPARE(ys(series(chart.chart(), 0)), (QList<double>{0.0, 0.5, 0.0, -0.5}));
}

void TestMyCharts::errorRangeKeepsZero_data() {
    QTest::addColumn<QList<float>>("error");
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addRow("all positive") << QList<float>{0.25f, 0.5f, 0.125f, 0.375f} << 0.0 << 0.5;
    QTest::addRow("all negative") << QList<float>{-0.25f, -0.5f, -0.125f, -0.375f} << -0.5 << 0.0;
}

void TestMyCharts::errorRangeKeepsZero() {
    QFETCH(QList<float>, error);
    QFETCH(double, lo);
    QFETCH(double, hi);
    MyCharts chart;
    chart.drawErrorDistribution(int(error.size()), error, 0.0f, 0.0f);
    QVERIFY(qobject_cast<QScatterSeries*>(chart.chart()->series().first()));
    QCOMPARE(axis(chart.chart(), Qt::Vertical)->min(), lo);
    QCOMPARE(axis(chart.chart(), Qt::Vertical)->max(), hi);
}

void TestMyCharts::titleCarriesMaxInl() {
    MyCharts chart;
    chart.drawErrorCurve(16, QList<float>(16, 0.0f), 0.0123f, 0.0f);
    QCOMPARE(chart.chart()->title(), QString("角度误差曲线(Max INL:0.0123°)"));
    chart.drawErrorDistribution(16, QList<float>(16, 0.0f), 0.0123f, 0.0f);
    QCOMPARE(chart.chart()->title(), QString("角度误差分布(Max INL:0.0123°)"));
}

void TestMyCharts::singleHarmonicFit() {
    QList<float> c(8, 0.0f);
    c[1] = float(kPi / 180.0);
    const QList<float> fit = MyCharts::fourierFit(c, 360);
    QCOMPARE(fit.size(), 360);
    for (int i : {0, 30, 90, 180, 270})
        QVERIFY2(std::abs(fit.at(i) - std::sin(i * kPi / 180.0)) < 1e-5,
                 qPrintable(QString::number(i)));
    MyCharts chart;
    chart.drawFourierFit(c, 360, 0.0f, QList<float>(360, 0.0f));
    QCOMPARE(chart.chart()->title(), QString("曲线拟合对比"));
    QCOMPARE(chart.chart()->series().size(), 2);
    QCOMPARE(chart.chart()->series().at(0)->name(), QString("傅里叶拟合曲线"));
    QCOMPARE(chart.chart()->series().at(1)->name(), QString("角度误差曲线"));
}

void TestMyCharts::fourierRangeHasMargin() {
    QList<float> c(8, 0.0f);
    c[1] = float(kPi / 180.0);  // fit between -1 and 1
    MyCharts chart;
    chart.drawFourierFit(c, 4, 0.5f, {3.5f, 0.5f, 0.5f, 0.5f});  // error up to 3
    // A tenth of the plotted span (-1 … 3) on each side.
    QCOMPARE(axis(chart.chart(), Qt::Vertical)->min(), -1.0 - 0.4);
    QCOMPARE(axis(chart.chart(), Qt::Vertical)->max(), 3.0 + 0.4);
    // A curve of thousandths of a degree fills the plot instead of lying flat on its middle.
    QList<float> small(8, 0.0f);
    small[1] = float(0.007 * kPi / 180.0);
    QList<float> error;
    for (int i = 0; i < 256; ++i) error << float(0.006 * std::sin(i * 2 * kPi / 256));
    chart.drawFourierFit(small, 256, 0.0f, error);
    QValueAxis* y = axis(chart.chart(), Qt::Vertical);
    QVERIFY(y->max() - y->min() < 0.02);
    QVERIFY(y->max() >= 0.007 && y->min() <= -0.007);
}

void TestMyCharts::roundTicksAndTrueLegend() {
    MyCharts chart;
    chart.drawBestLine(256, QList<float>(256, 0.001f), 0.001f);
    for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
        QValueAxis* a = axis(chart.chart(), o);
        QCOMPARE(a->tickType(), QValueAxis::TicksDynamic);
        QVERIFY(std::abs(a->tickAnchor()) < 1e-3);  // at 0, bar a hair against rounding
        QCOMPARE(a->tickInterval(), 20.0);          // 0, 20, 40 … instead of 370 / 31 steps
    }
    // All three series, in order, each in its own colour; the legend shows those colours.
    const QList<QAbstractSeries*> all = chart.chart()->series();
    QCOMPARE(all.size(), 3);
    QSet<QRgb> colours;
    for (QAbstractSeries* s : all) {
        const QColor colour = static_cast<QXYSeries*>(s)->pen().color();
        colours << colour.rgb();
        const QList<QLegendMarker*> markers = chart.chart()->legend()->markers(s);
        QCOMPARE(markers.size(), 1);
        QCOMPARE(markers.first()->brush().color().rgb(), colour.rgb());
    }
    QCOMPARE(colours.size(), 3);
    // Drawn one above the other, each narrower than the one below, so none hides the others.
    QVERIFY(series(chart.chart(), 0)->pen().widthF() > series(chart.chart(), 1)->pen().widthF());
    QVERIFY(series(chart.chart(), 1)->pen().widthF() > series(chart.chart(), 2)->pen().widthF());
    QCOMPARE(series(chart.chart(), 2)->pen().style(), Qt::DashLine);
}

void TestMyCharts::shortCoefficientList() {
    MyCharts chart;
    chart.drawFourierFit({0.1f, 0.2f, 0.3f}, 8, 0.0f, QList<float>(8, 0.25f));
    QCOMPARE(chart.chart()->series().size(), 1);
    QCOMPARE(chart.chart()->series().first()->name(), QString("角度误差曲线"));
    QVERIFY(chart.chart()->title().contains("未收到傅里叶系数"));
    QVERIFY(MyCharts::fourierFit({0.1f, 0.2f, 0.3f}, 8).isEmpty());
}

void TestMyCharts::notANumberNeverReachesAnAxis() {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const QList<float> error{0.5f, nan, -inf, 0.25f};
    MyCharts chart;
    for (int kind = 0; kind < 3; ++kind) {
        if (kind == 0)
            chart.drawErrorCurve(4, error, nan, 0.0f);
        else if (kind == 1)
            chart.drawErrorDistribution(4, error, inf, 0.0f);
        else
            chart.drawFourierFit({nan, 0, 0, 0, 0, 0, 0, 0}, 4, 0.0f, error);
        QValueAxis* y = axis(chart.chart(), Qt::Vertical);
        QVERIFY(std::isfinite(y->min()) && std::isfinite(y->max()));
        for (QAbstractSeries* s : chart.chart()->series())
            for (const QPointF& p : static_cast<QXYSeries*>(s)->points())
                QVERIFY(std::isfinite(p.y()));
    }
    QCOMPARE(axis(chart.chart(), Qt::Vertical)->max(), 0.5 + 0.05);
}

void TestMyCharts::resultPageTabs_data() {
    QTest::addColumn<int>("encoderType");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("tabs");
    QTest::addRow("ZEK_ENCODER") << 250 << "最终校验" << 4;
    QTest::addRow("ZEK_MT6826S") << 251 << "NLC校准" << 3;
    QTest::addRow("ZEK_MT6835G") << 252 << "NLC校准" << 3;
}

void TestMyCharts::resultPageTabs() {
    QFETCH(int, encoderType);
    QFETCH(QString, title);
    QFETCH(int, tabs);
    CalibrationEntity record(nullptr, 16, 2048, 0.1f, encoderType);
    QList<float> curve;
    for (int i = 0; i < 16; ++i) curve << i * 22.5f + 0.01f;
    record.setInlCurve("FINAL", curve);
    record.setPhaseCoefficients("FINAL", QList<float>(8, 0.001f));
    QString shown;
    std::unique_ptr<CalibrationWork> work(
        CalibrationWork::forPage("FINAL", &record, nullptr, &shown));
    QCOMPARE(shown, title);
    QCOMPARE(work->tabWidget()->count(), tabs);
    QStringList names;
    for (int i = 0; i < work->tabWidget()->count(); ++i) names << work->tabWidget()->tabText(i);
    QCOMPARE(names.contains("傅里叶拟合"), tabs == 4);
    QCOMPARE(names.first(), QString("编码器误差分析"));
}

void TestMyCharts::testPageUsesItsMaximum() {
    CalibrationEntity record(nullptr, 16, 2048, 0.1f, 250);
    record.setTestMaxInl({0.01f, 0.0234f, 0.03f, 0.04f});
    QString title;
    std::unique_ptr<CalibrationWork> work(
        CalibrationWork::forPage("SECOND", &record, nullptr, &title));
    QCOMPARE(title, QString("第二次测试"));
    QCOMPARE(work->curveChart()->chart()->title(), QString("角度误差曲线(Max INL:0.0234°)"));
    QCOMPARE(work->distributionChart()->chart()->title(), QString("角度误差分布(Max INL:0.0234°)"));
    QCOMPARE(work->tabWidget()->count(), 3);
}

void TestMyCharts::csvExport() {
    TestWorkDir dir;
    CalibrationWork work;
    QList<float> c(8, 0.0f);
    c[1] = float(kPi / 180.0);
    work.showCalibrationCharts(4, {1.5f, 2.5f, 0.5f, 1.5f}, c, 1.0f, 1.5f);
    const QString path = dir.filePath("phase.csv");
    QVERIFY(work.exportCsv(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.at(0),
             QByteArray("point,reference_deg,error_deg,best_line_error_deg,fourier_fit_deg"));
    QCOMPARE(lines.at(1), QByteArray("0,0,1.5,0,0"));
    QCOMPARE(lines.at(2), QByteArray("1,90,2.5,1,1"));
    QCOMPARE(lines.at(4).left(13), QByteArray("3,270,1.5,0,-"));
    QCOMPARE(lines.size(), 6);  // a header, four points, the final newline

    // Measured angles: no fit column. The chart on show goes out as a PNG.
    work.showMeasuredCharts(4, {0.0f, 90.5f, 180.0f, 269.5f}, 0.5f);
    QVERIFY(!work.csv().contains("fourier"));
    QVERIFY(work.saveChartPng(dir.filePath("chart.png")));
    QVERIFY(QImage(dir.filePath("chart.png")).width() > 0);
    // A folder that does not exist leaves nothing behind and says so.
    QString error;
    QVERIFY(!work.exportCsv(dir.filePath("missing/phase.csv"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestMyCharts)
#include "tst_mycharts.moc"
