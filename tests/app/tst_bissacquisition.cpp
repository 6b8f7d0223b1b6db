// The BiSS pages during continuous acquisition against the simulated master, driven through the
// main window: clicks that must happen, positions that must read right, a chart that samples
// only data, and a master in a mode no frame fits.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include "bisscontroler.h"
#include "bissentity.h"
#include "bissmasterbehaviour.h"
#include "bisspositionchart.h"
#include "bissregisterpage.h"
#include "bissslavedatapage.h"
#include "bisstransformmode.h"
#include "connectflag.h"
#include "devicestype.h"
#include "jobwiring.h"
#include "language.h"
#include "mainwindow.h"
#include "permissioncontroller.h"
#include "serialdialog.h"
#include "serialportbusy.h"
#include "settingswork.h"
#include "simdevice.h"
#include "startup.h"
#include "testworkdir.h"
#include "virtualports.h"
#include "windowboxes.h"


class TestBissAcquisition : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clicksDuringAcquisitionAllHappen();
    void unsignedPositionsAndOneSamplePerDataResult();
    void unknownMasterModeWarnsOnce();

private:
    void connectMaster();
    // Master status, then slave status, as closing the boxes after connecting does.
    void readStatus();
    void startAcquisition();
    template <typename Page>
    Page* page() const {
        return window->settingsWork()->findChild<Page*>();
    }
    BissMasterBehaviour* behaviour() const {
        return static_cast<BissMasterBehaviour*>(master->behaviour());
    }

    std::unique_ptr<TestWorkDir> work;
    std::unique_ptr<SimDevice> master;
    std::unique_ptr<MainWindow> window;
};

void TestBissAcquisition::init() {
    work = std::make_unique<TestWorkDir>();
    QVERIFY(Startup::writeDefaultConfigIfMissing());
    Language::instance()->load();
    DevicesType::instance()->reload();
    PermissionController::instance()->setPermission(PermissionController::ADMINISTRATOR);
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::DISCONNECTED);
    BissTransformMode::instance()->setMasterMode(BissTransformMode::BISS_C);
    master = std::make_unique<SimDevice>(SimDevice::BissMaster);
    QVERIFY(master->isValid());
    VirtualPorts::add(SimDevice::kindName(SimDevice::BissMaster), master->portPath());
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestBissAcquisition::cleanup() {
    closeBoxes();
    window.reset();  // joins the job threads before the device goes
    VirtualPorts::remove(master->portPath());
    master.reset();
    work.reset();
}

void TestBissAcquisition::connectMaster() {
    window->serialPortViewBind();
    QPointer<SerialDialog> dialog = window->serialDialog();
    QVERIFY(dialog);
    auto* ports = dialog->findChild<QComboBox*>("serialPortNum");
    const int at = ports->findText(SimDevice::kindName(SimDevice::BissMaster) + " (" +
                                   master->portPath() + ")");
    QVERIFY(at >= 0);
    ports->setCurrentIndex(at);
    dialog->findChild<QComboBox*>("baudRate")->setCurrentText("115200");
    dialog->findChild<QComboBox*>("devicesType")->setCurrentText("BiSS_Master");
    QTest::mouseClick(dialog->findChild<QPushButton*>("connect"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(window->debugLog()->toPlainText().contains("设备类型匹配成功。"),
                             10000);
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    closeBoxes();
}

void TestBissAcquisition::readStatus() {
    SettingsWork* w = window->settingsWork();
    BissControler* biss = window->jobWiring()->biss();
    QSignalSpy masterDone(biss, &BissControler::getMasterStatusResult);
    QSignalSpy slaveDone(biss, &BissControler::getSlaverStatusResult);
    emit w->getMasterStatusSignal(w->getBissEntity());
    QTRY_COMPARE_WITH_TIMEOUT(masterDone.size(), 1, 10000);
    w->getSlaverStatusSlot();
    QTRY_COMPARE_WITH_TIMEOUT(slaveDone.size(), 1, 10000);
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    closeBoxes();
}

void TestBissAcquisition::startAcquisition() {
    auto* data = page<BissSlaveDataPage>();
    QVERIFY(data);
    QSignalSpy results(window->jobWiring()->biss(), &BissControler::getSlaverDataResult);
    data->continuousBox->click();  // goes through even while the status poll holds the port
    QTRY_VERIFY_WITH_TIMEOUT(window->settingsWork()->getBissEntity()->getContinuousRead(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(results.size() >= 2, 10000);
}

void TestBissAcquisition::clicksDuringAcquisitionAllHappen() {
    connectMaster();
    // The status bar names the device and its port while the connection stands.
    QTRY_COMPARE(window->findChild<QLabel*>("deviceLabel")->text(),
                 "已连接：BiSS_Master @ " + SimDevice::kindName(SimDevice::BissMaster) + " (" +
                     master->portPath() + ")");
    readStatus();
    startAcquisition();
    auto* registers = page<BissRegisterPage>();
    QVERIFY(registers);
    BissControler* biss = window->jobWiring()->biss();
    QSignalSpy reads(biss, &BissControler::readSlaverRegeditResult);
    QSignalSpy writes(biss, &BissControler::writeSlaverRegeditResult);
    // Clicks at any moment of the polling, a poll holding the port or not: every one of them
    // is a request with its result, none is lost in silence.
    for (int i = 0; i < 5; ++i) {
        registers->addressField->setText("11");
        registers->readButton->click();
        QTRY_COMPARE_WITH_TIMEOUT(reads.size(), i + 1, 10000);
        QTest::qWait(37 * (i + 1));  // a different phase of the 200 ms poll each time
    }
    for (int i = 0; i < 3; ++i) {
        registers->addressField->setText("20");
        registers->dataField->setText(QString::number(i + 1));
        registers->writeButton->click();
        QTRY_COMPARE_WITH_TIMEOUT(writes.size(), i + 1, 10000);
        QTest::qWait(53 * (i + 1));
    }
    for (const auto& r : reads) QVERIFY(r.at(1).toBool());
    for (const auto& r : writes) QVERIFY(r.at(1).toBool());
    {
        auto lock = master->lock();
        QCOMPARE(int(behaviour()->slave.registers[20]), 3);
    }
    QVERIFY(window->settingsWork()->getBissEntity()->getContinuousRead());
}

void TestBissAcquisition::unsignedPositionsAndOneSamplePerDataResult() {
    {
        auto lock = master->lock();
        // Turning backwards from 0: the multi-turn count wraps to 0xFFFFFFFF (bit 31 set).
        behaviour()->slave.speedRpm = -2.0;
    }
    connectMaster();
    readStatus();
    auto* data = page<BissSlaveDataPage>();
    SettingsWork* w = window->settingsWork();
    QSignalSpy dataResults(w, &SettingsWork::slaverDataResult);
    startAcquisition();
    // Status results come every 2 s meanwhile and redraw the page too.
    QSignalSpy statusResults(window->jobWiring()->biss(), &BissControler::getSlaverStatusResult);
    QTRY_VERIFY_WITH_TIMEOUT(statusResults.size() >= 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(dataResults.size() >= 5, 10000);
    // One sample per data result, none from the status results' redraws.
    QCOMPARE(data->chart->sampleCount(), int(dataResults.size()));
    data->continuousBox->click();
    QTRY_VERIFY_WITH_TIMEOUT(!w->getBissEntity()->getContinuousRead(), 5000);
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
    QCOMPARE(data->multiTurnField->text(), QString("4294967295"));
    QVERIFY(!data->multiTurnField->text().startsWith('-'));
    QVERIFY(!data->singleTurnField->text().startsWith('-'));
    // Switched off: the values are marked stale with the time of the last good read.
    QCOMPARE(data->multiTurnField->property("Result").toString(), QString("stale"));
    QVERIFY(data->freshness->text().contains("最后读取时间"));
}

void TestBissAcquisition::unknownMasterModeWarnsOnce() {
    {
        auto lock = master->lock();
        behaviour()->settings.linkMode = 2;  // neither RS485 nor BISS_C
    }
    connectMaster();
    ConnectFlag::instance()->setSlaveConnection(ConnectFlag::CONNECTED);  // from an earlier slave
    SettingsWork* w = window->settingsWork();
    w->getBissEntity()->setSlaveEnabled(true);
    BissControler* biss = window->jobWiring()->biss();
    QSignalSpy slaveDone(biss, &BissControler::getSlaverStatusResult);
    QSignalSpy masterDone(biss, &BissControler::getMasterStatusResult);
    emit w->getMasterStatusSignal(w->getBissEntity());
    QTRY_COMPARE_WITH_TIMEOUT(masterDone.size(), 1, 10000);
    closeBoxes();  // closing the master's box asks for the slave, as for the operator
    QTRY_COMPARE_WITH_TIMEOUT(slaveDone.size(), 1, 10000);
    QVERIFY(!slaveDone.at(0).at(1).toBool());
    QCOMPARE(ConnectFlag::instance()->getSlaveConnection(), int(ConnectFlag::DISCONNECTED));
    // Ten seconds of the 2 s status poll: the refusal is shown once, not once per poll.
    QTest::qWait(10000);
    QCOMPARE(slaveDone.size(), 1);
    QCOMPARE(visibleBoxes().size(), 1);
}

QTEST_MAIN(TestBissAcquisition)
#include "tst_bissacquisition.moc"
