// "保存 & 开始" of the firmware generation and of the IAP area: save the job's record, check
// it, and start the job.
#pragma once

#include "firmwarepage.h"

class QPushButton;

class FirmwareRunPage : public FirmwarePage {
    Q_OBJECT
public:
    enum Job { Generation, Iap };

    FirmwareRunPage(SettingsWork* work, Job job);

    QPushButton* saveButton;
    QPushButton* startButton;

private:
    void save();
    void start();
    void startGeneration();
    void startIap();
    void warn(const char* text);

    Job job;
};
