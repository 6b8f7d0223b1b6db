#include "reportwriter.h"

#include <cmath>
#include <memory>

#include <QAbstractAxis>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QScatterSeries>
#include <QTabWidget>
#include <QValueAxis>

#include "baidutranslate.h"
#include "calibrationentity.h"
#include "calibrationrecord.h"
#include "calibrationwork.h"
#include "mycharts.h"
#include "pdftextfix.h"
#include "reportinput.h"

namespace {
constexpr int kDpi = 300;
constexpr double kPageWidth = 210.0;  // A4, millimetres
constexpr double kPageHeight = 297.0;
constexpr double kMargin = 15.0;
constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kFooterTop = kPageHeight - kMargin - 9.0;
// The width the charts are laid out at, in the result view's pixels: about what a chart tab
// shows on screen, so labels and markers keep their proportions.
constexpr double kChartWidth = 900.0;
// The printed axes show a dozen labels at most (see printStyle).
constexpr int kTickLimit = 13;
constexpr double kChartBlockHeight = 122.0;  // caption and chart, millimetres

const QColor kGood(0, 128, 0);
const QColor kBad(200, 0, 0);
const QColor kRule(150, 150, 150);
const QColor kShade(235, 235, 235);

double mm(double v) {
    return v * kDpi / 25.4;
}

QRectF mmRect(double x, double y, double w, double h) {
    return QRectF(mm(x), mm(y), mm(w), mm(h));
}

// Latin text in a Latin font, Chinese by fallback: with a CJK font for every character Qt's
// PDF writer leaves the digits out of the text a reader extracts (serials and INL values
// vanish from searches and copies), though they show on the page.
QFont reportFont(double points, bool bold = false) {
    QFont font(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
                           QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(points);
    font.setBold(bold);
    // Hinting snaps outlines to the 300 dpi grid; the PDF is scaled by the viewer.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Without shaping no ligature joins "ff" or "fi" in a digest or a serial: a ligature is
    // extracted as one character (U+FB00), and the search for the digest fails.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// An operator text in the program's language.
QString shown(const char* text) {
    return translated(text);
}

QString verdictText(bool good) {
    return good ? shown("合格") : shown("不合格");
}

struct ChartItem {
    QString caption;
    MyCharts* chart;
};

// The names the result pages give the phases.
QString phaseTitle(const ReportInput& in, const QString& key) {
    static const QMap<QString, std::pair<const char*, const char*>> names{
        {"ROUGH", {"粗校准", "校准前"}},          {"FINE", {"精校准", "自校准"}},
        {"FINAL", {"最终校验", "NLC校准"}},       {"FIRST", {"第一次测试", "第一次测试"}},
        {"SECOND", {"第二次测试", "第二次测试"}}, {"THIRD", {"第三次测试", "第三次测试"}},
        {"FOURTH", {"第四次测试", "第四次测试"}}};
    const auto name = names.value(key);
    return shown(in.selfCalibrating() ? name.second : name.first);
}

// The screen's charts in print colours: white ground, black text, and a dark dashed best line
// (on screen it fades to white, which paper would not show).
void printStyle(QChart* chart) {
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundPen(QPen(kRule, 1));
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setTitleBrush(Qt::black);
    chart->setTitleFont(reportFont(11, true));
    chart->legend()->setLabelColor(Qt::black);
    chart->legend()->setFont(reportFont(9));
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsBrush(Qt::black);
        axis->setLabelsFont(reportFont(8));
        axis->setTitleBrush(Qt::black);
        axis->setTitleFont(reportFont(9));
        axis->setLinePenColor(QColor(60, 60, 60));
        // One label per reference point group crowds a printed axis: the range stays, the
        // labels thin out to what a reader can tell apart.
        if (auto* value = qobject_cast<QValueAxis*>(axis)) {
            if (value->max() - value->min() >= 180.0) {
                value->setTickType(QValueAxis::TicksDynamic);
                value->setTickAnchor(0.0);
                value->setTickInterval(30.0);
            } else {
                // Round steps over a range that still holds every point.
                value->setTickCount(9);
                value->applyNiceNumbers();
            }
        }
    }
    for (QAbstractSeries* series : chart->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (line && !qobject_cast<QScatterSeries*>(series) && line->pen().style() == Qt::DashLine)
            line->setPen(QPen(QColor(60, 60, 60), 1.5, Qt::DashLine));
        // The dark theme rims each marker in white: on paper the dense markers of a long run
        // turn into white smudges.
        if (auto* scatter = qobject_cast<QScatterSeries*>(series))
            scatter->setBorderColor(scatter->color());
    }
}

class Document {
public:
    Document(const ReportInput& input, QPdfWriter* writer) : in(input), writer(writer) {}

    int run();

private:
    void footer(int page);
    void firstPage();
    void headerTable(double& y);
    void verdict(double& y);
    void maximaTable(double& y);
    void chartPages();
    void drawChart(const ChartItem& item, double y);
    void text(const QRectF& rect, const QString& s, const QFont& font, int flags,
              const QColor& colour = Qt::black);
    // One table row: cells of the given widths (millimetres) from x, each text aligned as given.
    void row(double x, double y, double h, const QList<double>& widths, const QStringList& cells,
             const QFont& font, bool shaded, const QList<QColor>& colours = {});
    QString title() const;

    const ReportInput& in;
    QPdfWriter* writer;
    QPainter painter;
    int pageCount = 0;
    std::unique_ptr<CalibrationEntity> entity;
    QString digest;
    QList<std::shared_ptr<CalibrationWork>> works;
    QList<ChartItem> charts;
};

QString Document::title() const {
    return in.job == ReportInput::Test ? shown("编码器测试报告") : shown("编码器校准报告");
}

void Document::text(const QRectF& rect, const QString& s, const QFont& font, int flags,
                    const QColor& colour) {
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, flags, s);
}

void Document::row(double x, double y, double h, const QList<double>& widths,
                   const QStringList& cells, const QFont& font, bool shaded,
                   const QList<QColor>& colours) {
    double left = x;
    for (int i = 0; i < widths.size(); ++i) {
        const QRectF cell = mmRect(left, y, widths.at(i), h);
        painter.setPen(QPen(kRule, mm(0.2)));
        painter.setBrush(shaded ? QBrush(kShade) : QBrush(Qt::NoBrush));
        painter.drawRect(cell);
        const QRectF inner = cell.adjusted(mm(1.5), 0, -mm(1.5), 0);
        text(inner, cells.value(i), font,
             Qt::AlignVCenter | (i == 0 ? Qt::AlignLeft : Qt::AlignRight),
             colours.value(i, Qt::black));
        left += widths.at(i);
    }
    painter.setBrush(Qt::NoBrush);
}

void Document::footer(int page) {
    const QFont small = reportFont(7.5);
    painter.setPen(QPen(kRule, mm(0.2)));
    painter.drawLine(QPointF(mm(kMargin), mm(kFooterTop)),
                     QPointF(mm(kPageWidth - kMargin), mm(kFooterTop)));
    const QString id = in.recordId.isEmpty() ? shown("（未入库）") : in.recordId;
    text(mmRect(kMargin, kFooterTop + 1, kContentWidth * 0.7, 4), shown("记录编号：") + id, small,
         Qt::AlignLeft | Qt::AlignVCenter);
    text(mmRect(kMargin + kContentWidth * 0.5, kFooterTop + 1, kContentWidth * 0.5, 4),
         shown("第 %1 页，共 %2 页").arg(page).arg(pageCount), small,
         Qt::AlignRight | Qt::AlignVCenter);
    text(mmRect(kMargin, kFooterTop + 5, kContentWidth, 4),
         shown("记录数据 SHA-256：") + digest, small,
         Qt::AlignLeft | Qt::AlignVCenter, QColor(70, 70, 70));
}

void Document::headerTable(double& y) {
    const QString none = QStringLiteral("—");
    QStringList speeds;
    for (int s : in.testSpeeds) speeds << QString::number(s);
    const QString program = (in.program.isEmpty() ? QStringLiteral("Quelbrin") : in.program) +
                            (in.version.isEmpty() ? QString() : QLatin1Char(' ') + in.version);
    const QList<std::pair<QString, QString>> fields{
        {shown("程序"), program},
        {shown("工位"), in.station.isEmpty() ? none : in.station},
        {shown("运行时间"), in.runTime.isValid() ? in.runTime.toLocalTime().toString(
                                                    QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                              : none},
        {shown("权限"), in.permission.isEmpty() ? none : in.permission},
        {shown("编码器型号"), QStringLiteral("%1 (%2)").arg(in.deviceTypeName()).arg(in.encoderType)},
        {shown("序列号"), in.serial.isEmpty() ? none : in.serial},
        {shown("参考点数"), QString::number(in.pointNum)},
        {shown("对拖编码器线数"), QString::number(in.encoderLine)},
        {shown("校准速度"), QString::number(in.calibrationSpeed) + QStringLiteral(" rpm")},
        {shown("测试速度"),
         speeds.isEmpty() ? none : speeds.join(QStringLiteral(", ")) + QStringLiteral(" rpm")},
        {shown("INL阈值"), ReportWriter::inlText(in.targetInl)},
        {shown("记录编号"), in.recordId.isEmpty() ? shown("（未入库）") : in.recordId},
    };
    const QFont label = reportFont(9, true);
    const QFont value = reportFont(9);
    const double h = 7.0;
    const double labelWidth = 30.0;
    const double half = kContentWidth / 2;
    for (int i = 0; i < fields.size(); i += 2) {
        for (int c = 0; c < 2; ++c) {
            const auto& f = fields.at(i + c);
            const double x = kMargin + c * half;
            painter.setPen(QPen(kRule, mm(0.2)));
            painter.setBrush(kShade);
            painter.drawRect(mmRect(x, y, labelWidth, h));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(mmRect(x + labelWidth, y, half - labelWidth, h));
            text(mmRect(x + 1.5, y, labelWidth - 3, h), f.first, label,
                 Qt::AlignLeft | Qt::AlignVCenter);
            // Long values (a host name, a record id) shrink rather than run out of the cell.
            QFont fitted = value;
            const QRectF cell = mmRect(x + labelWidth + 1.5, y, half - labelWidth - 3, h);
            while (fitted.pointSizeF() > 5.5 &&
                   QFontMetricsF(fitted, writer).horizontalAdvance(f.second) > cell.width())
                fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
            text(cell, f.second, fitted, Qt::AlignLeft | Qt::AlignVCenter);
        }
        y += h;
    }
}

void Document::verdict(double& y) {
    const bool good = in.rigVerdict;
    const QColor colour = good ? kGood : kBad;
    const double h = 30.0;
    painter.setPen(QPen(colour, mm(0.8)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(mmRect(kMargin, y, kContentWidth, h));
    text(mmRect(kMargin, y, 70, h), verdictText(good), reportFont(34, true), Qt::AlignCenter,
         colour);
    const QFont line = reportFont(10);
    const double x = kMargin + 72;
    const double w = kContentWidth - 74;
    text(mmRect(x, y + 4, w, 7), shown("工装判定：") + verdictText(in.rigVerdict), line,
         Qt::AlignLeft | Qt::AlignVCenter);
    text(mmRect(x, y + 11.5, w, 7),
         shown("判定依据：最大INL与INL阈值 ") + ReportWriter::inlText(in.targetInl) + shown(" 比较"),
         line, Qt::AlignLeft | Qt::AlignVCenter);
    if (!in.resultText.isEmpty())
        text(mmRect(x, y + 19, w, 7), in.resultText, line, Qt::AlignLeft | Qt::AlignVCenter);
    y += h;
}

void Document::maximaTable(double& y) {
    const QFont head = reportFont(9, true);
    const QFont body = reportFont(9);
    const double h = 7.0;
    const auto comparison = [&](float value) -> std::pair<QString, QColor> {
        if (!std::isfinite(value))
            return {QStringLiteral("—"), Qt::black};
        return value < in.targetInl ? std::make_pair(shown("低于阈值"), kGood)
                                    : std::make_pair(shown("达到或超出阈值"), kBad);
    };
    text(mmRect(kMargin, y, kContentWidth, 8), shown("最大INL与INL阈值"), reportFont(11, true),
         Qt::AlignLeft | Qt::AlignVCenter);
    y += 9;
    if (in.job == ReportInput::Test) {
        const QList<double> widths{40, 35, 35, 35, 35};
        row(kMargin, y, h, widths,
            {shown("测试"), shown("测试速度 (rpm)"), shown("最大INL"), shown("INL阈值"), shown("比较")}, head,
            true);
        y += h;
        const QStringList keys = ReportInput::phaseKeys(ReportInput::Test);
        double sum = 0.0;
        for (int i = 0; i < keys.size(); ++i) {
            const float value = in.testMaxInl.value(i, 0.0f);
            sum += double(value);
            const auto [verdictWord, colour] = comparison(value);
            const bool measured = !in.inlCurves.value(keys.at(i)).isEmpty();
            row(kMargin, y, h, widths,
                {phaseTitle(in, keys.at(i)),
                 in.testSpeeds.size() > i ? QString::number(in.testSpeeds.at(i))
                                          : QStringLiteral("—"),
                 measured ? ReportWriter::inlText(value) : shown("无数据"),
                 ReportWriter::inlText(in.targetInl), measured ? verdictWord : QStringLiteral("—")},
                body, false,
                {Qt::black, Qt::black, Qt::black, Qt::black, measured ? colour : Qt::black});
            y += h;
        }
        // The test result view's figure: the mean of the four maxima.
        const float mean = float(sum / double(keys.size()));
        const auto [verdictWord, colour] = comparison(mean);
        row(kMargin, y, h, widths,
            {shown("测试后INL（平均）"), QString(), ReportWriter::inlText(mean),
             ReportWriter::inlText(in.targetInl), verdictWord},
            head, false, {Qt::black, Qt::black, Qt::black, Qt::black, colour});
        y += h;
    } else {
        const QList<double> widths{60, 40, 40, 40};
        row(kMargin, y, h, widths, {shown("阶段"), shown("最大INL"), shown("INL阈值"), shown("比较")}, head,
            true);
        y += h;
        for (const QString& key : ReportInput::phaseKeys(ReportInput::Calibration)) {
            const bool measured = !in.inlCurves.value(key).isEmpty();
            const float value = in.phaseMaxInl.value(key, 0.0f);
            const auto [verdictWord, colour] = comparison(value);
            row(kMargin, y, h, widths,
                {phaseTitle(in, key), measured ? ReportWriter::inlText(value) : shown("无数据"),
                 ReportWriter::inlText(in.targetInl), measured ? verdictWord : QStringLiteral("—")},
                body, false, {Qt::black, Qt::black, Qt::black, measured ? colour : Qt::black});
            y += h;
        }
    }
}

void Document::firstPage() {
    double y = kMargin;
    text(mmRect(kMargin, y, kContentWidth, 12), title(), reportFont(20, true),
         Qt::AlignLeft | Qt::AlignVCenter);
    y += 15;
    headerTable(y);
    y += 6;
    verdict(y);
    y += 8;
    if (!in.hasCurves()) {
        // A failed run leaves no curves: the report says so instead of showing empty charts.
        const double h = 22.0;
        painter.setPen(QPen(kBad, mm(0.4)));
        painter.drawRect(mmRect(kMargin, y, kContentWidth, h));
        text(mmRect(kMargin + 4, y, kContentWidth - 8, h),
             shown("本记录没有测量曲线：运行未完成或失败，没有可报告的INL数据。报告只含运行参数与判定"
                "。"),
             reportFont(10, true), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, kBad);
        y += h + 8;
    }
    maximaTable(y);
    y += 6;
    if (in.hasCurves())
        text(mmRect(kMargin, y, kContentWidth, 12),
             shown("各阶段的图表见后续页面（与结果视图的图表相同）。"), reportFont(9),
             Qt::AlignLeft | Qt::AlignTop, QColor(70, 70, 70));
}

void Document::drawChart(const ChartItem& item, double y) {
    text(mmRect(kMargin, y, kContentWidth, 7), item.caption, reportFont(11, true),
         Qt::AlignLeft | Qt::AlignVCenter);
    QChart* chart = item.chart->chart();
    printStyle(chart);
    // Laid out at the screen's width, in the shape of the space on the page.
    const QRectF target = mmRect(kMargin, y + 8, kContentWidth, kChartBlockHeight - 12);
    chart->resize(kChartWidth, kChartWidth * target.height() / target.width());
    if (chart->layout())
        chart->layout()->activate();
    chart->scene()->render(&painter, target, chart->sceneBoundingRect());
}

void Document::chartPages() {
    int page = 2;
    for (int i = 0; i < charts.size(); i += 2) {
        writer->newPage();
        text(mmRect(kMargin, kMargin - 8, kContentWidth, 6),
             title() + QStringLiteral(" · ") + in.deviceTypeName() +
                 (in.serial.isEmpty() ? QString() : QStringLiteral(" · ") + in.serial),
             reportFont(8), Qt::AlignLeft | Qt::AlignVCenter, QColor(70, 70, 70));
        drawChart(charts.at(i), kMargin);
        if (i + 1 < charts.size())
            drawChart(charts.at(i + 1), kMargin + kChartBlockHeight + 6);
        footer(page++);
    }
}

int Document::run() {
    digest = QString::fromLatin1(in.digest());
    entity.reset(in.toEntity());
    for (const QString& key : in.curveKeys()) {
        QString phase;
        std::shared_ptr<CalibrationWork> work(
            CalibrationWork::forPage(key, entity.get(), nullptr, &phase, kTickLimit));
        works << work;
        const std::pair<MyCharts*, const char*> tabs[] = {
            {work->bestLineChart(), "编码器误差分析"},
            {work->distributionChart(), "角度误差分布"},
            {work->curveChart(), "误差曲线"},
            {work->fourierChart(), "傅里叶拟合"}};
        for (const auto& [chart, name] : tabs)
            // A measured run's view has no Fourier tab: neither has its report.
            if (work->tabWidget()->indexOf(chart->parentWidget()) >= 0)
                charts << ChartItem{phaseTitle(in, key) + QStringLiteral(" — ") + shown(name), chart};
    }
    pageCount = 1 + int(charts.size() + 1) / 2;
    if (!painter.begin(writer))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    firstPage();
    footer(1);
    chartPages();
    painter.end();
    return pageCount;
}
}  // namespace

QString ReportWriter::inlText(float value) {
    return std::isfinite(value) ? QString::number(double(value), 'g', 6) : QStringLiteral("—");
}

int ReportWriter::pages(const ReportInput& input) {
    const int perPhase = input.job == ReportInput::Calibration && !input.selfCalibrating() ? 4 : 3;
    return 1 + (int(input.curveKeys().size()) * perPhase + 1) / 2;
}

QByteArray ReportWriter::render(const ReportInput& input, int* pageCount) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(kDpi);
        writer.setCreator(input.program.isEmpty() ? QStringLiteral("Quelbrin") : input.program);
        writer.setTitle(
            (input.job == ReportInput::Test ? shown("编码器测试报告") : shown("编码器校准报告")) +
            (input.serial.isEmpty() ? QString() : QLatin1Char(' ') + input.serial));
        pages = Document(input, &writer).run();
    }
    if (pageCount)
        *pageCount = pages;
    if (pages <= 0)
        return QByteArray();
    PdfTextFix::apply(pdf);
    return pdf;
}

bool ReportWriter::save(const QByteArray& pdf, const QString& path, QString* error) {
    return CalibrationRecord::writeFile(path, pdf, error);
}

bool ReportWriter::write(const ReportInput& input, const QString& path, QString* error,
                         int* pageCount) {
    const QByteArray pdf = render(input, pageCount);
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("the report could not be drawn");
        return false;
    }
    return save(pdf, path, error);
}
