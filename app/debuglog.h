// The debug log's text: operator lines under a job's name, in-place progress lines, the colour of
// the last line, and the size limits that keep a long session fast.
#pragma once

#include <QObject>
#include <QString>

class QDockWidget;
class QTextEdit;

class DebugLog : public QObject {
    Q_OBJECT
public:
    // The log keeps the newest kBlockLimit lines (older ones drop off the top).
    static constexpr int kBlockLimit = 1000;
    static constexpr int kInPlaceBlockLimit = 100000;

    // The log's text edit lives in dock; it is replaced (not cleared) at the limits.
    explicit DebugLog(QDockWidget* dock);

    QTextEdit* edit() const { return textEdit; }

    // ">>>>>>>>> " + name + "  :  :  " + message on a line of its own. The name "clear" empties
    // the log and hides the dock.
    void append(const QString& modeName, const QString& msg);
    // A line holding "%1", rewritten in place each time (transfer progress); an empty message
    // ends the line.
    void appendInPlace(const QString& modeName, const QString& msg, int arg);
    // The last finished line turns green or red with the job's outcome.
    void markLast(bool ok);

private:
    void replaceEdit();

    QDockWidget* dock;
    QTextEdit* textEdit = nullptr;
};
