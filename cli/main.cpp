// quelbrin-cli: the headless front end, one command per device job, over the same controllers.
#include <memory>

#include <QApplication>

#include "catalogue.h"
#include "clicommands.h"
#include "defaultconfig.h"
#include "diagnostics.h"
#include "language.h"
#include "reportcommand.h"

int main(int argc, char* argv[]) {
    QStringList given;
    for (int i = 0; i < argc; ++i) given << QString::fromLocal8Bit(argv[i]);
    std::unique_ptr<QCoreApplication> app;
    if (ReportCommand::needsWidgets(given)) {
        // The report's charts are widgets; they are drawn without a screen.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quelbrin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUELBRIN_VERSION));
    const QStringList arguments = Diagnostics::configure(QCoreApplication::arguments());
    if (CliCommands::readsConfiguration(arguments))
        DefaultConfig::writeIfMissing();
    Catalogue::installQtTranslations(Language::instance()->currentKey());
    return CliCommands::run(arguments);
}
