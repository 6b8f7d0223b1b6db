// The main window's own look: minimise, maximise and restore on the frameless window, and its
// drop shadows paused while it is resized.
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

namespace {
constexpr int kNormalMargin = 30;
}  // namespace

void MainWindow::repolish(QWidget* widget) {
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

void MainWindow::setWindowProperty(const char* value) {
    for (QWidget* w : QList<QWidget*>{toolBar, maximiBar, exitBar, menuBar_, statusBar()}) {
        if (!w)
            continue;
        w->setProperty("Window", QString::fromLatin1(value));
        repolish(w);
    }
}

void MainWindow::showRestored() {
    centralGrid->setColumnStretch(1, 5);
    setContentsMargins(kNormalMargin, kNormalMargin, kNormalMargin, kNormalMargin);
    showNormal();
    maxMinAction->setIcon(QIcon(QStringLiteral(":/system/icons/Maximize_max.png")));
    setWindowProperty("min");
}

void MainWindow::showMaximisedLook() {
    centralGrid->setColumnStretch(1, 6);
    setContentsMargins(0, 0, 0, 0);
    showMaximized();
    maxMinAction->setIcon(QIcon(QStringLiteral(":/system/icons/Maximize_normal.png")));
    setWindowProperty("Maximized");
}

void MainWindow::mainShowMin(bool) {
    qDebug() << "min show";
    showMinimized();
}

void MainWindow::mainClose(bool) {
    qDebug() << "exit";
    close();
}

void MainWindow::mainShowMaxOrNormal(bool) {
    if (frame->isDragging())
        return;
    if (isMaximized())
        showRestored();
    else
        showMaximisedLook();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    shutdownShadow();
    emit windowResisze(((width() - 60) / 6) * 5);
    QMainWindow::resizeEvent(event);
    central->setUpdatesEnabled(true);
    scheduleShadow(150);
}

void MainWindow::scheduleShadow(int ms) {
    QTimer::singleShot(ms, this, &MainWindow::updateShadow);
}

void MainWindow::shutdownShadow() {
    // Only the contents pause their repaints: a top-level window whose updates are off when
    // X first exposes it is never painted at all (it stays black).
    central->setUpdatesEnabled(false);
    frame->setShadows({menuBar_, statusBar(), leftWidget, rightWidget}, false);
}

void MainWindow::updateShadow() {
    central->setUpdatesEnabled(true);
    frame->setShadows({menuBar_, statusBar(), leftWidget, rightWidget}, true);
}
