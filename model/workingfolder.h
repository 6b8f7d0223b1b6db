// Where the program keeps config/, the translation cache and whatever else it writes: the working
// directory when it holds config/, else, for a program installed under /usr or started from the
// menu, the user's data folder.
#pragma once

#include <QString>
#include <QStringList>

class WorkingFolder {
public:
    // The desktop entry passes this option: the menu starts a program in the home folder, which
    // must not fill up with config/ and the rest.
    static constexpr const char* kMenuOption = "--from-menu";

    // The inputs of the decision; the defaults are this process's own.
    WorkingFolder();

    QString currentDir;
    // The folder of the executable; "<prefix>/bin" of an installed program.
    QString programDir;
    // $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
    QString dataHome;
    bool fromMenu = false;

    // The data folder: <dataHome>/quelbrin.
    QString dataFolder() const;
    // A program below /usr/bin or /usr/local/bin (also inside a root unpacked with dpkg -x),
    // not one run from a build tree.
    static bool isInstalledProgramDir(const QString& dir);
    // The folder the rules pick, without touching the disk's contents.
    QString choose() const;

    // Makes the chosen folder the working directory, creating it when needed, and writes the
    // default configuration into its config/ when config.ini is missing. Returns the folder, or
    // an empty text with the reason in *error.
    QString enter(QString* error = nullptr);

    // Where a new folder's configuration comes from: the installed copy beside the program
    // first, so that a deployment may edit it, then the one compiled into the program.
    QStringList defaultConfigSources() const;
    // Writes config/config.ini below the working directory when it is missing; true when written.
    bool writeDefaultConfigIfMissing() const;
};
