// The usage of each quelbrin-cli command, printed by "quelbrin-cli COMMAND --help".
#pragma once

#include <QString>
#include <QStringList>

namespace CommandHelp {
// The commands, in the order of the overview help.
QStringList commands();
// True when -h or --help comes among a command's arguments (before a "--").
bool asksForHelp(const QStringList& commandArguments);
// The usage text of a command; empty for an unknown one.
QString usage(const QString& command);
}  // namespace CommandHelp
