// The IAP upgrade job over the device link: image check, boot mode, version comparison, the
// YMODEM transfer, and the way back to normal mode.
#pragma once

#include <QString>

#include "ymodemtransfer.h"

class Ymodem;

class FirmwareUpgrade {
public:
    static constexpr int kTrailerSize = 16;
    static constexpr int kModelLength = 11;

    explicit FirmwareUpgrade(Ymodem* link);

    bool upgradeFirmware(const QString& portText, int baudRate, const QString& firmwarePath);
    bool checkFirmwareFile(const QString& firmwarePath, float& firmwareVersion);
    bool compareFirmwareVersion(float firmwareVersion);
    bool enterBootMode();
    bool enterNormalMode();

    // The plain transfer of one file (no identification, no mode switches), as one job.
    bool sendFile(const QString& portText, int baudRate, const QString& path, int packetSize);

    YmodemTransfer* getTransfer() { return &transfer; }

    // The boot loader's pace; tests shorten them.
    int modeSwitchWaitMs = 2000;    // after the mode-switch frame and after 'R'
    int statusPassWaitMs = 1000;    // after each pass of the version check
    int versionSettleMs = 100;      // before the versions are compared
    int afterTransferWaitMs = 200;  // between the transfer's end and 'R'
    int bissSettleMs = 500;         // extra pause for a BiSS master after a good transfer
    int bissFailSettleMs = 100;     // and after a failed one
    // A device still in normal mode after this many mode switches will not enter its boot
    // loader; the job gives up instead of switching forever.
    int maxModeSwitches = 3;

private:
    void say(const QString& text);
    bool isBissMaster() const;

    Ymodem* link;
    YmodemTransfer transfer;
};
