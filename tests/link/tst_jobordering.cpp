// Jobs of different workers never share the port, jobs of one worker never nest, and the last
// bytes of a job reach the device.
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

#include "baidutranslate.h"
#include "chineseconfig.h"
#include "connectflag.h"
#include "devicestype.h"
#include "jobframe.h"
#include "language.h"
#include "serialportbusy.h"
#include "serialportcontroler.h"
#include "serialportentity.h"
#include "serialportmode.h"
#include "simbehaviour.h"
#include "simdevice.h"
#include "testworkdir.h"
#include "ymodem.h"

namespace {
QStringList column(const QSignalSpy& spy, int index) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(index).toString();
    return list;
}

// A device that only listens: every byte it reads is one command.
class Listener : public SimBehaviour {
public:
    int consume(const QByteArray& input, QList<QByteArray>&) override { return int(input.size()); }
};

QByteArray receivedBytes(const SimDevice& device) {
    QByteArray all;
    for (const QByteArray& part : device.received()) all += part;
    return all;
}
}  // namespace

class TestJobOrdering : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void secondWorkerWaitsForTheFirst();
    void queuedJobsOfOneWorkerDoNotNest();
    void lastBytesReachTheDevice_data();
    void lastBytesReachTheDevice();
    void replyDeadlineIsRestored();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestJobOrdering::init() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
    DevicesType::instance()->setConnectedType(QStringLiteral("CALIBRATION"));
}

void TestJobOrdering::cleanup() {
    work.reset();
}

void TestJobOrdering::secondWorkerWaitsForTheFirst() {
    SimDevice silent(SimDevice::Rig);
    SimDevice::Faults quiet;
    quiet.silent = true;
    silent.setFaults(quiet);
    SimDevice rig(SimDevice::Rig);

    SerialPortControler first;
    SerialPortControler second;
    first.getWorker()->getYmodem()->replyTimeoutMs = 400;
    QSignalSpy firstDone(&first, &SerialPortControler::connectResult);
    QSignalSpy secondDone(&second, &SerialPortControler::connectResult);
    SerialPortEntity a(nullptr, silent.portPath(), 115200);
    SerialPortEntity b(nullptr, rig.portPath(), 115200);

    first.connectSerialPort(&a);
    QVERIFY(SerialPortBusy::instance()->isOpen());
    // While the first job waits on its silent device, the second is refused before it opens
    // anything: it reports failure at once and its device hears nothing.
    second.connectSerialPort(&b);
    QCOMPARE(secondDone.size(), 1);
    QCOMPARE(secondDone.first().at(1).toBool(), false);
    QVERIFY(rig.received().isEmpty());

    QVERIFY(firstDone.wait(5000));
    QCOMPARE(firstDone.first().at(0).toString(), QString("通信失败。"));
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());

    // Once the first job's result was delivered, the second one runs.
    secondDone.clear();
    second.connectSerialPort(&b);
    QVERIFY(secondDone.wait(5000));
    QCOMPARE(secondDone.first().at(0).toString(), QString("通信完成。"));
    QTRY_VERIFY(!SerialPortBusy::instance()->isOpen());
}

void TestJobOrdering::queuedJobsOfOneWorkerDoNotNest() {
    // A translation service that never answers: every text waits out its time limit on the
    // worker thread, which must not run the next queued job meanwhile. (German: English texts
    // come from the built-in catalogue and wait for nothing.)
    QTcpServer mute;
    QVERIFY(mute.listen(QHostAddress::LocalHost));
    work->writeConfig("[Language]\nLanguageType=de\n[BaiduTranslate]\nurl=http://127.0.0.1:" +
                      QByteArray::number(mute.serverPort()) + "/api/trans/vip/translate?\n");
    Language::instance()->load();
    BaiduTranslate::replyTimeoutMs = 30;
    BaiduTranslate::offlineBackoffMs = 0;
    BaiduTranslate::resetBackoff();

    SimDevice rig(SimDevice::Rig);
    SerialPortControler controler;
    QSignalSpy messages(&controler, &SerialPortControler::msgSignal);
    QSignalSpy progress(&controler, &SerialPortControler::setProgress);
    QSignalSpy results(&controler, &SerialPortControler::connectResult);
    SerialPortEntity entity(nullptr, rig.portPath(), 115200);
    controler.connectSerialPort(&entity);
    controler.connectSerialPort(&entity);
    QTRY_COMPARE_WITH_TIMEOUT(results.size(), 2, 30000);

    BaiduTranslate::replyTimeoutMs = 10000;
    BaiduTranslate::offlineBackoffMs = 60000;
    BaiduTranslate::resetBackoff();

    QCOMPARE(column(results, 0), (QStringList{"通信完成。", "通信完成。"}));
    QCOMPARE(column(progress, 0),
             (QStringList{"0", "20", "40", "60", "80", "100", "0", "20", "40", "60", "80", "100"}));
    // Each job's messages form one block: its port opening comes after the previous job's end.
    const QStringList texts = column(messages, 1);
    const int secondOpen = texts.lastIndexOf(QRegularExpression("^打开 \\[ .* \\] 成功！$"));
    const int firstEnd = texts.indexOf("结束指令发送成功。");
    QVERIFY(firstEnd >= 0 && secondOpen > firstEnd);
    QCOMPARE(texts.count("发送握手信号..."), 2);
    QVERIFY(texts.indexOf("发送握手信号...", firstEnd) > secondOpen);
}

void TestJobOrdering::lastBytesReachTheDevice_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("end signal") << Ymodem::linkFrame(0xDF, 0x00);
    QTest::addRow("a single byte") << QByteArray(1, char(0x52));
    QTest::addRow("five CAN") << QByteArray(5, char(0x18));
}

void TestJobOrdering::lastBytesReachTheDevice() {
    QFETCH(QByteArray, bytes);
    for (int run = 0; run < 50; ++run) {
        SimDevice device(std::make_unique<Listener>());
        Ymodem link;
        {
            JobFrame frame(&link, device.portPath(), 115200);
            QVERIFY(frame.isOpen());
            QVERIFY(link.sendBytes(bytes));
        }
        QVERIFY(!link.isPortOpen());
        QTRY_COMPARE_WITH_TIMEOUT(receivedBytes(device).size(), bytes.size(), 2000);
        QCOMPARE(receivedBytes(device), bytes);
    }
}

void TestJobOrdering::replyDeadlineIsRestored() {
    SimDevice silent(SimDevice::Rig);
    SimDevice::Faults quiet;
    quiet.silent = true;
    silent.setFaults(quiet);
    Ymodem link;
    link.replyTimeoutMs = 123;
    {
        JobFrame frame(&link, silent.portPath(), 115200);
        ReplyDeadline longer(&link, 50);
        QCOMPARE(link.replyTimeoutMs, 50);
        QCOMPARE(link.readByte(), 0);  // the job fails inside the raised deadline
    }
    QCOMPARE(link.replyTimeoutMs, 123);
}

QTEST_GUILESS_MAIN(TestJobOrdering)
#include "tst_jobordering.moc"
