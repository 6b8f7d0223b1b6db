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
MainWindow* theWindow = nullptr;

constexpr int kNormalMargin = 30;

QStyle* iconStyle(QObject* owner, int size) {
    auto* style = new IconSizeStyle(QStyleFactory::create(QApplication::style()->name()), size);
    style->setParent(owner);
    return style;
}
}  // namespace

namespace {
constexpr int kMinimumWidth = 900;
constexpr int kMinimumHeight = 640;
}  // namespace

MainWindow* MainWindow::instance() {
    return theWindow;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainWindow"));
    theWindow = this;
    readConfig = new ReadConfig(this);
    setWindowTitle(QStringLiteral("Quelbrin"));
    resize(1280, 820);
    // Below this the workspace shrinks to a strip and the status bar's progress leaves the
    // window.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    buildMenus();
    buildCentral();
    buildDecoration();
    buildFileWork();
    buildNavigation();

    // A message left by an earlier run (the boot loader's upgrade) is shown once, then cleared.
    const QString left = ReadConfig::readValue(QStringLiteral("debug"), QStringLiteral("iap"));
    if (!left.isEmpty()) {
        debugLog()->setPlainText(left);
        debugDock->show();
        ReadConfig::writeValue(QStringLiteral("debug"), QStringLiteral("iap"), QString());
    }
}

MainWindow::~MainWindow() {
    // Hiding and deleting the children below emits their signals into a window that is half
    // gone: cut those connections first.
    disconnect(debugDock, nullptr, this, nullptr);
    disconnect(contentsWidget, nullptr, this, nullptr);
    if (work)
        disconnect(work, nullptr, this, nullptr);
    // Controllers join their worker threads as they go, before the widgets they report to.
    delete serialPortControler;
    delete jobs;
    jobs = nullptr;
    if (theWindow == this)
        theWindow = nullptr;
}

SerialDialog* MainWindow::serialDialog() const {
    return currentSerialDialog.data();
}

QAction* MainWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void MainWindow::buildMenus() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menubar"));
    menuBar_->setStyle(iconStyle(this, 24));
    setMenuBar(menuBar_);

    auto makeAction = [this](QMenu* menu, const char* name, const char* label) {
        auto* a = new QAction(translated(label), this);
        a->setObjectName(QString::fromLatin1(name));
        menu->addAction(a);
        return a;
    };

    auto* menuIcon = new QMenu(QStringLiteral("ICON"), menuBar_);
    menuIcon->setObjectName(QStringLiteral("menuICON"));
    menuIcon->setIcon(QIcon(QStringLiteral(":/system/icons/set.png")));
    menuBar_->addMenu(menuIcon);

    auto* menuFile = new QMenu(translated("文件"), menuBar_);
    menuFile->setObjectName(QStringLiteral("menuFile"));
    menuBar_->addMenu(menuFile);
    // The file workspace drives these (buildFileWork).
    makeAction(menuFile, "actionNew_Firmware", "新建固件");
    makeAction(menuFile, "actionOpen_Firmware", "打开固件");
    auto* recent = menuFile->addMenu(translated("最近打开"));
    recent->setObjectName(QStringLiteral("menuOpen_Recent"));
    makeAction(menuFile, "actionSave", "保存");
    makeAction(menuFile, "actionSave_As", "另存为");
    menuFile->addSeparator();
    QAction* closeEdit = makeAction(menuFile, "actionClose_Edit", "关闭编辑页");
    QAction* exitApp = makeAction(menuFile, "actionExit", "退出");

    auto* menuConnect = new QMenu(translated("连接"), menuBar_);
    menuConnect->setObjectName(QStringLiteral("menuConnect"));
    menuBar_->addMenu(menuConnect);
    QAction* usart = makeAction(menuConnect, "actionUsart", "串口");

    auto* menuSettings = new QMenu(translated("设置"), menuBar_);
    menuSettings->setObjectName(QStringLiteral("menuSettings"));
    menuBar_->addMenu(menuSettings);
    QAction* permissionSettings = makeAction(menuSettings, "actionWorkSpace_Settings", "权限设置");
    QAction* languageSettings = makeAction(menuSettings, "actionTheme_Settings", "语言设置");

    auto* menuDevices = new QMenu(translated("设备"), menuBar_);
    menuDevices->setObjectName(QStringLiteral("menuDevices"));
    menuBar_->addMenu(menuDevices);
    // Enabled for ADMINISTRATOR once the navigation is built.
    QAction* addDevices = makeAction(menuDevices, "addDevices", "添加设备");
    addDevices->setEnabled(false);

    auto* menuRecords = new QMenu(translated("记录"), menuBar_);
    menuRecords->setObjectName(QStringLiteral("menuRecords"));
    menuBar_->addMenu(menuRecords);
    connect(makeAction(menuRecords, "actionHistory", "生产记录"), &QAction::triggered, this,
            &MainWindow::showHistory);

    connect(usart, &QAction::triggered, this, &MainWindow::serialPortViewBind);
    connect(permissionSettings, &QAction::triggered, this, &MainWindow::workSpaceSettingsViewBind);
    connect(languageSettings, &QAction::triggered, this, &MainWindow::themeSettingsViewBind);
    connect(addDevices, &QAction::triggered, this, &MainWindow::addDevicesViewBind);
    connect(closeEdit, &QAction::triggered, this, [this] {
        // File tabs go through their own close, which asks before unsaved changes are lost;
        // a tab that asks stays until the operator has answered.
        for (int i = contentsWidget->count() - 1; i >= 0; --i) {
            if (contentsWidget->widget(i) == work)
                continue;  // the workspace stays: it is where every job starts
            if (fileTabs && fileTabs->closeTab(i))
                continue;
            closeContentsTab(i);
        }
    });
    connect(exitApp, &QAction::triggered, this, &QWidget::close);

    // The window buttons sit at the right end of the title bar, one small menu bar each.
    auto* corner = new QWidget(menuBar_);
    auto* row = new QHBoxLayout(corner);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto titleButton = [&](QMenuBar*& bar, QAction*& act, const char* barName, const char* actName,
                           const char* icon) {
        bar = new QMenuBar(corner);
        bar->setObjectName(QString::fromLatin1(barName));
        bar->setStyle(iconStyle(this, 10));
        act = new QAction(QIcon(QString::fromLatin1(icon)), QString(), bar);
        act->setObjectName(QString::fromLatin1(actName));
        bar->addAction(act);
        row->addWidget(bar);
    };
    titleButton(toolBar, minAction, "toolBar", "min", ":/system/icons/min.png");
    titleButton(maximiBar, maxMinAction, "maximiBar", "maxMin", ":/system/icons/Maximize_max.png");
    titleButton(exitBar, exitAction, "exitBar", "exit", ":/system/icons/close.png");
    menuBar_->setCornerWidget(corner, Qt::TopRightCorner);
    frame = new WindowFrame(this, menuBar_);
    frame->toggleMaximised = [this] { mainShowMaxOrNormal(false); };
    frame->restoreForDrag = [this] { showRestored(); };
    frame->borderWidth = [this] { return isMaximized() ? 0 : kNormalMargin; };

    connect(minAction, &QAction::triggered, this, &MainWindow::mainShowMin);
    connect(maxMinAction, &QAction::triggered, this, &MainWindow::mainShowMaxOrNormal);
    connect(exitAction, &QAction::triggered, this, &MainWindow::mainClose);
}

void MainWindow::buildCentral() {
    central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralwidget"));
    centralGrid = new QGridLayout(central);
    centralGrid->setSpacing(20);
    centralGrid->setContentsMargins(20, 20, 20, 20);

    leftWidget = new QWidget(central);
    leftWidget->setObjectName(QStringLiteral("leftWidget"));
    rightWidget = new QWidget(central);
    rightWidget->setObjectName(QStringLiteral("rightWidget"));
    for (QWidget* w : {leftWidget, rightWidget}) w->setAttribute(Qt::WA_StyledBackground);
    centralGrid->addWidget(leftWidget, 0, 0);
    centralGrid->addWidget(rightWidget, 0, 1);
    centralGrid->setColumnStretch(1, 5);

    leftWidget->setMinimumWidth(300);
    leftTabs = new QTabWidget(leftWidget);
    leftTabs->setObjectName(QStringLiteral("leftTabWidget"));
    auto* leftLayout = new QGridLayout(leftWidget);
    leftLayout->setContentsMargins(1, 1, 1, 1);
    leftLayout->addWidget(leftTabs);

    contentsWidget = new QTabWidget(rightWidget);
    contentsWidget->setObjectName(QStringLiteral("contentsWidget"));
    contentsWidget->setTabsClosable(true);
    auto* rightLayout = new QGridLayout(rightWidget);
    rightLayout->setContentsMargins(1, 1, 1, 1);
    rightLayout->addWidget(contentsWidget);
    connect(contentsWidget, &QTabWidget::tabCloseRequested, this, [this](int index) {
        // A file tab may ask first whether to save its changes.
        if (contentsWidget->widget(index) == work)
            return;
        if (fileTabs && fileTabs->closeTab(index))
            return;
        shutdownShadow();
        closeContentsTab(index);
        scheduleShadow(50);
    });
    connect(contentsWidget, &QTabWidget::currentChanged, this, [this] {
        shutdownShadow();
        scheduleShadow(50);
    });
    setCentralWidget(central);
}

void MainWindow::buildDecoration() {
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setContentsMargins(kNormalMargin, kNormalMargin, kNormalMargin, kNormalMargin);

    debugDock = new QDockWidget(translated("调试信息"), this);
    debugDock->setObjectName(QStringLiteral("debugDock"));
    debugDock->setFeatures(QDockWidget::DockWidgetMovable);
    debugDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    log = new DebugLog(debugDock);
    addDockWidget(Qt::BottomDockWidgetArea, debugDock);
    connect(debugDock, &QDockWidget::topLevelChanged, this, [this] {
        shutdownShadow();
        scheduleShadow(100);
    });
    connect(debugDock, &QDockWidget::visibilityChanged, this, [this] {
        shutdownShadow();
        scheduleShadow(100);
    });

    QStatusBar* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("statusbar"));
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
    debugButton = new QPushButton(bar);
    debugButton->setObjectName(QStringLiteral("DebugButton"));
    debugButton->setFixedHeight(20);
    debugButton->setToolTip(translated("调试信息"));
    // The button shows an icon only: its name is what assistive tools read out.
    debugButton->setAccessibleName(translated("调试信息"));
    bar->addWidget(debugButton);
    auto* author = new QLabel(QStringLiteral("ZEK"), bar);
    author->setObjectName(QStringLiteral("AutherLabel"));
    bar->addPermanentWidget(author);
    deviceLabel = new QLabel(bar);
    deviceLabel->setObjectName(QStringLiteral("deviceLabel"));
    bar->addPermanentWidget(deviceLabel);
    // Records waiting in the station's queue for the line's database; hidden when none wait.
    recordQueue = new QLabel(bar);
    recordQueue->setObjectName(QStringLiteral("recordQueue"));
    recordQueue->hide();
    bar->addPermanentWidget(recordQueue);
    progress = new QProgressBar(bar);
    progress->setObjectName(QStringLiteral("progressBar"));
    progress->setRange(0, 100);
    progress->setValue(0);
    bar->addPermanentWidget(progress);
    connect(debugButton, &QPushButton::clicked, this, [this] {
        if (debugDock->isVisible()) {
            debugDock->close();
            debugDock->hide();
        } else {
            debugDock->show();
        }
    });
    setWindowProperty("min");
    updateShadow();
    // The log starts at about a quarter of the window; its own size hint took some 40 %.
    resizeDocks({debugDock}, {height() / 4}, Qt::Vertical);
    // The connection flags are set by the workers: the label follows them at a glance's pace.
    auto* deviceTimer = new QTimer(this);
    connect(deviceTimer, &QTimer::timeout, this, &MainWindow::updateDeviceLabel);
    deviceTimer->start(500);
    updateDeviceLabel();
}

void MainWindow::updateDeviceLabel() {
    const bool connected =
        ConnectFlag::instance()->getDeviceConnection() == ConnectFlag::CONNECTED &&
        !connectedPort.isEmpty();
    DevicesType* types = DevicesType::instance();
    const QString text = connected ? translated("已连接：") +
                                         types->valueToKey(types->getConnectedType()) +
                                         QStringLiteral(" @ ") + connectedPort
                                   : translated("未连接");
    if (deviceLabel->text() != text)
        deviceLabel->setText(text);
}

void MainWindow::buildNavigation() {
    const int permission = PermissionController::instance()->getPermission();
    struct Area {
        const char* name;
        QList<QStringList> pages;
    };
    QList<Area> areas;
    if (permission == PermissionController::ADMINISTRATOR)
        areas = {{"校准", AreaPages::calibration()},
                 {"固件生成", AreaPages::firmware()},
                 {"IAP升级", AreaPages::iap()},
                 {"BiSS调试", AreaPages::biss()}};
    else if (permission == PermissionController::DEBUGPERSON)
        areas = {{"校准", AreaPages::calibration()},
                 {"IAP升级", AreaPages::iap()},
                 {"BiSS调试", AreaPages::biss()}};
    else
        areas = {{"IAP升级", AreaPages::iap()}};
    for (const Area& area : areas) {
        tabNames << translated(area.name);
        areaGroups << area.pages;
    }

    registerWorkspacePages();
    jobs = new JobWiring(this);
    for (int i = 0; i < areas.size(); ++i) {
        auto* tab = new LeftWidgetTab(leftTabs);
        tab->fill(tabNames.at(i), areaGroups.at(i));
        leftTabs->addTab(tab, tabNames.at(i));
        navigationTabs << tab;
        connect(tab->tree(), &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
            shutdownShadow();
            work->scorllProcess(item);
            updateShadow();
            showWorkspaceTab();
        });
    }
    buildWorkspace();
    connect(jobs->recordWriter(), &RecordWriter::queueChanged, this, [this](int count) {
        recordQueue->setText(translated("待转发记录：%1").arg(count));
        recordQueue->setVisible(count > 0);
    });
    // The history has a navigation tab of its own, after the job areas; choosing it opens
    // the history tab.
    auto* historyTab = new QWidget(leftTabs);
    historyTab->setObjectName(QStringLiteral("historyNavigation"));
    leftTabs->addTab(historyTab, translated("生产记录"));
    connect(leftTabs, &QTabWidget::currentChanged, this, [this, historyTab](int index) {
        if (leftTabs->widget(index) == historyTab)
            showHistory();
    });
    jobs->loadStoredArguments();
    action(QStringLiteral("addDevices"))
        ->setEnabled(permission == PermissionController::ADMINISTRATOR);
}

void MainWindow::buildWorkspace() {
    work = new SettingsWork(contentsWidget);
    work->build(tabNames, areaGroups);
    contentsWidget->addTab(work, translated("工作区"));
    pinWorkspaceTab();
    connect(work, &SettingsWork::devicesNotConnect, this, &MainWindow::serialPortViewBind);
    connect(work, &SettingsWork::showMsg, this, &MainWindow::showMsg);
    connect(work, &SettingsWork::scorll, this, &MainWindow::leftTabChange);
    for (LeftWidgetTab* tab : navigationTabs)
        connect(work, &SettingsWork::scorll, tab, &LeftWidgetTab::setCurrentItem);
    jobs->attach(work);
}

void MainWindow::showCalibrationGroups(bool afterCalibration, CalibrationEntity* record) {
    const int area = tabNames.indexOf(translated("校准"));
    if (area < 0)
        return;
    areaGroups[area] = CalibrationNavigation::groupsAfter(areaGroups.at(area), afterCalibration);
    navigationTabs.at(area)->fill(tabNames.at(area), areaGroups.at(area));
    // The workspace's page list follows the groups: a new one replaces it, with the finished
    // run's figures on its result pages. The contents tab widget itself stays, and with it any
    // file tab that may hold unsaved work.
    SettingsWork* old = work;
    disconnect(old, nullptr, this, nullptr);
    // A job may still hold one of the old workspace's records (firmware generation takes no
    // port, so it can run through a calibration): the records outlive the old workspace.
    for (QObject* record :
         std::initializer_list<QObject*>{old->getCalibrationEntity(), old->getIapEntity(),
                                         old->getFirmwareEntity(), old->getBissEntity()})
        if (record && record->parent() == old)
            record->setParent(this);
    contentsWidget->removeTab(contentsWidget->indexOf(old));
    old->hide();
    old->deleteLater();
    buildWorkspace();
    if (record)
        record->setParent(work);
    emit work->getIapArgments();
    emit work->getFirmwareArgments();
    work->getCalibrationArgmentsSlot(record);
    contentsWidget->setCurrentWidget(work);
}

void MainWindow::registerWorkspacePages() {
    // The pages come from their job areas, registered by name before the workspace is built.
    // (A static initialiser in a static library would be dropped by the linker.)
    registerCalibrationPages();
    registerFirmwarePages();
    registerBissPages();
}

void MainWindow::showWorkspaceTab() {
    // "关闭编辑页" may have closed the workspace: navigating brings it back.
    if (contentsWidget->indexOf(work) < 0) {
        contentsWidget->addTab(work, translated("工作区"));
        pinWorkspaceTab();
    }
    contentsWidget->setCurrentWidget(work);
}

void MainWindow::pinWorkspaceTab() {
    const int index = contentsWidget->indexOf(work);
    if (index < 0)
        return;
    for (QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide})
        if (QWidget* button = contentsWidget->tabBar()->tabButton(index, side)) {
            contentsWidget->tabBar()->setTabButton(index, side, nullptr);
            button->deleteLater();
        }
}

void MainWindow::closeContentsTab(int index) {
    QWidget* page = contentsWidget->widget(index);
    contentsWidget->removeTab(index);
    // A result view holds four charts of up to 2048 points each: a closed one is freed, or
    // opening result pages all day grows the program without bound.
    if (qobject_cast<CalibrationWork*>(page))
        page->deleteLater();
}

void MainWindow::leftTabChange(QString tabName) {
    shutdownShadow();
    leftTabs->setCurrentIndex(tabNames.indexOf(tabName));
    updateShadow();
}

// The file workspace: the file tabs live in the contents tab widget, the menu actions reach
// them through the window's signals and the file-work controller.
void MainWindow::buildFileWork() {
    fileTabs = new FileWorkTabs(contentsWidget,
                                findChild<QMenu*>(QStringLiteral("menuOpen_Recent")), this);
    FileWorkControler* controler = fileTabs->controler();
    connect(fileTabs, &FileWorkTabs::showMsg, this, &MainWindow::showMsg);
    connect(fileTabs, &FileWorkTabs::shutdownShadow, this, &MainWindow::shutdownShadow);
    connect(fileTabs, &FileWorkTabs::updateShadow, this, &MainWindow::updateShadow);
    connect(this, &MainWindow::windowChanged, fileTabs, &FileWorkTabs::setDisplayLine);
    connect(this, &MainWindow::windowResisze, fileTabs, &FileWorkTabs::setDisplayLine);
    connect(action(QStringLiteral("actionNew_Firmware")), &QAction::triggered, this,
            &MainWindow::newFileSignal);
    connect(action(QStringLiteral("actionOpen_Firmware")), &QAction::triggered, this,
            &MainWindow::openFileSignal);
    connect(action(QStringLiteral("actionSave")), &QAction::triggered, fileTabs,
            &FileWorkTabs::saveCurrent);
    connect(action(QStringLiteral("actionSave_As")), &QAction::triggered, this, [this] {
        if (fileTabs->currentFileWork())
            emit saveAsFileSignal();
    });
    connect(this, &MainWindow::newFileSignal, controler, &FileWorkControler::newFileSlot);
    connect(this, &MainWindow::openFileSignal, controler, &FileWorkControler::openFileSlot);
    connect(this, &MainWindow::saveAsFileSignal, fileTabs, &FileWorkTabs::saveAsCurrent);
    connect(this, &MainWindow::openRecentSignal, controler, &FileWorkControler::openRecentSlot);
    emit openRecentSignal();
}

void MainWindow::openFileSlot(QString filePath, QString fileName) {
    fileTabs->openFileSlot(filePath, fileName);
}

void MainWindow::newFileSlot(QString fileName) {
    fileTabs->newFileSlot(fileName);
}

void MainWindow::saveFileSlot(QString filePath, QString fileName) {
    fileTabs->saveFileSlot(filePath, fileName);
}

void MainWindow::saveAsFileSlot(QString filePath, QString fileName) {
    fileTabs->saveAsFileSlot(filePath, fileName);
}

void MainWindow::openRecentSlot(QStringList recentFileName) {
    fileTabs->openRecentSlot(recentFileName);
}

QTextEdit* MainWindow::debugLog() const {
    return log->edit();
}

void MainWindow::showDebugMsg(QString modeName, QString msg) {
    log->append(modeName, msg);
}

void MainWindow::showDebugMsg(QString modeName, QString msg, int arg) {
    log->appendInPlace(modeName, msg, arg);
}

void MainWindow::showMsg(QMessageBox::Icon msgType, QString msg) {
    showMsgs(msgType, msg, 0);
}

void MainWindow::showMsgs(QMessageBox::Icon msgType, QString msg, int arg) {
    shutdownShadow();
    const char* title = "提示";
    if (msgType == QMessageBox::Warning)
        title = "警告";
    else if (msgType == QMessageBox::Critical)
        title = "错误";
    else if (msgType == QMessageBox::Question)
        title = "询问";
    // While a modal dialog is open, a box of the main window would be blocked by it: it could
    // neither be read to the end nor dismissed. It belongs to that dialog then.
    QWidget* owner = QApplication::activeModalWidget();
    auto* box =
        new QMessageBox(msgType, translated(title), msg, QMessageBox::Ok, owner ? owner : this);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    if (msgType == QMessageBox::Information && arg != 0) {
        // After a change on the BiSS master, its state is read again once the box is closed.
        connect(box, &QMessageBox::finished, this, [this] {
            if (work && DevicesType::instance()->getConnectedType() == DevicesType::BiSS_Master)
                work->getMasterStatus();
        });
    }
    box->show();
    updateShadow();
}

void MainWindow::setProgress(int value) {
    qDebug() << value;
    progress->setProperty("SuccessFlag", QStringLiteral("progress"));
    statusBar()->setProperty("SuccessFlag", QStringLiteral("progress"));
    progress->setValue(value);
    repolish(progress);
    repolish(statusBar());
}

void MainWindow::setProgress(bool connectFlag) {
    const QString flag = connectFlag ? QStringLiteral("success") : QStringLiteral("fail");
    progress->setProperty("SuccessFlag", flag);
    statusBar()->setProperty("SuccessFlag", flag);
    log->markLast(connectFlag);
    repolish(progress);
    repolish(statusBar());
}

