// A quelbrin-cli command's options: --name VALUE or --name=VALUE, bare flags and up to a set
// number of positional arguments; anything else ends the parse with a usage error.
#pragma once

#include <initializer_list>

#include <QMap>
#include <QString>
#include <QStringList>

class CliOptions {
public:
    static CliOptions parse(const QStringList& args, const QStringList& withValue,
                            const QStringList& bare, int maxPositional = 0);
    // Prints message and the help hint on stderr; returns the usage exit code. commandName, when
    // given, follows the program's name in the message.
    static int usageError(const QString& message, const QString& commandName = QString());

    QString value(const char* name) const { return values.value(QString::fromLatin1(name)); }
    // Given on the line, even with an empty value.
    bool contains(const char* name) const { return values.contains(QString::fromLatin1(name)); }
    bool has(const char* name) const { return flags.contains(QString::fromLatin1(name)); }
    // The first of required whose value is empty; empty when all are there.
    QString missing(std::initializer_list<const char*> required) const;

    QMap<QString, QString> values;
    QStringList flags;
    QStringList positional;
    QString error;
};
