// Scoped helpers every job on the link uses: the job frame (progress 0, the port opened for this
// job, closed on every exit path) and a reply deadline raised for one stretch of a job.
#pragma once

#include <QString>

class Ymodem;

class JobFrame {
public:
    // Silent is for the jobs the panels poll: they report no progress at all, so a poll never
    // moves the progress bar of the job the operator started.
    enum Progress { ReportsProgress, Silent };

    // Emits progress 0 (unless Silent) and opens the port; check isOpen() before talking.
    JobFrame(Ymodem* link, const QString& portText, int baudRate,
             Progress progress = ReportsProgress);
    ~JobFrame();
    JobFrame(const JobFrame&) = delete;
    JobFrame& operator=(const JobFrame&) = delete;

    bool isOpen() const { return opened; }

private:
    Ymodem* link;
    bool opened;
};

// Sets the link's reply deadline for as long as it lives and puts the previous one back on every
// exit, so a failed long phase never leaves the next job waiting 50 s for a dead device.
class ReplyDeadline {
public:
    ReplyDeadline(Ymodem* link, int milliseconds);
    ~ReplyDeadline();
    ReplyDeadline(const ReplyDeadline&) = delete;
    ReplyDeadline& operator=(const ReplyDeadline&) = delete;

private:
    Ymodem* link;
    int previous;
};
