// Renders the main window with a generated factory firmware image open in a file tab, a
// selection and the find bar, as a PNG. The window renders itself (QWidget::grab), so the
// picture needs neither a window manager nor a compositor.
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "diagnostics.h"
#include "shotoutput.h"
#include "filework.h"
#include "fileworktabs.h"
#include "findbar.h"
#include "generation.h"
#include "hexcursor.h"
#include "hexdocument.h"
#include "hexrenderer.h"
#include "hexview.h"
#include "mainwindow.h"
#include "startup.h"
#include "stylesheetloader.h"

namespace {
// A boot loader and an application that look like Cortex-M binaries: a vector table (stack
// pointer, reset handler), then code-like bytes and a version string.
QByteArray binary(quint32 base, int size, const QByteArray& text) {
    QByteArray b(size, '\0');
    const quint32 words[] = {0x20002000, base + 0x101, base + 0x1C5, base + 0x1C7};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k) b[4 * i + k] = char((words[i] >> (8 * k)) & 0xFF);
    for (int i = 0x40; i < size; ++i) b[i] = char((i * 37 + (i >> 3) * 11) & 0xFF);
    b.replace(0x30, text.size(), text);
    return b;
}

QString writeBinary(const QTemporaryDir& dir, const char* name, const QByteArray& content) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return file.fileName();
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Diagnostics::configure(app.arguments());
    const QString output = ShotOutput::absolute(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                                         : QStringLiteral("fileedit.png"));
    QTemporaryDir dir;
    const QString boot = writeBinary(dir, "boot.bin", binary(0x08000000, 6000, "ZEK BOOT V1.0"));
    const QString application =
        writeBinary(dir, "app.bin", binary(0x08003000, 18000, "ZEK ENCODER APP V0.02"));
    const QString image = dir.filePath(QStringLiteral("ZEK_ENCODER_factory.bin"));
    Generation generation;
    if (!generation.generateFactoryImage(boot, application, image, QStringLiteral("ZEK_ENCODER"),
                                         0.02, 12288, 24576, 2048))
        return ShotOutput::fail(QStringLiteral("cannot generate the factory image to show"));

    Startup::writeDefaultConfigIfMissing();
    Startup::installFontFallbacks();
    MainWindow window;
    QApplication::setFont(Startup::applicationFont());
    window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
    window.resize(1280, 800);
    window.show();
    // The empty debug log would take half the height from the editor.
    if (auto* dock = window.findChild<QDockWidget*>())
        dock->hide();
    window.fileWorkTabs()->openPaths({image});

    auto* work = qobject_cast<FileWork*>(window.contentsTabWidget()->currentWidget());
    if (!work)
        return ShotOutput::fail(QStringLiteral("the image did not open in a file tab"));
    // Find the application's name string and show where it sits.
    FindBar* bar = work->findBar();
    bar->open();
    bar->modeBox()->setCurrentIndex(FindBar::Text);
    bar->patternEdit()->setText(QStringLiteral("ZEK ENCODER"));
    int code = 1;
    QTimer::singleShot(400, &app, [&] {
        bar->findNext();
        HexView* view = work->hexView();
        view->renderer()->selectArea(HexRenderer::AsciiArea);
        view->setFocus();
        // The hit in the middle of the view, the boot loader's end above it.
        const qint64 line = view->document()->cursor()->currentLine();
        view->verticalScrollBar()->setValue(int(line - view->visibleLines() / 2));
        QTimer::singleShot(300, &app, [&] {
            code = ShotOutput::save(window.grab(), output) ? 0 : 1;
            app.quit();
        });
    });
    QTimer::singleShot(20000, &app, [&] {
        ShotOutput::fail(QStringLiteral("no picture within 20 s"));
        app.quit();
    });
    app.exec();
    return code;
}
