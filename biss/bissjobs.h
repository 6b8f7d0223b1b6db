// The BiSS jobs: each opens the port, runs its commands in order and closes the port on every
// path. The op codes are the requests the worker and the command line accept.
#pragma once

#include <functional>

#include <QString>

#include "bisscommands.h"

class BissEntity;
class Ymodem;

class BissJobs {
public:
    enum Op {
        SetMasterParameters = 0,
        GetMasterStatus = 1,
        SetSlaveEnable = 2,
        GetSlaveStatus = 3,
        GetSlaveData = 4,
        SetSlaveCommMode = 5,
        ReadSlaveRegister = 6,
        WriteSlaveRegister = 7,
        ClearSlaveFault = 8,
        ClearMasterFault = 9,
        ReadResolution = 10,
        WriteResolution = 11
    };

    explicit BissJobs(Ymodem* link) : link(link), commands(link) {}

    bool setMasterParametersJob(BissEntity* entity, const QString& portText, int baudRate);
    bool getMasterStatusJob(BissEntity* entity, const QString& portText, int baudRate);
    bool setSlaveEnableJob(BissEntity* entity, const QString& portText, int baudRate);
    bool getSlaveStatusJob(BissEntity* entity, const QString& portText, int baudRate);
    bool getSlaveDataJob(BissEntity* entity, const QString& portText, int baudRate);
    bool setSlaveCommModeJob(BissEntity* entity, const QString& portText, int baudRate);
    bool readSlaveRegisterJob(BissEntity* entity, const QString& portText, int baudRate);
    bool writeSlaveRegisterJob(BissEntity* entity, const QString& portText, int baudRate);
    bool clearSlaveFaultJob(BissEntity* entity, const QString& portText, int baudRate);
    bool clearMasterFaultJob(BissEntity* entity, const QString& portText, int baudRate);
    bool readResolutionJob(BissEntity* entity, const QString& portText, int baudRate);
    bool writeResolutionJob(BissEntity* entity, const QString& portText, int baudRate);

    // The job of an op code; false without any traffic for an unknown op.
    bool runJob(int op, BissEntity* entity, const QString& portText, int baudRate);

    BissCommands* getCommands() { return &commands; }

private:
    static constexpr int kNoFirstProgress = -1;
    // The frame of every reporting job: progress 0 and the port, then firstProgress and the
    // opening message (where given), the steps, and 100 only when they all succeeded.
    bool framedJob(const QString& portText, int baudRate, int firstProgress, const QString& opening,
                   const std::function<bool()>& steps);
    void progress(int value);

    Ymodem* link;
    BissCommands commands;
};
