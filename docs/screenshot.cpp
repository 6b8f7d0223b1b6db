// Renders the main window with the serial dialog open, after one connect to the simulated rig,
// as a PNG. The widgets render themselves (QWidget::grab), so the picture needs neither a window
// manager nor a compositor, and the dialog is driven directly rather than by synthetic clicks.
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "mainwindow.h"
#include "serialdialog.h"
#include "simulatedequipment.h"
#include "startup.h"
#include "stylesheetloader.h"

namespace {
void selectPort(SerialDialog* dialog, const QString& description) {
    auto* ports = dialog->findChild<QComboBox*>(QStringLiteral("serialPortNum"));
    for (int i = 0; i < ports->count(); ++i)
        if (ports->itemText(i).startsWith(description))
            ports->setCurrentIndex(i);
    dialog->findChild<QComboBox*>(QStringLiteral("baudRate"))
        ->setCurrentText(QStringLiteral("115200"));
    dialog->findChild<QComboBox*>(QStringLiteral("devicesType"))
        ->setCurrentText(QStringLiteral("CALIBRATION"));
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshot.png");
    Startup::writeDefaultConfigIfMissing();
    SimulatedEquipment simulation;
    Startup::installFontFallbacks();
    MainWindow window;
    QApplication::setFont(Startup::applicationFont());
    window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
    window.resize(1280, 800);
    window.show();

    window.serialPortViewBind();
    selectPort(window.serialDialog(), QStringLiteral("Simulated calibration rig"));
    window.serialDialog()->findChild<QPushButton*>(QStringLiteral("connect"))->click();

    int code = 1;
    QTimer poll;
    poll.start(100);
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (window.serialDialog())
            return;  // still connecting
        poll.stop();
        window.serialPortViewBind();
        QTimer::singleShot(600, &app, [&] {
            SerialDialog* dialog = window.serialDialog();
            QImage shot(window.size(), QImage::Format_ARGB32_Premultiplied);
            shot.fill(QColor(70, 78, 92));
            QPainter painter(&shot);
            painter.drawPixmap(0, 0, window.grab());
            const QPixmap box = dialog->grab();
            const QPoint at((shot.width() - box.width()) / 2,
                            (shot.height() - box.height()) / 2 - 60);
            // Xvfb runs no window manager: draw a plain frame with the dialog's title.
            const int bar = 30;
            const QRect frame(at - QPoint(1, bar), QSize(box.width() + 2, box.height() + bar + 1));
            painter.fillRect(frame.translated(6, 6), QColor(0, 0, 0, 90));
            painter.fillRect(frame, QColor(30, 30, 30));
            painter.setPen(QColor(225, 225, 225));
            painter.setFont(QFont(QStringLiteral("Corbel"), 10));
            painter.drawText(QRect(frame.topLeft() + QPoint(12, 0), QSize(frame.width() - 24, bar)),
                             Qt::AlignVCenter | Qt::AlignLeft, dialog->windowTitle());
            painter.drawPixmap(at, box);
            painter.end();
            code = shot.save(output) ? 0 : 1;
            app.quit();
        });
    });
    QTimer::singleShot(20000, &app, &QApplication::quit);
    app.exec();
    return code;
}
