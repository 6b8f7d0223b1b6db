// Quelbrin: start-up. "--simulate" serves simulated equipment on pseudo-terminals.
#include <memory>

#include <QApplication>

#include "catalogue.h"
#include "diagnostics.h"
#include "fileworktabs.h"
#include "language.h"
#include "mainwindow.h"
#include "simulatedequipment.h"
#include "startup.h"
#include "stylesheetloader.h"

int main(int argc, char* argv[]) {
    // Must be set before the application object exists, or Qt warns and ignores it.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Diagnostics::configure(QApplication::arguments());
    QApplication::setApplicationName(QStringLiteral("Quelbrin"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));

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
        window.fileWorkTabs()->openPaths(Startup::fileArguments(QApplication::arguments()));
        code = app.exec();
    }  // the window's controllers join their threads here, before the simulators stop
    return code;
}
