// Renders the main window during an IAP upgrade into the simulated encoder, as a PNG (default
// iap.png): connect through the serial dialog, choose the image on "IAP参数", press "开始" and
// grab while the transfer line and the progress bar are part-way. Run it under xvfb-run -a in an
// empty folder; it exits 0 only when the encoder received the whole image.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include "baidutranslate.h"
#include "connectflag.h"
#include "diagnostics.h"
#include "shotoutput.h"
#include "encoderbehaviour.h"
#include "firmwareentity.h"
#include "firmwarerunpage.h"
#include "generation.h"
#include "iapparameterpage.h"
#include "mainwindow.h"
#include "mcombobox.h"
#include "serialdialog.h"
#include "settingswork.h"
#include "simdevice.h"
#include "simulatedequipment.h"
#include "startup.h"
#include "stylesheetloader.h"

namespace {
const QString kDevice = QStringLiteral("ZEK_ENCODER");
// The simulated encoder runs 0.02: a newer image is flashed, an equal one would be refused.
constexpr double kImageVersion = 0.03;
// Each boot loader reply this much later, so the transfer of the image lasts a few seconds
// instead of a fraction of one (the link's reply deadline is 3 s).
constexpr int kReplyDelayMs = 40;
// The grab is taken once the transfer's own percentage lies in this band.
constexpr int kGrabFrom = 45;
constexpr int kGrabTo = 75;

SimDevice* encoderOf(const SimulatedEquipment& equipment) {
    for (const auto& device : equipment.devices())
        if (dynamic_cast<EncoderBehaviour*>(device->behaviour()))
            return device.get();
    return nullptr;
}

// An application binary of 12 KiB: a vector table of Thumb addresses, then code-like bytes.
QByteArray applicationBytes() {
    QByteArray app;
    for (quint32 i = 0; i < 48; ++i) {
        const quint32 vector = i == 0 ? 0x20002000u : 0x08003101u + 4u * i;
        for (int b = 0; b < 4; ++b) app.append(char((vector >> (8 * b)) & 0xFF));
    }
    quint32 state = 0x2545F491u;
    while (app.size() < 12 * 1024) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        app.append(char(state & 0xFF));
    }
    return app;
}

// The upgrade image, made as the firmware generation makes it, with the app area of the
// device's table.
QString writeUpgradeImage(const QString& folder) {
    const QString appPath = folder + QStringLiteral("/zek_app.bin");
    QFile app(appPath);
    if (!app.open(QIODevice::WriteOnly) || app.write(applicationBytes()) < 0 || !app.flush())
        return QString();
    app.close();
    FirmwareEntity areas;
    areas.setWatermarkName(kDevice);
    const QString imagePath = folder + QStringLiteral("/zek_encoder_v0.03.bin");
    Generation generation;
    QObject::connect(&generation, &Generation::msgSignal,
                     [](const QString& msg) { qDebug().noquote() << msg; });
    if (!generation.generateUpgradeImage(appPath, imagePath, kDevice, kImageVersion,
                                         areas.getAppAreaSize()))
        return QString();
    return imagePath;
}

void choosePort(SerialDialog* dialog) {
    auto* ports = dialog->findChild<QComboBox*>(QStringLiteral("serialPortNum"));
    for (int i = 0; i < ports->count(); ++i)
        if (ports->itemText(i).startsWith(SimDevice::kindName(SimDevice::Encoder)))
            ports->setCurrentIndex(i);
    dialog->findChild<QComboBox*>(QStringLiteral("baudRate"))
        ->setCurrentText(QStringLiteral("115200"));
    dialog->findChild<QComboBox*>(QStringLiteral("devicesType"))->setCurrentText(kDevice);
}

// Picks a page in the IAP area's navigation tree, as a click there does.
bool navigate(MainWindow& window, const QString& page) {
    const int area = window.leftTabNames().indexOf(translated("IAP升级"));
    if (area < 0)
        return false;
    window.leftTabWidget()->setCurrentIndex(area);
    auto* tree = window.leftTabWidget()->widget(area)->findChild<QTreeWidget*>();
    const QList<QTreeWidgetItem*> found =
        tree->findItems(translated(page), Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return false;
    if (found.first()->parent())
        tree->expandItem(found.first()->parent());
    tree->setCurrentItem(found.first());
    emit tree->itemClicked(found.first(), 0);
    return true;
}

// The page widget of an entry of the IAP area in the workspace list.
QWidget* pageOf(SettingsWork* work, const QString& page) {
    const int row = work->rowOf(translated("IAP升级"), translated(page));
    QListWidget* list = work->pageList();
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(SettingsWork::RowRole).toInt() == row)
            return list->itemWidget(list->item(i));
    return nullptr;
}

QImage grabWindow(MainWindow& window) {
    // The frame's shadow margin is transparent: give it the desktop's colour.
    QImage shot(window.size(), QImage::Format_ARGB32_Premultiplied);
    shot.fill(QColor(70, 78, 92));
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, window.grab());
    painter.end();
    return shot;
}

int fail(const char* why) {
    qWarning() << "firmwareshot:" << why;
    QApplication::exit(1);
    return 1;
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Diagnostics::configure(QApplication::arguments());
    const QString output = ShotOutput::absolute(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                                         : QStringLiteral("iap.png"));
    Startup::writeDefaultConfigIfMissing();

    QTemporaryDir images;
    const QString imagePath = images.isValid() ? writeUpgradeImage(images.path()) : QString();
    if (imagePath.isEmpty())
        return fail("cannot write the upgrade image");
    QFile imageFile(imagePath);
    if (!imageFile.open(QIODevice::ReadOnly))
        return fail("cannot read the upgrade image back");
    const QByteArray image = imageFile.readAll();

    SimulatedEquipment simulation;
    SimDevice* encoder = encoderOf(simulation);
    if (!encoder)
        return fail("no simulated encoder");
    Startup::installFontFallbacks();
    MainWindow window;
    QApplication::setFont(Startup::applicationFont());
    window.setStyleSheet(loadStyleSheet(QStringLiteral(":/system/qss/main.qss")));
    window.resize(1280, 800);
    window.show();

    window.serialPortViewBind();
    choosePort(window.serialDialog());
    window.serialDialog()->findChild<QPushButton*>(QStringLiteral("connect"))->click();

    int code = 1;
    bool grabbed = false;
    bool transferStarted = false;
    QPushButton* start = nullptr;
    QTimer poll;

    // 3. The upgrade runs: grab part-way, then wait for its result.
    auto watch = [&] {
        const int progress = window.progressBar()->value();
        if (!grabbed) {
            // 30 is the last step before the transfer, whose own percentage starts again low.
            if (progress == 30)
                transferStarted = true;
            else if (transferStarted && progress >= kGrabFrom && progress <= kGrabTo) {
                grabbed = true;
                if (!ShotOutput::save(grabWindow(window), output))
                    QApplication::exit(1);
            }
            return;
        }
        if (!start->isEnabled())
            return;  // the result has not come yet
        poll.stop();
        auto lock = encoder->lock();
        auto* boot = static_cast<EncoderBehaviour*>(encoder->behaviour());
        if (boot->completedTransfers == 1 && boot->receivedImage == image)
            code = 0;
        else
            qWarning() << "firmwareshot: the encoder did not receive the image";
        app.quit();
    };

    // 2. Fill "IAP参数", then press "开始" on the IAP area's "保存 & 开始".
    auto fillAndStart = [&] {
        auto* page = qobject_cast<IapParameterPage*>(pageOf(window.settingsWork(), "IAP参数"));
        if (!page || !page->deviceBox->isEnabled())
            return fail("the IAP parameter page is not current");
        page->deviceBox->setCurrentText(kDevice);
        page->protocolBox->setCurrentText(QStringLiteral("Ymodem_128"));
        page->axisBox->setCurrentText(QStringLiteral("First_Caxis"));
        page->chooseButton->click();
        auto* chooser = page->findChild<QFileDialog*>();
        if (!chooser)
            return fail("no file chooser");
        chooser->selectFile(imagePath);
        static_cast<QDialog*>(chooser)->accept();  // "打开", as the operator would
        if (page->firmwarePath->text() != imagePath)
            return fail("the chosen image is not on the page");
        {
            SimDevice::Faults slow;
            slow.replyDelayMs = kReplyDelayMs;
            encoder->setFaults(slow);
        }
        QTimer::singleShot(400, &app, [&] {
            if (!navigate(window, "保存 & 开始"))
                return (void)fail("no run page in the navigation");
            auto* run =
                qobject_cast<FirmwareRunPage*>(pageOf(window.settingsWork(), "保存 & 开始"));
            if (!run)
                return (void)fail("no IAP run page");
            start = run->startButton;
            QTimer::singleShot(400, &app, [&] {
                start->click();
                if (start->isEnabled())
                    return (void)fail("the upgrade did not start");
                // Back to the parameters while it runs: the picture shows the whole IAP area,
                // the chosen image above the disabled "开始".
                navigate(window, "IAP参数");
                QObject::disconnect(&poll, nullptr, nullptr, nullptr);
                QObject::connect(&poll, &QTimer::timeout, &app, watch);
                poll.start(20);
            });
        });
        return 0;
    };

    // 1. The serial dialog closes once the connect has succeeded.
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (window.serialDialog())
            return;
        poll.stop();
        if (ConnectFlag::instance()->getDeviceConnection() != ConnectFlag::CONNECTED)
            return (void)fail("the connect failed");
        if (!navigate(window, "IAP参数"))
            return (void)fail("no IAP parameter page in the navigation");
        QTimer::singleShot(400, &app, fillAndStart);
    });
    poll.start(100);
    QTimer::singleShot(60000, &app, [] { fail("timed out"); });
    app.exec();
    return code;
}
