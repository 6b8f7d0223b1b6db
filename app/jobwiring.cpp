#include "jobwiring.h"

#include <QDateTime>
#include <QDebug>
#include <QTabWidget>
#include <QTextEdit>

#include "baidutranslate.h"
#include "bissentity.h"
#include "bisscontroler.h"
#include "calibrationcontroler.h"
#include "calibrationentity.h"
#include "calibrationnavigation.h"
#include "calibrationrecord.h"
#include "calibrationwork.h"
#include "firmwarecontroler.h"
#include "firmwareentity.h"
#include "iapentity.h"
#include "iapcontroler.h"
#include "jobrecorder.h"
#include "mainwindow.h"
#include "permissioncontroller.h"
#include "recordwriter.h"
#include "reportexport.h"
#include "settingswork.h"

namespace {
QMessageBox::Icon iconFor(bool ok) {
    return ok ? QMessageBox::Information : QMessageBox::Warning;
}
}  // namespace

JobWiring::JobWiring(MainWindow* window)
    : QObject(window),
      window(window),
      calibrationControler(new CalibrationControler(this)),
      firmwareControler(new FirmwareControler(this)),
      iapControler(new IapControler(this)),
      bissControler(new BissControler(this)),
      writer(new RecordWriter(RecordSettings::load(), this)),
      jobRecorder(new JobRecorder(writer, this)) {
    qRegisterMetaType<CalibrationWork*>("CalibrationWork*");
    // Attached before the window's own connections: the record is built from the same result
    // signals the window shows.
    jobRecorder->attach(calibrationControler);
    jobRecorder->attach(firmwareControler);
    jobRecorder->attach(iapControler);
    jobRecorder->attach(bissControler);
    // A record that could not be stored: the job's result stands, the loss is said plainly.
    connect(writer, &RecordWriter::failed, this, [this](const QString&, const QString& why) {
        const QString text = translated("生产记录保存失败：") + why;
        this->window->showDebugMsg(translated("生产记录"), text);
        this->window->showMsg(QMessageBox::Warning, text);
    });
    // The result pages' "导出报告" writes through the report library.
    ReportExport::install();
    wireCalibration();
    wireFirmware();
    wireIap();
    wireBiss();
}

JobWiring::~JobWiring() {
    stop();
}

void JobWiring::stop() {
    for (ControlerBase* controler : std::initializer_list<ControlerBase*>{
             calibrationControler, firmwareControler, iapControler, bissControler})
        controler->stopWorker();
    // After the jobs: their last records are queued to the writer by now.
    writer->stop();
}

QString JobWiring::calibrationTag() const {
    return window->leftTabNames().value(0);
}

QString JobWiring::firmwareTag() const {
    return window->leftTabNames().value(1);
}

QString JobWiring::bissTag() const {
    // The permission is read again at each message, as the tabs before BiSS depend on it.
    const bool admin =
        PermissionController::instance()->getPermission() == PermissionController::ADMINISTRATOR;
    return window->leftTabNames().value(admin ? 3 : 2);
}

void JobWiring::logResult(const QString& tag, const QString& msg, bool ok) {
    window->showDebugMsg(tag, msg);
    window->setProgress(ok);
}

void JobWiring::logMessage(const QString& tag, const QString& msg, QString& reason) {
    window->showDebugMsg(tag, msg);
    // A BiSS request starts with a banner between rules of dashes: what came before is
    // another request's.
    const QString line = msg.trimmed();
    if (line.startsWith(QLatin1String("---")))
        reason.clear();
    else if (!line.isEmpty())
        reason = line;
}

void JobWiring::resultBox(bool ok, const QString& msg, const QString& reason) {
    if (ok || reason.isEmpty() || reason == msg)
        window->showMsg(iconFor(ok), msg);
    else
        window->showMsg(iconFor(ok), msg + QLatin1Char('\n') + reason);
}

void JobWiring::jobStarted(bool clearLog) {
    if (clearLog)
        window->showDebugMsg(QStringLiteral("clear"), QString());
    window->setProgress(0);
    // Enabled again by the result's colouring.
    window->debugLog()->setEnabled(false);
}

void JobWiring::attach(SettingsWork* newWork) {
    work = newWork;
    SettingsWork* w = newWork;

    connect(w, &SettingsWork::getCalibrationArgments, calibrationControler,
            qOverload<>(&CalibrationControler::getConfigArgments));
    connect(w, &SettingsWork::setCalibrationArgments, calibrationControler,
            &CalibrationControler::setConfigArgments);
    connect(w, &SettingsWork::startCalibration, calibrationControler,
            &CalibrationControler::startCalibrationSlot);
    connect(w, &SettingsWork::startTest, calibrationControler,
            &CalibrationControler::startTestSlot);
    connect(w, &SettingsWork::startZero, calibrationControler,
            &CalibrationControler::startZeroSlot);
    // A run starts on a clean contents area: every tab but the workspace goes (result views
    // of the previous run; file tabs stay, they may hold unsaved work).
    auto cleanStart = [this] {
        QTabWidget* tabs = window->contentsTabWidget();
        for (int i = tabs->count() - 1; i >= 0; --i)
            if (QWidget* view = qobject_cast<CalibrationWork*>(tabs->widget(i))) {
                tabs->removeTab(i);
                view->deleteLater();  // a closed result view is freed with its charts
            }
        jobStarted(false);
    };
    connect(w, &SettingsWork::startCalibration, this, cleanStart);
    connect(w, &SettingsWork::startTest, this, cleanStart);
    connect(w, &SettingsWork::startZero, this, cleanStart);
    connect(w, &SettingsWork::showCalibration, this,
            [this](const QString& title, CalibrationWork* view) {
                QTabWidget* tabs = window->contentsTabWidget();
                tabs->setCurrentIndex(tabs->addTab(view, title));
            });

    connect(w, &SettingsWork::getFirmwareArgments, firmwareControler,
            &FirmwareControler::getConfigArgmentsSlot);
    connect(w, &SettingsWork::setFirmwareArgments, firmwareControler,
            &FirmwareControler::setConfigArgmentsSlot);
    connect(w, &SettingsWork::startFirmware, firmwareControler,
            &FirmwareControler::startGenerationSlot);
    connect(w, &SettingsWork::startFirmware, this, [this] { jobStarted(false); });

    connect(w, &SettingsWork::getIapArgments, iapControler,
            qOverload<>(&IapControler::getConfigArgments));
    connect(w, &SettingsWork::setIapArgments, iapControler, &IapControler::setConfigArgments);
    connect(w, &SettingsWork::startIap, iapControler, &IapControler::startIapSlot);
    connect(w, &SettingsWork::startIap, this, [this] { jobStarted(false); });

    attachBiss(w);
}

void JobWiring::loadStoredArguments() {
    if (!work)
        return;
    emit work->getCalibrationArgments();
    emit work->getIapArgments();
    emit work->getFirmwareArgments();
}

void JobWiring::wireCalibration() {
    CalibrationControler* c = calibrationControler;
    connect(c, qOverload<CalibrationEntity*>(&CalibrationControler::getConfigArgments), this,
            [this](CalibrationEntity* record) {
                if (work)
                    work->getCalibrationArgmentsSlot(record);
            });
    connect(c, &CalibrationControler::msgSignal, this, [this](const QString&, const QString& msg) {
        logMessage(calibrationTag(), msg, calibrationReason);
    });
    connect(c, &CalibrationControler::setProgress, window,
            qOverload<int>(&MainWindow::setProgress));
    connect(c, &CalibrationControler::calibrationResult, this, [this](const QString& msg, bool ok) {
        logResult(calibrationTag(), msg, ok);
        if (work)
            emit work->finish();
        // A run that failed outright (a lost rig, a refused parameter) has no result view of
        // its own: the operator must not have to find out from the log.
        if (!ok)
            resultBox(false, msg, calibrationReason);
        calibrationReason.clear();
    });
    connect(c, &CalibrationControler::compResult, this,
            [this](const QString& msg, bool ok) { logResult(calibrationTag(), msg, ok); });
    connect(c, &CalibrationControler::zeroCompInlResult, this,
            [this](const QString& msg, bool ok, CalibrationEntity*) {
                window->showMsg(iconFor(ok), msg);
                logResult(calibrationTag(), msg, ok);
            });
    connect(c, &CalibrationControler::calibrationCompInlResult, this,
            [this](const QString& msg, bool ok, CalibrationEntity* record) {
                calibrationResultView(msg, ok, record, true);
            });
    connect(c, &CalibrationControler::testCompInlResult, this,
            [this](const QString& msg, bool ok, CalibrationEntity* record) {
                calibrationResultView(msg, ok, record, false);
            });
}

void JobWiring::calibrationResultView(const QString& msg, bool ok, CalibrationEntity* record,
                                      bool calibration) {
    window->showMsg(iconFor(ok), msg);
    logResult(calibrationTag(), msg, ok);
    if (calibration && record)
        qDebug() << "校验完成：" << record->getEncoderType();
    // The panels go on with a copy: the record of the finished run is no longer theirs.
    CalibrationEntity* copy = record ? CalibrationRecord::copy(record) : nullptr;
    // The report of the result view dates the run by when its result came.
    if (copy)
        copy->setProperty(ReportExport::runTimeProperty, QDateTime::currentDateTimeUtc());
    window->showCalibrationGroups(calibration, copy);
}

void JobWiring::wireFirmware() {
    FirmwareControler* c = firmwareControler;
    connect(c, &FirmwareControler::getConfigArgments, this, [this](FirmwareEntity* record) {
        if (work)
            work->getFirmwareArgmentsSlot(record);
    });
    connect(c, &FirmwareControler::msgSignal, this, [this](const QString&, const QString& msg) {
        logMessage(firmwareTag(), msg, firmwareReason);
    });
    connect(c, &FirmwareControler::generationResult, this, [this](const QString& msg, bool ok) {
        logResult(firmwareTag(), msg, ok);
        if (work)
            emit work->finish();
        resultBox(ok, msg, firmwareReason);
        firmwareReason.clear();
    });
    connect(c, &FirmwareControler::setProgress, window, qOverload<int>(&MainWindow::setProgress));
}

void JobWiring::wireIap() {
    IapControler* c = iapControler;
    const auto tag = [] { return translated("IAP升级"); };
    connect(c, qOverload<IapEntity*>(&IapControler::getConfigArgments), this,
            [this](IapEntity* record) {
                if (work)
                    work->getIapArgmentsSlot(record);
            });
    connect(c, &IapControler::msgSignals, this,
            [this, tag](const QString&, const QString& msg, int arg) {
                window->showDebugMsg(tag(), msg, arg);
            });
    connect(c, &IapControler::msgSignal, this,
            [this, tag](const QString&, const QString& msg) { logMessage(tag(), msg, iapReason); });
    connect(c, &IapControler::compResult, this,
            [this, tag](const QString& msg, bool ok) { logResult(tag(), msg, ok); });
    connect(c, &IapControler::connectResult, this, [this, tag](const QString& msg, bool ok) {
        logResult(tag(), msg, ok);
        resultBox(ok, msg, iapReason);
        iapReason.clear();
        if (work)
            emit work->finish();
    });
    connect(c, &IapControler::setProgress, window, qOverload<int>(&MainWindow::setProgress));
}

void JobWiring::attachBiss(SettingsWork* w) {
    BissControler* c = bissControler;
    connect(w, &SettingsWork::getMasterStatusSignal, c, &BissControler::getMasterStatusSlot);
    connect(w, &SettingsWork::setMasterStatusSignal, c, &BissControler::setMasterStatusSlot);
    connect(w, &SettingsWork::setBissSlaverEnableSignal, c,
            &BissControler::setBissSlaverEnableSlot);
    connect(w, &SettingsWork::getSlaverStatusSignal, c, &BissControler::getSlaverStatusSlot);
    connect(w, &SettingsWork::getSlaverDataSignal, c, &BissControler::getSlaverDataSlot);
    connect(w, &SettingsWork::setSlaverStatusSignal, c, &BissControler::setSlaverStatusSlot);
    connect(w, &SettingsWork::readSlaverRegeditSignal, c, &BissControler::readSlaverRegeditSlot);
    connect(w, &SettingsWork::writeSlaverRegeditSignal, c, &BissControler::writeSlaverRegeditSlot);
    connect(w, &SettingsWork::clearSlaverErrorSignal, c, &BissControler::clearSlaverErrorSlot);
    connect(w, &SettingsWork::clearMasterErrorSignal, c, &BissControler::clearMasterErrorSlot);
    connect(w, &SettingsWork::setResolutionAndPolePairsSignal, c,
            &BissControler::setResolutionPolePairsSlot);
    connect(w, &SettingsWork::closeResolutionAndPolePairsSignal, c,
            &BissControler::closeResolutionPolePairsSlot);

    // Changes start on a clear log; the acquisitions, which poll, only reset the progress.
    for (auto request :
         {&SettingsWork::setMasterStatusSignal, &SettingsWork::setBissSlaverEnableSignal,
          &SettingsWork::setSlaverStatusSignal, &SettingsWork::readSlaverRegeditSignal,
          &SettingsWork::writeSlaverRegeditSignal, &SettingsWork::clearSlaverErrorSignal,
          &SettingsWork::setResolutionAndPolePairsSignal,
          &SettingsWork::closeResolutionAndPolePairsSignal})
        connect(w, request, this, [this] { jobStarted(true); });
    for (auto request : {&SettingsWork::getMasterStatusSignal, &SettingsWork::getSlaverStatusSignal,
                         &SettingsWork::getSlaverDataSignal})
        connect(w, request, this, [this] { window->setProgress(0); });
}

void JobWiring::wireBiss() {
    BissControler* c = bissControler;
    connect(c, &BissControler::msgSignal, this,
            [this](const QString&, const QString& msg) { logMessage(bissTag(), msg, bissReason); });
    connect(c, &BissControler::compResult, this,
            [this](const QString& msg, bool) { window->showDebugMsg(bissTag(), msg); });
    connect(c, &BissControler::bissResult, this, [this](const QString& msg, bool) {
        window->showDebugMsg(bissTag(), msg);
        if (work)
            emit work->finish();
    });
    connect(c, &BissControler::setProgress, window, qOverload<int>(&MainWindow::setProgress));

    connect(c, &BissControler::getMasterStatusResult, this,
            [this](const QString& msg, bool ok, BissEntity* record) {
                logResult(bissTag(), msg, ok);
                if (work)
                    work->getMasterStatusSlot(record);
                if (!ok) {
                    resultBox(false, msg, bissReason);
                    return;
                }
                // Once the operator has read the master's state, the slave's is fetched.
                auto* box = new QMessageBox(QMessageBox::Information, translated("提示"), msg,
                                            QMessageBox::Ok, window);
                box->setObjectName(QStringLiteral("messageBox"));
                box->setAttribute(Qt::WA_DeleteOnClose);
                box->setModal(false);
                connect(box, &QMessageBox::finished, this, [this] {
                    if (work)
                        work->getSlaverStatusSlot();
                });
                box->show();
            });
    connect(c, &BissControler::setMasterStatusResult, this,
            [this](const QString& msg, bool ok, BissEntity* record) {
                logResult(bissTag(), msg, ok);
                if (work)
                    work->setMasterStatusSlot(record);
                if (ok)
                    window->showMsgs(QMessageBox::Information, msg, 1);
                else
                    resultBox(false, msg, bissReason);
            });
    connect(c, &BissControler::setBissSlaverEnableResult, this,
            [this](const QString& msg, bool ok) {
                logResult(bissTag(), msg, ok);
                if (ok)
                    window->showMsgs(QMessageBox::Information, msg, 1);
                else
                    resultBox(false, msg, bissReason);
            });
    connect(c, &BissControler::getSlaverStatusResult, this,
            [this](const QString& msg, bool ok, BissEntity* record) {
                window->showDebugMsg(bissTag(), msg);
                if (work)
                    work->getSlaverStatusSlot(record);
                if (!ok)
                    resultBox(false, msg, bissReason);
            });
    connect(c, &BissControler::getSlaverDataResult, this,
            [this](const QString& msg, bool ok, BissEntity* record) {
                window->showDebugMsg(bissTag(), msg);
                if (!ok) {
                    resultBox(false, msg, bissReason);
                    if (record)
                        record->setContinuousRead(false);
                }
                if (work)
                    work->getSlaverDataSlot(record);
            });
    using Result = void (BissControler::*)(QString, bool, BissEntity*);
    using Slot = void (SettingsWork::*)(BissEntity*);
    const QList<QPair<Result, Slot>> others{
        {&BissControler::setSlaverStatusResult, &SettingsWork::setSlaverStatusSlot},
        {&BissControler::readSlaverRegeditResult, &SettingsWork::readSlaverRegeditSlot},
        {&BissControler::writeSlaverRegeditResult, &SettingsWork::writeSlaverRegeditSlot},
        {&BissControler::clearSlaverErrorResult, &SettingsWork::clearSlaverErrorSlot},
        {&BissControler::clearMasterErrorResult, &SettingsWork::clearMasterErrorSlot},
        {&BissControler::setResolutionPolePairsResult,
         &SettingsWork::setResolutionAndPolePairsSlot},
        {&BissControler::closeResolutionPolePairsResult,
         &SettingsWork::closeResolutionAndPolePairsSlot}};
    for (const auto& [result, slot] : others) {
        connect(c, result, this,
                [this, slot = slot](const QString& msg, bool ok, BissEntity* record) {
                    logResult(bissTag(), msg, ok);
                    if (work)
                        (work.data()->*slot)(record);
                    resultBox(ok, msg, bissReason);
                });
    }
}
