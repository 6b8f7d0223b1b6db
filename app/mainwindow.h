// The one top-level window: its own title bar and menus, the navigation tabs, the contents
// tabs, the debug log and the status bar, and the hub between the views and the controllers.
#pragma once

#include <functional>

#include <QList>
#include <QMainWindow>
#include <QMessageBox>
#include <QPoint>
#include <QPointer>
#include <QStringList>

class QAction;
class QDockWidget;
class QGridLayout;
class QMenu;
class QMenuBar;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTextEdit;
class DebugLog;
class FileWorkTabs;
class HistoryView;
class QLabel;
class WindowFrame;
class ReadConfig;
class SerialDialog;
class SerialPortControler;
class SettingsWork;
class CalibrationEntity;
class JobWiring;
class LeftWidgetTab;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    static MainWindow* instance();

    QTextEdit* debugLog() const;
    WindowFrame* windowFrame() const { return frame; }
    QProgressBar* progressBar() const { return progress; }
    QTabWidget* leftTabWidget() const { return leftTabs; }
    QTabWidget* contentsTabWidget() const { return contentsWidget; }
    QStringList leftTabNames() const { return tabNames; }
    QAction* action(const QString& objectName) const;
    SerialDialog* serialDialog() const;
    // The "工作区" contents tab, created once with the navigation.
    SettingsWork* settingsWork() const { return work; }
    JobWiring* jobWiring() const { return jobs; }
    // Answers the question before a running job is stopped by quitting (true: stop and quit);
    // tests set it, the program leaves it empty and shows the box.
    static std::function<bool(QMessageBox&)> askStopJob;
    // After a calibration or test result: the calibration navigation shows that run's result
    // group, and a new workspace shows the record's figures (the window takes the record).
    void showCalibrationGroups(bool afterCalibration, CalibrationEntity* record);
    // The file tabs, the file dialogs and the recent-files menu.
    FileWorkTabs* fileWorkTabs() const { return fileTabs; }
    // The "生产记录" contents tab, created on first use and shown.
    HistoryView* showHistory();

    // Starts the copy of the program that a restart hands over to (a detached process);
    // tests replace it to see what would be started.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments,
                                        const QString& workingDirectory)>;
    static Launcher restartLauncher;

signals:
    void windowChanged(int width);
    void windowResisze(int width);
    void openFileSignal();
    void newFileSignal();
    void saveFileSignal(QString filePath);
    void saveAsFileSignal();
    void openRecentSignal();

public slots:
    void mainShowMin(bool);
    void mainShowMaxOrNormal(bool);
    void mainClose(bool);
    void leftTabChange(QString tabName);
    void openFileSlot(QString filePath, QString fileName);
    void newFileSlot(QString fileName);
    void saveFileSlot(QString filePath, QString fileName);
    void saveAsFileSlot(QString filePath, QString fileName);
    void openRecentSlot(QStringList recentFileName);
    void showDebugMsg(QString modeName, QString msg);
    void showDebugMsg(QString modeName, QString msg, int arg);
    void showMsg(QMessageBox::Icon msgType, QString msg);
    void showMsgs(QMessageBox::Icon msgType, QString msg, int arg);
    void setProgress(bool connectFlag);
    void setProgress(int value);
    void serialPortViewBind();
    void addDevicesViewBind();
    void themeSettingsViewBind();
    void workSpaceSettingsViewBind();
    void updateShadow();
    void shutdownShadow();
    // A language or permission change takes effect in a new process: start one, then quit.
    void restartApplication();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Asks before unsaved file changes would be lost with the window.
    void closeEvent(QCloseEvent* event) override;
    // While a job holds the port, asks before quitting (naming the job and what stopping it
    // leaves on the device); a confirmed quit stops the job within its limit.
    bool mayStopRunningJob();

private:
    void buildMenus();
    void buildCentral();
    void buildDecoration();
    void buildFileWork();
    void buildNavigation();
    void registerWorkspacePages();
    void buildWorkspace();
    void showSettingsDialog(QDialog* dialog);
    void showWorkspaceTab();
    void repolish(QWidget* widget);
    void setWindowProperty(const char* value);
    void showRestored();
    void showMaximisedLook();
    void scheduleShadow(int ms);
    // The workspace tab carries no close button: closed, it would leave an empty panel.
    void pinWorkspaceTab();
    void closeContentsTab(int index);
    void updateDeviceLabel();

    ReadConfig* readConfig;
    QMenuBar* menuBar_ = nullptr;
    QMenuBar* toolBar = nullptr;
    QMenuBar* maximiBar = nullptr;
    QMenuBar* exitBar = nullptr;
    QAction* minAction = nullptr;
    QAction* maxMinAction = nullptr;
    QAction* exitAction = nullptr;
    QWidget* central = nullptr;
    QGridLayout* centralGrid = nullptr;
    QWidget* leftWidget = nullptr;
    QWidget* rightWidget = nullptr;
    QTabWidget* leftTabs = nullptr;
    QTabWidget* contentsWidget = nullptr;
    QDockWidget* debugDock = nullptr;
    DebugLog* log = nullptr;
    WindowFrame* frame = nullptr;
    QPushButton* debugButton = nullptr;
    QProgressBar* progress = nullptr;
    // The device connected and its port, while a connection stands.
    QLabel* deviceLabel = nullptr;
    QString connectingPort;
    QString connectedPort;
    QStringList tabNames;
    SerialPortControler* serialPortControler = nullptr;
    QPointer<SerialDialog> currentSerialDialog;
    SettingsWork* work = nullptr;
    JobWiring* jobs = nullptr;
    QList<LeftWidgetTab*> navigationTabs;
    QList<QList<QStringList>> areaGroups;
    FileWorkTabs* fileTabs = nullptr;
    QPointer<QDialog> currentSettingsDialog;
    QPointer<HistoryView> history;
    QLabel* recordQueue = nullptr;
};
