// Puts quelbrin-cli into the same working folder as the program before a command runs.
#pragma once

#include <QStringList>

namespace CliWorkFolder {
// Enters the working folder for a command that works on the configuration (not for help,
// version or an unknown command) and logs it once. When that folder is not the one the command
// was started in, file arguments given relative to the start folder are made absolute first.
// Returns the arguments to run.
QStringList enter(const QStringList& arguments);

// The arguments with every relative file argument of the command made absolute against base.
QStringList absoluteFileArguments(const QStringList& arguments, const QString& base);
}  // namespace CliWorkFolder
