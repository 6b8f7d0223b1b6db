// Prints what the file editor costs on large firmware files: open to first paint, resident
// memory, a jump to the end, one keystroke in the middle and its undo.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include "diagnostics.h"
#include "filework.h"
#include "hexcursor.h"
#include "hexdocument.h"
#include "hexview.h"

namespace {
qint64 residentBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

void writeImage(const QString& path, qint64 size) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray chunk(1024 * 1024, '\0');
    for (int i = 0; i < chunk.size(); ++i) chunk[i] = char((i * 131) ^ (i >> 8));
    for (qint64 done = 0; done < size; done += chunk.size()) file.write(chunk);
}

double ms(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

// Counts the paints of the view, to be sure the figures include them.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void showAndPaint(QWidget* window, HexView* view) {
    window->show();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    view->viewport()->repaint();
}

void key(HexView* view, int k, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(view, &press);
    view->viewport()->repaint();
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    QTextStream out(stdout);
    QTemporaryDir dir;
    {
        // Fonts, styles and the raster engine start once: keep them out of the figures.
        const QString warm = dir.filePath(QStringLiteral("warm.bin"));
        writeImage(warm, 4096);
        FileWork work;
        work.resize(1100, 800);
        work.loadFile(warm);
        showAndPaint(&work, work.hexView());
    }
    out << "size      open+paint  RSS/size  jump-end  overwrite  undo    insert  undo\n";
    for (int mib : {1, 64, 256}) {
        const qint64 size = qint64(mib) * 1024 * 1024;
        const QString path = dir.filePath(QStringLiteral("image%1.bin").arg(mib));
        writeImage(path, size);
        const qint64 before = residentBytes();
        double open, jump, type, undo, insert, undoInsert;
        double rss;
        bool verified = false;
        {
            FileWork work;
            work.resize(1100, 800);
            QElapsedTimer t;
            t.start();
            work.loadFile(path);
            const double load = ms(t);
            HexView* view = work.hexView();
            PaintCounter counter;
            view->viewport()->installEventFilter(&counter);
            showAndPaint(&work, view);
            open = ms(t);
            qInfo("read %.1f ms, then shown and painted in %.1f ms", load, open - load);
            rss = double(residentBytes() - before) / size;

            t.restart();
            key(view, Qt::Key_End, QString());
            QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
            QCoreApplication::sendEvent(view, &end);
            view->viewport()->repaint();
            jump = ms(t);

            HexDocument* document = view->document();
            document->cursor()->placeAt(size / 2);
            t.restart();
            key(view, Qt::Key_5, QStringLiteral("5"));
            type = ms(t);
            verified = (document->at(size / 2) >> 4) == 5 && counter.paints >= 3;
            t.restart();
            document->undo();
            view->viewport()->repaint();
            undo = ms(t);

            document->cursor()->setEditMode(HexCursor::InsertMode);
            document->cursor()->placeAt(size / 2);
            t.restart();
            key(view, Qt::Key_7, QStringLiteral("7"));
            insert = ms(t);
            t.restart();
            document->undo();
            view->viewport()->repaint();
            undoInsert = ms(t);
        }
        QFile::remove(path);
        if (!verified)
            out << "(the keystroke did not reach the document)\n";
        out << QStringLiteral("%1 MiB").arg(mib).leftJustified(10)
            << QStringLiteral("%1 ms").arg(open, 0, 'f', 1).leftJustified(12)
            << QStringLiteral("%1").arg(rss, 0, 'f', 2).leftJustified(10)
            << QStringLiteral("%1 ms").arg(jump, 0, 'f', 1).leftJustified(10)
            << QStringLiteral("%1 ms").arg(type, 0, 'f', 1).leftJustified(11)
            << QStringLiteral("%1 ms").arg(undo, 0, 'f', 1).leftJustified(8)
            << QStringLiteral("%1 ms").arg(insert, 0, 'f', 1).leftJustified(8)
            << QStringLiteral("%1 ms").arg(undoInsert, 0, 'f', 1) << "\n";
        out.flush();
    }
    return 0;
}
