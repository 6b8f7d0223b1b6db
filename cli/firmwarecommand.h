// quelbrin-cli's firmware family: image generation (firmware), the IAP upgrade (iap) and the
// plain YMODEM transfer (ymodem).
#pragma once

#include <QString>
#include <QStringList>

class FirmwareCommand {
public:
    static bool handles(const QString& command);
    // args: the arguments after the command name; returns the exit code.
    static int run(const QString& command, const QStringList& args);

private:
    static int firmware(const QStringList& args);
    static int iap(const QStringList& args);
    static int ymodem(const QStringList& args);
};
