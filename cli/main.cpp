// quelbrin-cli: the headless front end, one command per device job, over the same controllers.
#include <QCoreApplication>

#include "catalogue.h"
#include "clicommands.h"
#include "diagnostics.h"
#include "language.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quelbrin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUELBRIN_VERSION));
    const QStringList arguments = Diagnostics::configure(QCoreApplication::arguments());
    Catalogue::installQtTranslations(Language::instance()->currentKey());
    return CliCommands::run(arguments);
}
