// "生产记录": the production records in a table, newest first, filtered by serial, date range,
// job kind, outcome and station; pages are fetched as the table scrolls, so a history of any
// length opens at once. Double-clicking a calibration or test record opens its charts from the
// stored curves; the filtered rows export as CSV.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QWidget>

#include "productionrecord.h"
#include "recordsettings.h"
#include "recordstore.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordReader;

// The rows fetched so far; asks the reader for the next page when the view scrolls near the end.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Started, Serial, Job, Outcome, Station, Device, Result, ColumnCount };
    static constexpr int kPage = 200;

    explicit HistoryModel(RecordReader* reader, QObject* parent = nullptr);

    void setFilter(const RecordStore::Filter& filter);
    const RecordStore::Filter& filter() const { return current; }
    const ProductionRecord& record(int row) const { return rows.at(row); }
    bool loading() const { return pending; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // A page arrived (error empty) or could not be read.
    void pageLoaded(int total, QString error);

private:
    void pageReady(int token, const QList<ProductionRecord>& page, const QList<qint64>& seqs,
                   const QString& error);

    RecordReader* reader;
    RecordStore::Filter current;
    QList<ProductionRecord> rows;
    qint64 lastSeq = 0;
    int token = 0;
    bool pending = false;
    bool atEnd = false;
};

class HistoryView : public QWidget {
    Q_OBJECT
public:
    explicit HistoryView(const RecordSettings& settings, QWidget* parent = nullptr);
    ~HistoryView() override;

    HistoryModel* model() const { return table; }
    QTableView* view() const { return tableView; }
    RecordStore::Filter filterFromInputs() const;
    // Runs the query of the filter inputs again (the 查询 button).
    void refresh();
    // Opens the charts of the record in row (a calibration or test record).
    void openCharts(int row);
    void exportCsv(const QString& path);

    QLineEdit* serialInput() const { return serial; }

signals:
    // A result view of a stored record, for a contents tab.
    void showCharts(QString title, QWidget* view);
    void showMsg(int icon, QString message);
    void exportFinished(bool ok, int rows, QString message);
    // The operator asked for the PDF report of a stored calibration or test.
    void exportReport(QString recordId, QString suggestedName);

private:
    void recordReady(int token, const ProductionRecord& record, const QString& error);

    RecordReader* reader;
    HistoryModel* table;
    QTableView* tableView;
    QLineEdit* serial;
    QCheckBox* sinceOn;
    QDateEdit* since;
    QCheckBox* untilOn;
    QDateEdit* until;
    QComboBox* job;
    QComboBox* outcome;
    QLineEdit* station;
    QPushButton* searchButton;
    QPushButton* exportButton;
    QLabel* status;
    int chartToken = 0;
};
