#include "reportexport.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include "reportrecords.h"
#include "baidutranslate.h"
#include "calibrationentity.h"
#include "reportwriter.h"
#include "resultreport.h"

void ReportExport::install() {
    ResultReport::setExporter(&ReportExport::exportFrom);
}

ReportExport* ReportExport::start(const ReportInput& input, const QString& path, QObject* parent) {
    auto* job = new ReportExport(parent);
    const QByteArray pdf = ReportWriter::render(input);
    auto* watcher = new QFutureWatcher<QString>(job);
    connect(watcher, &QFutureWatcher<QString>::finished, job, [job, watcher, path] {
        const QString error = watcher->result();
        emit job->finished(error.isEmpty(), path, error);
        job->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run([pdf, path]() -> QString {
        if (pdf.isEmpty())
            return QStringLiteral("the report could not be drawn");
        QString error;
        if (!ReportWriter::save(pdf, path, &error))
            return error.isEmpty() ? QStringLiteral("cannot write %1").arg(path) : error;
        return QString();
    }));
    return job;
}

void ReportExport::exportFrom(QWidget* parent, const CalibrationEntity* record, bool test) {
    ReportInput input =
        ReportInput::fromEntity(record, test ? ReportInput::Test : ReportInput::Calibration);
    input.runTime = record->property(runTimeProperty).toDateTime();
    const QDateTime stamp = input.runTime.isValid() ? input.runTime : QDateTime::currentDateTime();
    const QString name = (input.serial.isEmpty() ? input.deviceTypeName() : input.serial) +
                         stamp.toString(QStringLiteral("-yyyyMMdd-HHmmss")) +
                         QStringLiteral(".pdf");
    QString path = QFileDialog::getSaveFileName(parent, translated("导出报告"), name,
                                                QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    startAndTell(input, path, parent);
}

void ReportExport::startAndTell(const ReportInput& input, const QString& path, QWidget* parent) {
    QPointer<QWidget> owner(parent);
    ReportExport* job = start(input, path, parent);
    connect(job, &ReportExport::finished, job,
            [owner](bool ok, const QString& file, const QString& error) {
                if (ok)
                    QMessageBox::information(owner, translated("导出报告"),
                                             translated("报告已保存：") + file);
                else
                    QMessageBox::warning(owner, translated("警告"),
                                         translated("保存失败：") + error);
            });
}

void ReportExport::exportStored(QWidget* parent, const QString& recordId,
                                const QString& suggestedName) {
    QString path = QFileDialog::getSaveFileName(parent, translated("导出报告"),
                                                suggestedName + QStringLiteral(".pdf"),
                                                QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    // The record is read from the database off the window's thread, on a connection of its own.
    struct Loaded {
        bool ok = false;
        ReportInput input;
        QString error;
    };
    auto* watcher = new QFutureWatcher<Loaded>(parent);
    QPointer<QWidget> owner(parent);
    connect(watcher, &QFutureWatcher<Loaded>::finished, watcher, [watcher, owner, path] {
        const Loaded loaded = watcher->result();
        watcher->deleteLater();
        if (!owner)
            return;
        if (!loaded.ok) {
            QMessageBox::warning(owner, translated("警告"),
                                 translated("无法导出报告") + QStringLiteral("\n") + loaded.error);
            return;
        }
        startAndTell(loaded.input, path, owner);
    });
    watcher->setFuture(QtConcurrent::run([recordId] {
        Loaded loaded;
        RecordQuery query;
        query.recordId = recordId;
        loaded.ok = ReportRecords::load(query, &loaded.input, &loaded.error);
        return loaded;
    }));
}
