// Quelbrin: start-up. "--simulate" serves simulated equipment on pseudo-terminals.
#include <cstdio>
#include <cstring>
#include <memory>

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include "catalogue.h"
#include "diagnostics.h"
#include "fileworktabs.h"
#include "language.h"
#include "mainwindow.h"
#include "simulatedequipment.h"
#include "startup.h"
#include "stylesheetloader.h"
#include "workingfolder.h"

int main(int argc, char* argv[]) {
    // Help and version before the application object: they must work without a display.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
            std::fputs(Startup::helpText().toUtf8().constData(), stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "-v") || !std::strcmp(argv[i], "--version")) {
            std::fputs("quelbrin 1.0.0.0\n", stdout);
            return 0;
        }
    }
    // Must be set before the application object exists, or Qt warns and ignores it.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Diagnostics::configure(QApplication::arguments());
    QApplication::setApplicationName(QStringLiteral("Quelbrin"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    // The desktop entry's name, so that a Wayland compositor finds its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quelbrin.Quelbrin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/system/icons/quelbrin.png")));

    // Files named on the command line are relative to the folder the program was started in,
    // which the working folder may not be.
    QStringList files;
    for (const QString& file : Startup::fileArguments(QApplication::arguments()))
        files << QFileInfo(file).absoluteFilePath();
    QString error;
    const QString folder = WorkingFolder().enter(&error);
    if (folder.isEmpty())
        qWarning().noquote() << error;
    else
        qInfo().noquote() << "quelbrin: working folder" << folder;

    Startup::writeDefaultConfigIfMissing();
    // Qt's own texts (dialog buttons, file dialogs) in the operator's language.
    Catalogue::installQtTranslations(Language::instance()->currentKey());
    std::unique_ptr<SimulatedEquipment> simulation;
    if (QApplication::arguments().contains(QStringLiteral("--simulate")))
        simulation = std::make_unique<SimulatedEquipment>();

    Startup::installFontFallbacks();
    int code = 0;
    {
        MainWindow window;
        QApplication::setFont(Startup::applicationFont());
        window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
        window.show();
        window.fileWorkTabs()->openPaths(files);
        code = app.exec();
    }  // the window's controllers join their threads here, before the simulators stop
    return code;
}
