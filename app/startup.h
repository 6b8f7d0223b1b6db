// What start-up does before the main window: fonts and the first start's configuration.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class Startup {
public:
    // Corbel 10 pt, normal weight, no hinting; Corbel and the other families the forms name
    // fall back to a sans-serif with CJK glyphs where they are missing.
    static QFont applicationFont();
    static void installFontFallbacks();

    // Writes config/config.ini from the default configuration when it is missing, with example
    // paths below the user's home. Returns true when it wrote the file.
    static bool writeDefaultConfigIfMissing();

    // What "quelbrin --help" prints.
    static QString helpText();

    // The files named on the command line ("quelbrin FILE…", as a file manager's "Open with"
    // starts it): every argument after the program that is not an option; after "--" all are.
    static QStringList fileArguments(const QStringList& arguments);
};
