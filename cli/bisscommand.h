// quelbrin-cli biss: runs BiSS operations one after another through BissControler, so the shared
// state carries from one to the next as in the program.
#pragma once

#include <QStringList>

class BissCommand {
public:
    // args: everything after "biss"; returns the process exit code.
    static int run(const QStringList& args);
};
