#include "clioptions.h"

#include <QTextStream>

#include "clicommands.h"

CliOptions CliOptions::parse(const QStringList& args, const QStringList& withValue,
                             const QStringList& bare, int maxPositional) {
    CliOptions o;
    for (int i = 0; i < args.size(); ++i) {
        QString name = args.at(i);
        QString value;
        const int eq = name.startsWith(QLatin1String("--")) ? name.indexOf(QLatin1Char('=')) : -1;
        if (eq > 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }
        if (bare.contains(name) && eq < 0) {
            o.flags << name;
        } else if (withValue.contains(name)) {
            if (eq < 0) {
                if (i + 1 >= args.size()) {
                    o.error = QStringLiteral("%1 needs a value").arg(name);
                    return o;
                }
                value = args.at(++i);
            }
            o.values.insert(name, value);
        } else if (!name.startsWith(QLatin1String("--")) && o.positional.size() < maxPositional) {
            o.positional << name;
        } else {
            o.error = QStringLiteral("unexpected argument '%1'").arg(args.at(i));
            return o;
        }
    }
    return o;
}

int CliOptions::usageError(const QString& message, const QString& commandName) {
    QTextStream(stderr) << "quelbrin-cli" << (commandName.isEmpty() ? QString() : " " + commandName)
                        << ": " << message << "\n"
                        << "Try 'quelbrin-cli --help'.\n";
    return CliCommands::kUsage;
}

QString CliOptions::missing(std::initializer_list<const char*> required) const {
    for (const char* name : required)
        if (value(name).isEmpty())
            return QString::fromLatin1(name);
    return QString();
}
