// The configuration a folder starts with: written from the embedded default by every front end
// (the window and each command of quelbrin-cli) before it reads config/config.ini.
#pragma once

class DefaultConfig {
public:
    // Writes config/config.ini from the embedded default when it is missing, with example paths
    // below the user's documents. Returns true when it wrote the file; whole or not at all.
    static bool writeIfMissing();
};
