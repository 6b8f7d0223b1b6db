// The main window's dialogs and extra tabs: the serial dialog, the settings dialogs and the
// restart they may ask for, the production-record tab, and the question before quitting while a
// job holds the port.
#include "mainwindow.h"
#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include "baidutranslate.h"
#include "controlerbase.h"
#include "reportexport.h"
#include "bisspages.h"
#include "calibrationentity.h"
#include "iapentity.h"
#include "firmwareentity.h"
#include "bissentity.h"
#include "calibrationnavigation.h"
#include "calibrationpages.h"
#include "calibrationwork.h"
#include "connectflag.h"
#include "serialportentity.h"
#include "devicestype.h"
#include "firmwarepages.h"
#include "areapages.h"
#include "historyview.h"
#include "jobrecorder.h"
#include "jobwiring.h"
#include "recordwriter.h"
#include "debuglog.h"
#include "fileworkcontroler.h"
#include "fileworktabs.h"
#include "devicesdialog.h"
#include "windowframe.h"
#include "iconsizestyle.h"
#include "leftwidgettab.h"
#include "permissioncontroller.h"
#include "readconfig.h"
#include "serialdialog.h"
#include "serialportcontroler.h"
#include "settingswork.h"
#include "themesetdialog.h"
#include "workspacesetdialog.h"

std::function<bool(QMessageBox&)> MainWindow::askStopJob;

void MainWindow::serialPortViewBind() {
    // One connect pair at a time: the previous one is idle once its dialog has closed.
    delete serialPortControler;
    serialPortControler = new SerialPortControler(this);
    SerialPortControler* c = serialPortControler;
    auto* dialog = new SerialDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    currentSerialDialog = dialog;

    connect(dialog, &SerialDialog::showMsg, this, &MainWindow::showMsg);
    connect(dialog, qOverload<>(&SerialDialog::getConfigArgments), c,
            qOverload<>(&SerialPortControler::getConfigArgments));
    connect(dialog, qOverload<>(&SerialDialog::getSerialPortList), c,
            qOverload<>(&SerialPortControler::getSerialPortList));
    connect(dialog, &SerialDialog::setConfigArgments, c, &SerialPortControler::setConfigArgments);
    connect(dialog, &SerialDialog::toConnect, c, &SerialPortControler::connectSerialPort);
    connect(dialog, &SerialDialog::toConnect, this, [this](SerialPortEntity* entity) {
        connectingPort = entity ? entity->getSerialPortNum() : QString();
    });
    connect(c, &SerialPortControler::connectResult, this, [this](const QString&, bool ok) {
        connectedPort = ok ? connectingPort : QString();
        updateDeviceLabel();
    });
    jobs->recorder()->attach(c);
    connect(c, qOverload<SerialPortEntity*>(&SerialPortControler::getConfigArgments), dialog,
            qOverload<SerialPortEntity*>(&SerialDialog::getConfigArgments));
    connect(c, qOverload<QStringList>(&SerialPortControler::getSerialPortList), dialog,
            &SerialDialog::scanSerialPort);
    connect(c, &SerialPortControler::msgSignal, this,
            qOverload<QString, QString>(&MainWindow::showDebugMsg));
    auto logResult = [this](const QString& msg, bool ok) {
        showDebugMsg(QStringLiteral("SerialPort"), msg);
        setProgress(ok);
    };
    connect(c, &SerialPortControler::connectResult, this, logResult);
    connect(c, &SerialPortControler::compResult, this, logResult);
    connect(c, &SerialPortControler::setProgress, this, qOverload<int>(&MainWindow::setProgress));
    connect(c, &SerialPortControler::connectResult, dialog, &SerialDialog::connectFinished);
    // Closed without a connect, no result would ever enable the log again.
    connect(dialog, &QDialog::finished, this, [this] { debugLog()->setEnabled(true); });

    dialog->init();
    setProgress(0);
    debugLog()->setEnabled(false);
    dialog->setModal(true);
    dialog->show();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (fileTabs && !fileTabs->mayDiscardChanges()) {
        event->ignore();
        return;
    }
    if (!mayStopRunningJob()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool MainWindow::mayStopRunningJob() {
    ControlerBase* job = ControlerBase::portHolder();
    if (!job)
        return true;
    QMessageBox box(QMessageBox::Warning, translated("警告"),
                    translated("任务 [ %1 ] 正在使用串口。").arg(job->jobName()) +
                        QLatin1Char('\n') + translated(job->stopConsequence()) +
                        QLatin1Char('\n') + translated("确定停止该任务并退出吗？"),
                    QMessageBox::NoButton, this);
    QPushButton* stop = box.addButton(translated("停止并退出"), QMessageBox::AcceptRole);
    box.addButton(translated("取消"), QMessageBox::RejectRole);
    box.setObjectName(QStringLiteral("stopJobQuestion"));
    if (askStopJob ? !askStopJob(box) : (box.exec(), box.clickedButton() != stop))
        return false;
    // The job's own stop request: it ends at its next wait and closes the port, within the
    // controller's limit.
    if (ControlerBase* still = ControlerBase::portHolder())
        still->stopWorker();
    return true;
}

MainWindow::Launcher MainWindow::restartLauncher =
    [](const QString& program, const QStringList& arguments, const QString& workingDirectory) {
        return QProcess::startDetached(program, arguments, workingDirectory);
    };

void MainWindow::restartApplication() {
    // The same arguments and folder: a run in simulation mode comes back in simulation mode,
    // and config/ is found relative to the same working directory.
    if (!restartLauncher(QCoreApplication::applicationFilePath(),
                         QCoreApplication::arguments().mid(1), QDir::currentPath())) {
        // Quitting now would leave the operator with no program at all.
        showMsg(QMessageBox::Critical, translated("程序重启失败，请手动重新启动"));
        return;
    }
    QCoreApplication::quit();
}

void MainWindow::showSettingsDialog(QDialog* dialog) {
    // A dialog closed a moment ago may still owe its reset(): it is deleted only when the next
    // one opens, never on closing.
    delete currentSettingsDialog;
    currentSettingsDialog = dialog;
    dialog->setModal(true);
    dialog->show();
}

void MainWindow::addDevicesViewBind() {
    auto* dialog = new DevicesDialog(this);
    connect(dialog, &DevicesDialog::review, work, &SettingsWork::devicesTypeUpdate);
    connect(dialog, &DevicesDialog::showMsg, this, &MainWindow::showMsg);
    showSettingsDialog(dialog);
}

// Opens offline too: Chinese and English need no network; the dialog asks the service for the
// other languages itself, without blocking the window.
void MainWindow::themeSettingsViewBind() {
    auto* dialog = new ThemeSetDialog(this);
    connect(dialog, &ThemeSetDialog::reset, this, &MainWindow::restartApplication);
    connect(dialog, &ThemeSetDialog::showMsg, this, &MainWindow::showMsg);
    showSettingsDialog(dialog);
}

void MainWindow::workSpaceSettingsViewBind() {
    auto* dialog = new WorkSpaceSetDialog(this);
    connect(dialog, &WorkSpaceSetDialog::reset, this, &MainWindow::restartApplication);
    connect(dialog, &WorkSpaceSetDialog::showMsg, this, &MainWindow::showMsg);
    showSettingsDialog(dialog);
}

HistoryView* MainWindow::showHistory() {
    if (!history) {
        history = new HistoryView(jobs->recordWriter()->settings(), contentsWidget);
        connect(history, &HistoryView::showCharts, this, [this](const QString& title, QWidget* view) {
            contentsWidget->setCurrentIndex(contentsWidget->addTab(view, title));
        });
        connect(history, &HistoryView::showMsg, this,
                [this](int icon, const QString& msg) { showMsg(QMessageBox::Icon(icon), msg); });
        connect(history, &HistoryView::exportReport, this,
                [this](const QString& id, const QString& name) {
                    ReportExport::exportStored(this, id, name);
                });
    } else {
        history->refresh();
    }
    if (contentsWidget->indexOf(history) < 0)
        contentsWidget->addTab(history, translated("生产记录"));
    contentsWidget->setCurrentWidget(history);
    return history;
}
