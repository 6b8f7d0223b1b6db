// Renders the main window as a user sees it after a connect to the simulated rig (the dialog
// has closed, the log shows the exchange, the progress bar is full), as a PNG. With a second
// file name it also renders the device-type list of the serial dialog, opened. The widgets render
// themselves (QWidget::grab), so the picture needs neither a window manager nor a compositor, and
// the dialog is driven directly rather than by synthetic clicks.
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "diagnostics.h"
#include "shotoutput.h"
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
    Diagnostics::configure(QApplication::arguments());
    const QString output = ShotOutput::absolute(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                                         : QStringLiteral("screenshot.png"));
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
    const QString popupOutput =
        argc > 2 ? ShotOutput::absolute(QString::fromLocal8Bit(argv[2])) : QString();
    QTimer poll;
    poll.start(100);
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (window.serialDialog())
            return;  // still connecting
        poll.stop();
        // Show a task page, chosen in the navigation as a user would.
        auto* tree = window.leftTabWidget()->currentWidget()->findChild<QTreeWidget*>();
        const QList<QTreeWidgetItem*> found =
            tree->findItems(QStringLiteral("对拖工装参数"), Qt::MatchExactly | Qt::MatchRecursive);
        if (!found.isEmpty()) {
            tree->expandItem(found.first()->parent());
            tree->setCurrentItem(found.first());
            emit tree->itemClicked(found.first(), 0);
        }
        QTimer::singleShot(600, &app, [&] {
            QImage shot(window.size(), QImage::Format_ARGB32_Premultiplied);
            shot.fill(QColor(70, 78, 92));
            QPainter painter(&shot);
            painter.drawPixmap(0, 0, window.grab());
            painter.end();
            code = ShotOutput::save(shot, output) ? 0 : 1;
            if (popupOutput.isEmpty()) {
                app.quit();
                return;
            }
            window.serialPortViewBind();
            auto* types =
                window.serialDialog()->findChild<QComboBox*>(QStringLiteral("devicesType"));
            types->showPopup();
            QTimer::singleShot(400, &app, [&, types] {
                QWidget* popup = types->view()->window();
                if (!ShotOutput::save(popup->grab(), popupOutput))
                    code = 1;
                types->hidePopup();
                app.quit();
            });
        });
    });
    QTimer::singleShot(20000, &app, [&] {
        ShotOutput::fail(QStringLiteral("no picture within 20 s (did the connect fail?)"));
        app.quit();
    });
    app.exec();
    return code;
}
