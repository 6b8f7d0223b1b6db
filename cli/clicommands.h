// Parses a quelbrin-cli command line and runs the command; returns the process exit code.
#pragma once

#include <QStringList>

class CliCommands {
public:
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;

    // Whether the command reads config/config.ini (every one but --help and --version): such
    // a command writes the default configuration first, as the program does on its first start
    // in a folder, before anything reads the file.
    static bool readsConfiguration(const QStringList& arguments);
    static int run(const QStringList& arguments);

private:
    static int translate(const QStringList& args);
    static int ports(const QStringList& args);
    static int connectDevice(const QStringList& args);
    static int usageError(const QString& message);
};
