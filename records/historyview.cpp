#include "historyview.h"

#include <QMenu>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include "baidutranslate.h"
#include "calibrationentity.h"
#include "calibrationwork.h"
#include "recordreader.h"

namespace {
QString outcomeText(const QString& outcome) {
    if (outcome == QLatin1String(ProductionRecord::kGood))
        return translated("合格");
    if (outcome == QLatin1String(ProductionRecord::kBad))
        return translated("不合格");
    return translated("失败");
}
}  // namespace

HistoryModel::HistoryModel(RecordReader* reader, QObject* parent)
    : QAbstractTableModel(parent), reader(reader) {
    connect(reader, &RecordReader::pageReady, this, &HistoryModel::pageReady);
}

void HistoryModel::setFilter(const RecordStore::Filter& filter) {
    beginResetModel();
    current = filter;
    rows.clear();
    lastSeq = 0;
    atEnd = false;
    pending = true;
    ++token;
    endResetModel();
    reader->requestPage(token, current, kPage, {}, true);
}

void HistoryModel::pageReady(int answer, const QList<ProductionRecord>& page,
                             const QList<qint64>& seqs, const QString& error) {
    if (answer != token)
        return;  // the filter changed meanwhile
    pending = false;
    if (!error.isEmpty()) {
        atEnd = true;
        emit pageLoaded(int(rows.size()), error);
        return;
    }
    atEnd = page.size() < kPage;
    if (!page.isEmpty()) {
        beginInsertRows(QModelIndex(), int(rows.size()), int(rows.size() + page.size()) - 1);
        rows << page;
        lastSeq = seqs.last();
        endInsertRows();
    }
    emit pageLoaded(int(rows.size()), QString());
}

bool HistoryModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !atEnd && !pending && !rows.isEmpty();
}

void HistoryModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    pending = true;
    reader->requestPage(token, current, kPage, RecordStore::cursorAfter(rows.last(), lastSeq),
                        false);
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const char* const titles[] = {"开始时间", "编码器序列号", "任务", "结果",
                                         "工位",     "设备",         "结果说明"};
    return translated(titles[section]);
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows.size())
        return QVariant();
    const ProductionRecord& r = rows.at(index.row());
    if (role == Qt::ForegroundRole) {
        if (r.outcome == QLatin1String(ProductionRecord::kFailed))
            return QColor(0xEF, 0x53, 0x50);
        if (r.outcome == QLatin1String(ProductionRecord::kBad))
            return QColor(0xFF, 0xA7, 0x26);
        return QVariant();
    }
    if (role == Qt::ToolTipRole && index.column() == Result)
        return r.resultText;
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
        case Started:
            return r.startedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case Serial:
            return r.serial;
        case Job:
            return r.job;
        case Outcome:
            return outcomeText(r.outcome);
        case Station:
            return r.station;
        case Device:
            return r.deviceName;
        case Result:
            return r.resultText;
    }
    return QVariant();
}

HistoryView::HistoryView(const RecordSettings& settings, QWidget* parent)
    : QWidget(parent),
      reader(new RecordReader(settings, this)),
      table(new HistoryModel(reader, this)),
      tableView(new QTableView(this)),
      serial(new QLineEdit(this)),
      sinceOn(new QCheckBox(translated("从"), this)),
      since(new QDateEdit(QDate::currentDate().addDays(-7), this)),
      untilOn(new QCheckBox(translated("到"), this)),
      until(new QDateEdit(QDate::currentDate(), this)),
      job(new QComboBox(this)),
      outcome(new QComboBox(this)),
      station(new QLineEdit(this)),
      searchButton(new QPushButton(translated("查询"), this)),
      exportButton(new QPushButton(translated("导出CSV"), this)),
      status(new QLabel(this)) {
    setObjectName(QStringLiteral("historyView"));
    serial->setObjectName(QStringLiteral("historySerial"));
    serial->setPlaceholderText(translated("编码器序列号"));
    station->setPlaceholderText(translated("工位"));
    for (QDateEdit* d : {since, until}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setEnabled(false);
    }
    connect(sinceOn, &QCheckBox::toggled, since, &QWidget::setEnabled);
    connect(untilOn, &QCheckBox::toggled, until, &QWidget::setEnabled);
    job->addItem(translated("全部任务"), QString());
    for (const QString& kind : ProductionRecord::jobKinds()) job->addItem(kind, kind);
    outcome->addItem(translated("全部结果"), QString());
    for (const QString& o : ProductionRecord::outcomes()) outcome->addItem(outcomeText(o), o);

    auto* grid = new QGridLayout(this);
    auto* filters = new QHBoxLayout;
    filters->addWidget(serial, 2);
    filters->addWidget(sinceOn);
    filters->addWidget(since);
    filters->addWidget(untilOn);
    filters->addWidget(until);
    filters->addWidget(job);
    filters->addWidget(outcome);
    filters->addWidget(station, 1);
    filters->addWidget(searchButton);
    filters->addWidget(exportButton);
    grid->addLayout(filters, 0, 0);
    tableView->setModel(table);
    tableView->setObjectName(QStringLiteral("historyTable"));
    tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableView->verticalHeader()->hide();
    tableView->verticalHeader()->setDefaultSectionSize(24);
    tableView->horizontalHeader()->setStretchLastSection(true);
    tableView->setWordWrap(false);
    tableView->setAlternatingRowColors(true);
    serial->setMinimumWidth(160);
    station->setMinimumWidth(90);
    // The style sheet's padding is not counted by the combo boxes' own size hint.
    job->setMinimumWidth(120);
    outcome->setMinimumWidth(110);
    const int widths[] = {150, 150, 110, 70, 90, 130};
    for (int c = 0; c < 6; ++c) tableView->setColumnWidth(c, widths[c]);
    grid->addWidget(tableView, 1, 0);
    grid->addWidget(status, 2, 0);

    // A scanner ends its code with Enter: that runs the query.
    connect(serial, &QLineEdit::returnPressed, this, &HistoryView::refresh);
    connect(station, &QLineEdit::returnPressed, this, &HistoryView::refresh);
    connect(searchButton, &QPushButton::clicked, this, &HistoryView::refresh);
    connect(tableView, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openCharts(index.row()); });
    // A calibration's or test's row makes its PDF report.
    tableView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tableView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int row = tableView->indexAt(at).row();
        if (row < 0 || row >= table->rowCount())
            return;
        const ProductionRecord& r = table->record(row);
        const QString id = r.id;
        const QString name = (r.serial.isEmpty() ? r.job : r.serial) +
                             r.startedAt.toLocalTime().toString(QStringLiteral("-yyyyMMdd-HHmmss"));
        QMenu menu(this);
        QAction* report = menu.addAction(translated("导出报告"));
        report->setEnabled(r.job == QLatin1String("calibrate") || r.job == QLatin1String("test"));
        connect(report, &QAction::triggered, this, [this, id, name] { emit exportReport(id, name); });
        menu.exec(tableView->viewport()->mapToGlobal(at));
    });
    connect(table, &HistoryModel::pageLoaded, this, [this](int total, const QString& error) {
        if (!error.isEmpty())
            status->setText(translated("无法读取生产记录：") + error);
        else
            status->setText(translated("已载入 %1 条记录").arg(total) +
                            (table->canFetchMore(QModelIndex()) ? translated("（滚动载入更多）")
                                                                : QString()));
    });
    connect(reader, &RecordReader::recordReady, this, &HistoryView::recordReady);
    connect(reader, &RecordReader::exported, this,
            [this](bool ok, int rows, const QString& message) {
                exportButton->setEnabled(true);
                status->setText(ok ? translated("已导出 %1 条记录").arg(rows)
                                   : translated("导出失败：") + message);
                if (!ok)
                    emit showMsg(int(QMessageBox::Warning), translated("导出失败：") + message);
                emit exportFinished(ok, rows, message);
            });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        auto* dialog = new QFileDialog(this, translated("导出CSV"), QString(),
                                       QStringLiteral("CSV (*.csv)"));
        dialog->setObjectName(QStringLiteral("historyExportDialog"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setDefaultSuffix(QStringLiteral("csv"));
        connect(dialog, &QFileDialog::fileSelected, this, &HistoryView::exportCsv);
        dialog->open();
    });
    refresh();
}

HistoryView::~HistoryView() = default;

RecordStore::Filter HistoryView::filterFromInputs() const {
    RecordStore::Filter f;
    f.serial = serial->text().trimmed();
    f.station = station->text().trimmed();
    f.job = job->currentData().toString();
    f.outcome = outcome->currentData().toString();
    // The dates are the operator's local days; the records keep UTC.
    if (sinceOn->isChecked())
        f.since = since->date().startOfDay().toUTC();
    if (untilOn->isChecked())
        f.until = until->date().addDays(1).startOfDay().toUTC();
    return f;
}

void HistoryView::refresh() {
    status->setText(translated("正在查询..."));
    table->setFilter(filterFromInputs());
}

void HistoryView::exportCsv(const QString& path) {
    if (path.isEmpty())
        return;
    exportButton->setEnabled(false);
    status->setText(translated("正在导出..."));
    reader->requestExport(table->filter(), path);
}

void HistoryView::openCharts(int row) {
    if (row < 0 || row >= table->rowCount())
        return;
    const ProductionRecord& r = table->record(row);
    if (r.job != QLatin1String("calibrate") && r.job != QLatin1String("test")) {
        status->setText(translated("只有校准和测试记录有曲线。"));
        return;
    }
    // The list holds no curves: the record is fetched whole, off this thread.
    reader->requestRecord(++chartToken, r.id);
}

void HistoryView::recordReady(int token, const ProductionRecord& record, const QString& error) {
    if (token != chartToken)
        return;
    if (!error.isEmpty() || !record.isValid()) {
        emit showMsg(int(QMessageBox::Warning), translated("无法读取生产记录：") + error);
        return;
    }
    CalibrationEntity* entity = record.toCalibrationEntity();
    if (!entity)
        return;
    const QString who = record.serial.isEmpty() ? record.startedAt.toLocalTime().toString(
                                                      QStringLiteral("yyyy-MM-dd HH:mm"))
                                                : record.serial;
    for (const QString& key : record.curveKeys()) {
        QString title;
        CalibrationWork* view = CalibrationWork::forPage(key, entity, nullptr, &title);
        emit showCharts(who + QStringLiteral(" ") + title, view);
    }
    delete entity;
}
