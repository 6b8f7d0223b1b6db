// Renders the main window with its "工作区" contents tab, the settings workspace, as a PNG.
// The widgets render themselves (QWidget::grab), so no window manager is needed.
#include <QApplication>
#include <QCursor>
#include <QDockWidget>
#include <QTabWidget>
#include <QTimer>

#include "diagnostics.h"
#include "shotoutput.h"
#include "mainwindow.h"
#include "settingswork.h"
#include "startup.h"
#include "stylesheetloader.h"

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    const QString output = ShotOutput::absolute(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                                         : QStringLiteral("workspace.png"));
    Startup::writeDefaultConfigIfMissing();
    Startup::installFontFallbacks();
    MainWindow window;
    QApplication::setFont(Startup::applicationFont());
    window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
    window.resize(1280, 800);
    window.show();
    // Xvfb puts the pointer mid-screen, where it would hover one row of the list.
    QCursor::setPos(0, 0);

    auto* work = window.findChild<SettingsWork*>();
    if (!work)
        return ShotOutput::fail(QStringLiteral("the main window has no settings workspace"));
    window.contentsTabWidget()->setCurrentWidget(work);
    // The log dock would take half the height from the list this picture is about.
    if (auto* dock = window.findChild<QDockWidget*>(QStringLiteral("debugDock")))
        dock->hide();
    int code = 1;
    // The shadows come back 150 ms after the last resize: wait for them.
    QTimer::singleShot(800, &app, [&] {
        code = ShotOutput::save(window.grab(), output) ? 0 : 1;
        app.quit();
    });
    QTimer::singleShot(20000, &app, [&] {
        ShotOutput::fail(QStringLiteral("no picture within 20 s"));
        app.quit();
    });
    app.exec();
    return code;
}
