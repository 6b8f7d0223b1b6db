#include "debuglog.h"

#include <QDockWidget>
#include <QTextEdit>

namespace {
const char* const kPrefix = ">>>>>>>>> ";
const char* const kSeparator = "  :  :  ";

QString line(const QString& modeName, const QString& msg) {
    return QLatin1String(kPrefix) + modeName + QLatin1String(kSeparator) + msg;
}
}  // namespace

DebugLog::DebugLog(QDockWidget* dock) : QObject(dock), dock(dock) {
    replaceEdit();
}

void DebugLog::replaceEdit() {
    auto* edit = new QTextEdit(dock);
    edit->setObjectName(QStringLiteral("debugEdit"));
    edit->setReadOnly(true);
    // The oldest lines go first once the log is full: emptying it all at once threw away the
    // results of the last job as soon as a 200 ms poll had written a few hundred lines.
    edit->document()->setMaximumBlockCount(kBlockLimit);
    edit->setEnabled(textEdit ? textEdit->isEnabled() : true);
    if (textEdit)
        textEdit->deleteLater();
    textEdit = edit;
    dock->setWidget(edit);
}

void DebugLog::append(const QString& modeName, const QString& msg) {
    if (modeName.isNull() || msg.isNull())
        return;
    if (modeName == QLatin1String("clear")) {
        replaceEdit();
        dock->hide();
        textEdit->moveCursor(QTextCursor::End);
        return;
    }
    if (!modeName.isEmpty() || !msg.isEmpty()) {
        QTextCursor cursor = textEdit->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(line(modeName, msg) + QStringLiteral("\r\n"));
    }
    textEdit->moveCursor(QTextCursor::End);
}

void DebugLog::appendInPlace(const QString& modeName, const QString& msg, int arg) {
    if (modeName == QLatin1String("clear")) {
        replaceEdit();
        textEdit->clear();
        dock->hide();
        return;
    }
    QTextCursor cursor = textEdit->textCursor();
    cursor.movePosition(QTextCursor::End);
    if (msg.isEmpty()) {
        cursor.insertText(QStringLiteral("\r\n"));
        textEdit->setTextCursor(cursor);
        return;
    }
    // The line under the cursor is the previous state of this progress line: replace it.
    cursor.movePosition(QTextCursor::StartOfLine);
    cursor.select(QTextCursor::LineUnderCursor);
    cursor.removeSelectedText();
    cursor.insertText(line(modeName, msg.arg(arg)));
    textEdit->setTextCursor(cursor);
    if (textEdit->document()->blockCount() > kInPlaceBlockLimit)
        replaceEdit();
}

void DebugLog::markLast(bool ok) {
    QTextCursor cursor = textEdit->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::Up);
    cursor.movePosition(QTextCursor::StartOfLine);
    cursor.select(QTextCursor::LineUnderCursor);
    QTextCharFormat format;
    format.setForeground(ok ? QColor(Qt::green) : QColor(Qt::red));
    cursor.mergeCharFormat(format);
    textEdit->moveCursor(QTextCursor::End);
    textEdit->setEnabled(true);
}
