#include <QComboBox>
#include <QLayout>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "chineseconfig.h"
#include "devicestype.h"
#include "language.h"
#include "mainwindow.h"
#include "serialdialog.h"
#include "serialportbusy.h"
#include "simdevice.h"
#include "testworkdir.h"
#include "virtualports.h"

namespace {
QComboBox* combo(SerialDialog* d, const char* name) {
    return d->findChild<QComboBox*>(name);
}
QPushButton* connectButton(SerialDialog* d) {
    return d->findChild<QPushButton*>("connect");
}

void choose(SerialDialog* dialog, const QString& port, const QString& baud, const QString& type) {
    QComboBox* ports = combo(dialog, "serialPortNum");
    const int at = ports->findText(port);
    QVERIFY2(port.isEmpty() || at >= 0, qPrintable(port));
    ports->setCurrentIndex(qMax(0, at));
    combo(dialog, "baudRate")->setCurrentText(baud);
    combo(dialog, "devicesType")->setCurrentText(type);
}

// The simulated equipment the program would show in simulation mode.
struct Simulated {
    explicit Simulated(SimDevice::Kind kind) : device(kind) {
        VirtualPorts::add(SimDevice::kindName(kind), device.portPath());
    }
    ~Simulated() { VirtualPorts::remove(device.portPath()); }
    QString portText() const {
        return SimDevice::kindName(SimDevice::Rig) + " (" + device.portPath() + ")";
    }
    SimDevice device;
};
}  // namespace

class TestSerialDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void validation_data();
    void validation();
    void connectThroughTheDialog();
    void closeRefusedWhileConnecting();
    void busyPortMakesConnectDoNothing();
    void storedPortAbsentFromList();
    void formLayoutAndTexts();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestSerialDialog::initTestCase() {
    work = std::make_unique<TestWorkDir>(
        chineseConfig() + "[SerialPortEntity]\nBaudRate=115200\nDevicesType=CALIBRATION\n");
    Language::instance()->load();
    DevicesType::instance()->reload();
}

void TestSerialDialog::validation_data() {
    QTest::addColumn<bool>("withPort");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("message");
    QTest::addRow("empty port") << false << "115200"
                                << "CALIBRATION"
                                << "串口号不能为空!!";
    QTest::addRow("empty baud rate") << true << ""
                                     << "CALIBRATION"
                                     << "波特率不能为空!!";
    QTest::addRow("empty device type") << true << "9600"
                                       << ""
                                       << "设备类型不能为空!!";
}

void TestSerialDialog::validation() {
    QFETCH(bool, withPort);
    QFETCH(QString, baud);
    QFETCH(QString, type);
    QFETCH(QString, message);
    Simulated rig(SimDevice::Rig);
    MainWindow window;
    window.serialPortViewBind();
    SerialDialog* dialog = window.serialDialog();
    QSignalSpy shown(dialog, &SerialDialog::showMsg);
    QSignalSpy started(dialog, &SerialDialog::toConnect);
    choose(dialog, withPort ? rig.portText() : QString(), baud, type);
    QTest::mouseClick(connectButton(dialog), Qt::LeftButton);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().at(0).value<QMessageBox::Icon>(), QMessageBox::Warning);
    QCOMPARE(shown.first().at(1).toString(), message);
    QCOMPARE(started.size(), 0);
    QVERIFY(connectButton(dialog)->isEnabled());
    QVERIFY(dialog->getMayClose());
    auto* box = window.findChild<QMessageBox*>("messageBox");
    QVERIFY(box && box->text() == message && box->windowTitle() == "警告");
}

void TestSerialDialog::connectThroughTheDialog() {
    Simulated rig(SimDevice::Rig);
    MainWindow window;
    window.show();
    window.serialPortViewBind();
    QPointer<SerialDialog> dialog = window.serialDialog();
    QVERIFY(dialog->isVisible() && dialog->isModal());
    QVERIFY(!window.debugLog()->isEnabled());
    choose(dialog, rig.portText(), "115200", "CALIBRATION");
    QTest::mouseClick(connectButton(dialog), Qt::LeftButton);
    QVERIFY(!connectButton(dialog)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 10000);  // it closes itself
    QTRY_VERIFY(window.debugLog()->toPlainText().contains("设备类型匹配成功。"));

    const QString log = window.debugLog()->toPlainText();
    for (const char* line :
         {">>>>>>>>> SerialPort  :  :  正在连接设备: [CALIBRATION] 串口: [",
          ">>>>>>>>> SerialPort  :  :  握手成功！", ">>>>>>>>> SerialPort  :  :  通信完成。"})
        QVERIFY2(log.contains(QString::fromUtf8(line)), line);
    QCOMPARE(window.progressBar()->value(), 100);
    QCOMPARE(window.progressBar()->property("SuccessFlag").toString(), QString("success"));
    QVERIFY(window.debugLog()->isEnabled());
    const QTextDocument* doc = window.debugLog()->document();
    const QTextBlock last = doc->findBlockByNumber(doc->blockCount() - 2);
    QVERIFY(last.text().contains("设备类型匹配成功。"));
    QCOMPARE(last.begin().fragment().charFormat().foreground().color(), QColor(Qt::green));
}

void TestSerialDialog::closeRefusedWhileConnecting() {
    Simulated rig(SimDevice::Rig);
    SimDevice::Faults slow;
    slow.replyDelayMs = 400;
    rig.device.setFaults(slow);
    MainWindow window;
    window.show();
    window.serialPortViewBind();
    QPointer<SerialDialog> dialog = window.serialDialog();
    choose(dialog, rig.portText(), "115200", "CALIBRATION");
    QTest::mouseClick(connectButton(dialog), Qt::LeftButton);
    dialog->close();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isNull() && dialog->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 10000);
    QVERIFY(window.debugLog()->toPlainText().contains("通信完成。"));
}

void TestSerialDialog::busyPortMakesConnectDoNothing() {
    Simulated rig(SimDevice::Rig);
    int otherJob = 0;
    QVERIFY(SerialPortBusy::instance()->claim(&otherJob));
    MainWindow window;
    window.serialPortViewBind();
    SerialDialog* dialog = window.serialDialog();
    QSignalSpy started(dialog, &SerialDialog::toConnect);
    QSignalSpy shown(dialog, &SerialDialog::showMsg);
    choose(dialog, rig.portText(), "115200", "CALIBRATION");
    QTest::mouseClick(connectButton(dialog), Qt::LeftButton);
    QCOMPARE(started.size(), 0);
    QCOMPARE(shown.size(), 0);
    QVERIFY(connectButton(dialog)->isEnabled());
    QVERIFY(dialog->getMayClose());
    SerialPortBusy::instance()->release(&otherJob);
}

void TestSerialDialog::storedPortAbsentFromList() {
    Simulated rig(SimDevice::Rig);
    work->writeConfig(chineseConfig() +
                      "[SerialPortEntity]\nBaudRate=57600\nDevicesType=ZEK_MT6826S\n"
                      "SerialPortNum=USB-SERIAL CH340 (COM99)\n");
    MainWindow window;
    window.serialPortViewBind();
    SerialDialog* dialog = window.serialDialog();
    QCOMPARE(combo(dialog, "serialPortNum")->currentIndex(), 0);
    QCOMPARE(combo(dialog, "serialPortNum")->currentText(), QString());
    QVERIFY(combo(dialog, "serialPortNum")->findText(rig.portText()) > 0);
    QCOMPARE(combo(dialog, "baudRate")->currentText(), QString("57600"));
    QCOMPARE(combo(dialog, "devicesType")->currentText(), QString("ZEK_MT6826S"));
    // Scanning again keeps the list current.
    QTest::mouseClick(dialog->findChild<QPushButton*>("search"), Qt::LeftButton);
    QVERIFY(combo(dialog, "serialPortNum")->findText(rig.portText()) > 0);
    work->writeConfig(chineseConfig());
}

void TestSerialDialog::formLayoutAndTexts() {
    SerialDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("串口连接"));
    QCOMPARE(dialog.size(), QSize(400, 300));
    QCOMPARE(connectButton(&dialog)->text(), QString("连接设备"));
    QCOMPARE(dialog.findChild<QPushButton*>("search")->text(), QString("扫描串口"));
    for (const char* label : {"serialPortNumLabel", "baudRateLabel", "devicesTypeLabel"})
        QVERIFY(dialog.findChild<QWidget*>(label));
    QVERIFY(dialog.findChild<QLayout*>("gridLayout_2"));
}

QTEST_MAIN(TestSerialDialog)
#include "tst_serialdialog.moc"
