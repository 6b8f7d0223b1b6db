// Quitting while a job holds the port: the operator is asked, and a confirmed quit stops the
// job through its stop request, so the encoder is not stranded in its boot loader.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QtTest>

#include "devicestype.h"
#include "encoderbehaviour.h"
#include "entitystore.h"
#include "iapcontroler.h"
#include "iapentity.h"
#include "jobwiring.h"
#include "language.h"
#include "mainwindow.h"
#include "permissioncontroller.h"
#include "serialportbusy.h"
#include "serialportentity.h"
#include "simdevice.h"
#include "startup.h"
#include "testworkdir.h"

class TestQuitDuringJob : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void quitAsksThenStopsTheUpgrade();
    void quitWithoutAJobAsksNothing();
};

void TestQuitDuringJob::initTestCase() {
    Startup::installFontFallbacks();
}

void TestQuitDuringJob::cleanup() {
    MainWindow::askStopJob = nullptr;
}

void TestQuitDuringJob::quitAsksThenStopsTheUpgrade() {
    TestWorkDir work;
    QVERIFY(Startup::writeDefaultConfigIfMissing());
    Language::instance()->load();
    DevicesType::instance()->reload();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    SimDevice encoder(SimDevice::Encoder);
    {
        auto lock = encoder.lock();
        static_cast<EncoderBehaviour*>(encoder.behaviour())->boot.bootDelayMs = 20;
    }
    // Every reply late: the transfer of 30 packets takes seconds, time to quit in its middle.
    SimDevice::Faults slow;
    slow.replyDelayMs = 60;
    encoder.setFaults(slow);
    QByteArray image(3800, '\0');
    for (int i = 0; i < image.size(); ++i) image[i] = char(i * 13);
    image += "ZEK_ENCODERV0.03";
    QFile file(work.filePath("update.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
    file.close();

    auto window = std::make_unique<MainWindow>();
    window->show();
    DevicesType::instance()->setConnectedType(DevicesType::ZEK_ENCODER);
    SerialPortEntity saved(nullptr, encoder.portPath(), 115200);
    EntityStore::saveSerialPortEntity(&saved);
    IapEntity entity(nullptr, "ZEK_ENCODER", "Ymodem_128", "First_Caxis", file.fileName());
    entity.setDevicesName("ZEK_ENCODER");
    window->jobWiring()->iap()->startIapSlot(&entity);
    auto* behaviour = static_cast<EncoderBehaviour*>(encoder.behaviour());
    // The transfer has begun: the boot loader has block 0.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            auto lock = encoder.lock();
            return !behaviour->receivedName.isEmpty();
        }(),
        15000);

    QString asked;
    MainWindow::askStopJob = [&](QMessageBox& box) {
        asked = box.text();
        return false;
    };
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY2(asked.contains("IAP") && asked.contains("Boot"), qPrintable(asked));
    QVERIFY(SerialPortBusy::instance()->holder() != nullptr);

    MainWindow::askStopJob = [](QMessageBox&) { return true; };
    QElapsedTimer clock;
    clock.start();
    QVERIFY(window->close());
    QVERIFY(clock.elapsed() < 10000);
    window.reset();
    // The stopped upgrade still sent the boot loader back to the application and ended the
    // link with the end signal.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            auto lock = encoder.lock();
            return behaviour->normalReturns >= 1 &&
                   behaviour->status == IdentifyingBehaviour::kNormal;
        }(),
        5000);
    auto lock = encoder.lock();
    QCOMPARE(behaviour->completedTransfers, 0);
}

void TestQuitDuringJob::quitWithoutAJobAsksNothing() {
    TestWorkDir work;
    QVERIFY(Startup::writeDefaultConfigIfMissing());
    bool asked = false;
    MainWindow::askStopJob = [&](QMessageBox&) {
        asked = true;
        return false;
    };
    MainWindow window;
    window.show();
    QVERIFY(window.close());
    QVERIFY(!asked);
}

QTEST_MAIN(TestQuitDuringJob)
#include "tst_quitduringjob.moc"
