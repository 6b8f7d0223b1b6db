#include "clicommands.h"

#include <cstdio>

#include <QCoreApplication>
#include <QTextStream>

#include "baidutranslate.h"
#include "language.h"

namespace {
const char* const kHelp =
    "Usage: quelbrin-cli COMMAND [OPTIONS]\n"
    "\n"
    "Quelbrin's headless front end. It works on config/ in the current directory,\n"
    "as the program does.\n"
    "\n"
    "Commands:\n"
    "  translate [--lang KEY] TEXT   print the translation of TEXT (KEY: en, zh, yue, jp, de;\n"
    "                                default: the stored language)\n"
    "\n"
    "Options:\n"
    "  -h, --help      show this help\n"
    "  -v, --version   show the version\n"
    "\n"
    "Exit codes: 0 success, 1 the job failed, 2 usage error.\n";

void out(const QString& text) {
    QTextStream stream(stdout);
    stream << text;
}
}  // namespace

int CliCommands::usageError(const QString& message) {
    QTextStream err(stderr);
    err << "quelbrin-cli: " << message << "\n"
        << "Try 'quelbrin-cli --help'.\n";
    return kUsage;
}

int CliCommands::run(const QStringList& arguments) {
    const QStringList args = arguments.mid(1);
    if (args.isEmpty()) return usageError(QStringLiteral("no command given"));
    const QString command = args.first();
    if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
        out(QString::fromUtf8(kHelp));
        return kOk;
    }
    if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
        out(QStringLiteral("quelbrin-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return kOk;
    }
    if (command == QLatin1String("translate")) return translate(args.mid(1));
    return usageError(QStringLiteral("unknown command '%1'").arg(command));
}

int CliCommands::translate(const QStringList& args) {
    QString language;
    QStringList words;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--lang")) {
            if (i + 1 >= args.size()) return usageError(QStringLiteral("--lang needs a language key"));
            language = args.at(++i);
        } else if (a.startsWith(QLatin1String("--lang="))) {
            language = a.mid(7);
        } else if (a.startsWith(QLatin1String("--")) && a != QLatin1String("--")) {
            return usageError(QStringLiteral("unknown option '%1'").arg(a));
        } else {
            words << (a == QLatin1String("--") ? args.mid(i + 1).join(QLatin1Char(' ')) : a);
            if (a == QLatin1String("--")) break;
        }
    }
    if (words.isEmpty()) return usageError(QStringLiteral("translate needs a TEXT"));

    Language* holder = Language::instance();
    if (!language.isEmpty()) {
        const int value = Language::keyToValue(language);
        if (value < 0)
            return usageError(QStringLiteral("unknown language '%1' (one of: %2)")
                                  .arg(language, Language::keyList().join(QStringLiteral(", "))));
        holder->setValue(value);
    }
    out(BaiduTranslate::translate(words.join(QLatin1Char(' '))) + QLatin1Char('\n'));
    return kOk;
}
