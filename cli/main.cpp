// quelbrin-cli: the headless front end, one command per device job, over the same controllers.
#include <QCoreApplication>

#include "clicommands.h"
#include "cliworkfolder.h"
#include "diagnostics.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quelbrin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUELBRIN_VERSION));
    return CliCommands::run(
        CliWorkFolder::enter(Diagnostics::configure(QCoreApplication::arguments())));
}
