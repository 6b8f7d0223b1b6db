#include "cliworkfolder.h"

#include <QDebug>
#include <QDir>

#include "commandhelp.h"
#include "workingfolder.h"

namespace {
// Options whose value names a file, in any command.
const QStringList kFileOptions{"--app",    "--boot",   "--out",      "--file",
                               "--record", "--report", "--from-json"};
// ymodem's FILE is its one positional argument; these of its options take a value.
const QStringList kYmodemValueOptions{"--port", "--baud", "--block"};

QString absolute(const QString& path, const QString& base) {
    return path.isEmpty() || QDir::isAbsolutePath(path) ? path : QDir(base).absoluteFilePath(path);
}
}  // namespace

namespace CliWorkFolder {

QStringList absoluteFileArguments(const QStringList& arguments, const QString& base) {
    QStringList args = arguments;
    const bool ymodem = args.size() > 1 && args.at(1) == QLatin1String("ymodem");
    for (int i = 2; i < args.size(); ++i) {
        const QString a = args.at(i);
        const int eq = a.startsWith(QLatin1String("--")) ? a.indexOf(QLatin1Char('=')) : -1;
        const QString name = eq > 0 ? a.left(eq) : a;
        if (kFileOptions.contains(name)) {
            if (eq > 0)
                args[i] = name + QLatin1Char('=') + absolute(a.mid(eq + 1), base);
            else if (++i < args.size())
                args[i] = absolute(args.at(i), base);
        } else if (ymodem && kYmodemValueOptions.contains(name)) {
            if (eq < 0)
                ++i;
        } else if (ymodem && !a.startsWith(QLatin1Char('-'))) {
            args[i] = absolute(a, base);
        }
    }
    return args;
}

QStringList enter(const QStringList& arguments) {
    if (arguments.size() < 2 || !CommandHelp::commands().contains(arguments.at(1)) ||
        CommandHelp::asksForHelp(arguments.mid(2)))
        return arguments;
    const QString start = QDir::currentPath();
    QString error;
    const QString folder = WorkingFolder().enter(&error);
    if (folder.isEmpty()) {
        qWarning().noquote() << "quelbrin-cli:" << error;
        return arguments;
    }
    qInfo().noquote() << "quelbrin-cli: working folder" << folder;
    return folder == QDir::cleanPath(start) ? arguments : absoluteFileArguments(arguments, start);
}

}  // namespace CliWorkFolder
