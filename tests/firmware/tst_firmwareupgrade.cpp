#include <QtTest>

#include <sys/stat.h>

#include "chineseconfig.h"
#include "connectflag.h"
#include "devicesstatus.h"
#include "devicestype.h"
#include "encodercaxis.h"
#include "firmwaretestbench.h"
#include "firmwareupgrade.h"
#include "language.h"
#include "testworkdir.h"
#include "transformways.h"

namespace {
// An upgrade image as the generator writes it: application, 11-byte model, 'V', version.
QByteArray image(const QString& model, const QByteArray& version, int appLength = 3000) {
    return patternBytes(appLength) + model.toLatin1() + "V" + version;
}

// What each command on the wire was, by its first bytes.
QStringList kinds(const QList<QByteArray>& wire) {
    QStringList list;
    for (const QByteArray& c : wire) {
        const quint8 b = quint8(c.at(0));
        if (b == 0xDA)
            list << "handshake";
        else if (b == 0xDF)
            list << "end signal";
        else if (b == 0x7A)
            list << "mode switch";
        else if (b == 0xF1)
            list << "status";
        else if (b == 0x77)
            list << "w";
        else if (b == 0x53)
            list << "S";
        else if (b == 0x52)
            list << "R";
        else if (b == 0x04)
            list << "EOT";
        else if (b == 0x18)
            list << "CAN";
        else if (c.size() == 133 || c.size() == 1029)
            list << (c.at(1) == 0 ? "block 0" : "data");
        else
            list << QString::number(b, 16);
    }
    list.removeDuplicates();  // data packets collapse into one entry per run below
    return list;
}

QStringList sequence(const QList<QByteArray>& wire) {
    QStringList list;
    for (const QByteArray& c : wire) {
        const QString kind = kinds({c}).first();
        if (list.isEmpty() || list.last() != kind || kind != "data")
            list << kind;
    }
    return list;
}
}  // namespace

class TestFirmwareUpgrade : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void upgradeFromNormalMode();
    void deviceInBootModeGetsNoSwitch();
    void failures_data();
    void failures();
    void versionsCompareAsNumbers_data();
    void versionsCompareAsNumbers();
    void endPacketQuirks_data();
    void endPacketQuirks();

private:
    void shorten(FirmwareUpgrade& upgrade) {
        upgrade.modeSwitchWaitMs = 30;
        upgrade.statusPassWaitMs = 5;
        upgrade.versionSettleMs = 0;
        upgrade.afterTransferWaitMs = 0;
        upgrade.getTransfer()->initialPacketWaitMs = 0;
    }
    std::unique_ptr<TestWorkDir> work;
};

void TestFirmwareUpgrade::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
    DevicesType::instance()->reload();
}

void TestFirmwareUpgrade::init() {
    DevicesType::instance()->setConnectedType(DevicesType::ZEK_ENCODER);
    TransformWays::instance()->setValue(TransformWays::Ymodem_1K);
    EncoderCaxis::instance()->setValue(EncoderCaxis::First_Caxis);
    DevicesStatus::instance()->setValue(DevicesStatus::BOOT);
}

void TestFirmwareUpgrade::upgradeFromNormalMode() {
    const QString path = work->filePath("update.bin");
    const QByteArray content = image("ZEK_ENCODER", "0.03");
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    FirmwareUpgrade upgrade(&bench.link);
    shorten(upgrade);

    QVERIFY(upgrade.upgradeFirmware(bench.portText(), 115200, path));
    QCOMPARE(sequence(bench.wire()),
             (QStringList{"handshake", "status", "mode switch", "status", "w", "S", "block 0",
                          "data", "EOT", "block 0", "R", "end signal"}));
    QCOMPARE(bench.encoder->receivedImage, content);
    QCOMPARE(bench.encoder->version, QString("0.03"));  // it now runs the new image
    QCOMPARE(DevicesStatus::instance()->getValue(), int(DevicesStatus::NORMAL));
    const QStringList texts = bench.messageTexts();
    QVERIFY(texts.contains("准备升级固件: [ V0.02 ] -> [ V0.03 ]"));
    QVERIFY(texts.contains("升级协议：Ymodem_1K"));
    QVERIFY(texts.contains("当前轴号：First_Caxis"));
    QCOMPARE(texts.last(), QString("固件更新完成。"));
    // 0 from the job frame, 10, 20, 30, then the transfer's own 33, 66, 100.
    QCOMPARE(bench.progressValues(), (QList<int>{0, 10, 20, 30, 33, 66, 100}));

    // The same image again: the device now reports 0.03 and is not upgraded.
    bench.sim.clearRecords();
    bench.messages.clear();
    QVERIFY(!upgrade.upgradeFirmware(bench.portText(), 115200, path));
    QVERIFY(bench.messageTexts().contains("失败！原因：当前固件版本与设备运行版本一致 无需更新。"));
    QCOMPARE(sequence(bench.wire()),
             (QStringList{"handshake", "status", "mode switch", "status", "w", "R", "end signal"}));
    QCOMPARE(bench.encoder->status, IdentifyingBehaviour::kNormal);
}

void TestFirmwareUpgrade::deviceInBootModeGetsNoSwitch() {
    const QString path = work->filePath("update.bin");
    QVERIFY(writeFile(path, image("ZEK_ENCODER", "0.03")));
    FirmwareTestBench bench;
    bench.encoder->status = IdentifyingBehaviour::kBoot;
    FirmwareUpgrade upgrade(&bench.link);
    shorten(upgrade);
    QVERIFY(upgrade.upgradeFirmware(bench.portText(), 115200, path));
    QCOMPARE(bench.encoder->modeSwitches, 0);
    QCOMPARE(sequence(bench.wire()).mid(0, 4), (QStringList{"handshake", "status", "w", "S"}));
}

void TestFirmwareUpgrade::failures_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("fault");  // 0 none, 1 stays normal, 2 cancels, 3 refuses handshakes
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("wire");
    const QStringList endOnly{"end signal"};
    const QStringList back{"handshake", "status", "mode switch", "status", "w", "R", "end signal"};
    QTest::addRow("image for another model")
        << image("ZEK_MT6826S", "0.03") << "update.bin" << 0
        << "失败！原因：当前连接设备型号与固件型号不一致，请更换固件或设备。" << endOnly;
    QTest::addRow("missing image")
        << QByteArray() << "missing.bin" << 0 << "升级固件： missing.bin不存在。" << endOnly;
    QTest::addRow("image shorter than its trailer")
        << QByteArray("ZEK_ENCODER") << "short.bin" << 0
        << "失败！原因：升级固件长度 [ 11 ] Byte 不足 16 Byte，不是有效的升级固件。" << endOnly;
    QTest::addRow("image of 65536 bytes")
        << image("ZEK_ENCODER", "0.03", 65536 - 16) << "big.bin" << 0
        << "失败！原因：升级固件长度 [ 65536 ] Byte 超过 65535 Byte，无法传输。" << endOnly;
    const QString longName = QString(125, QLatin1Char('u')) + ".bin";
    QTest::addRow("name that does not fit block 0")
        << image("ZEK_ENCODER", "0.03") << longName << 0
        << "失败！原因：固件文件名 [ " + longName + " ] 过长，无法写入文件信息包。" << endOnly;
    QTest::addRow("same version") << image("ZEK_ENCODER", "0.02") << "update.bin" << 0
                                  << "失败！原因：当前固件版本与设备运行版本一致 无需更新。"
                                  << back;
    QTest::addRow("device stays in normal mode")
        << image("ZEK_ENCODER", "0.03") << "update.bin" << 1 << "失败！原因：设备未能进入Boot模式。"
        << QStringList{"handshake", "status",      "mode switch", "status", "mode switch",
                       "status",    "mode switch", "status",      "R",      "end signal"};
    QTest::addRow("transfer cancelled by the device")
        << image("ZEK_ENCODER", "0.03") << "update.bin" << 2 << "失败！原因：设备端停止下载。"
        << QStringList{"handshake", "status", "mode switch", "status", "w",         "S",
                       "block 0",   "data",   "CAN",         "R",      "end signal"};
    // Special files are refused before a byte is read: a FIFO would block the open forever
    // with the port already open.
    QTest::addRow("FIFO as the image") << QByteArray() << "fifo.bin" << 4
                                       << "升级固件： fifo.bin 不是普通文件（管道或设备），无法读取。"
                                       << endOnly;
    QTest::addRow("folder as the image")
        << QByteArray() << "folder.bin" << 5 << "升级固件： folder.bin打开失败。" << endOnly;
    QTest::addRow("handshake refused twice")
        << image("ZEK_ENCODER", "0.03") << "update.bin" << 3 << "失败！原因：设备拒绝通信！"
        << QStringList{"handshake", "handshake", "end signal"};
}

void TestFirmwareUpgrade::failures() {
    QFETCH(QByteArray, content);
    QFETCH(QString, fileName);
    QFETCH(int, fault);
    QFETCH(QString, message);
    QFETCH(QStringList, wire);
    const QString path = work->filePath(fileName);
    QFile::remove(path);
    QDir(path).removeRecursively();
    if (!content.isEmpty())
        QVERIFY(writeFile(path, content));
    if (fault == 4)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (fault == 5)
        QVERIFY(QDir().mkpath(path));
    FirmwareTestBench bench;
    if (fault == 1)
        bench.encoder->boot.stayNormal = true;
    if (fault == 2)
        bench.encoder->boot.replyAt.insert(2, QByteArray(1, '\x18'));
    if (fault == 3)
        bench.encoder->handshakeReplies = {0x15, 0x15};
    FirmwareUpgrade upgrade(&bench.link);
    shorten(upgrade);
    QVERIFY(!upgrade.upgradeFirmware(bench.portText(), 115200, path));
    QVERIFY2(bench.messageTexts().contains(message), qPrintable(bench.messageTexts().join('\n')));
    QCOMPARE(sequence(bench.wire()).join(", "), wire.join(", "));
    QCOMPARE(bench.encoder->version, QString("0.02"));
    QCOMPARE(bench.encoder->status, IdentifyingBehaviour::kNormal);
    if (!content.isEmpty())
        QCOMPARE(QFile(path).size(), qint64(content.size()));
    if (fault == 4)
        QFile::remove(path);
}

void TestFirmwareUpgrade::endPacketQuirks_data() {
    QTest::addColumn<QByteArray>("firstEndReply");
    QTest::addColumn<QStringList>("tail");
    // A standard receiver answers the end packet with ACK and 'C' in one write; the 'C' must
    // not be taken for the end signal's answer.
    QTest::addRow("ACK and C together") << QByteArray("\x06" "C") << QStringList{"block 0", "R", "end signal"};
    // A slow receiver misses the end packet once: it is sent again.
    QTest::addRow("end packet missed once")
        << QByteArray() << QStringList{"block 0", "block 0", "R", "end signal"};
}

void TestFirmwareUpgrade::endPacketQuirks() {
    QFETCH(QByteArray, firstEndReply);
    QFETCH(QStringList, tail);
    const QString path = work->filePath("update.bin");
    const QByteArray content = image("ZEK_ENCODER", "0.03");
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    bench.link.replyTimeoutMs = 500;
    bench.encoder->boot.replyAt.insert(EncoderBehaviour::kEndPacket, firstEndReply);
    FirmwareUpgrade upgrade(&bench.link);
    shorten(upgrade);
    QVERIFY2(upgrade.upgradeFirmware(bench.portText(), 115200, path),
             qPrintable(bench.messageTexts().join('\n')));
    QCOMPARE(bench.messageTexts().last(), QString("固件更新完成。"));
    QCOMPARE(bench.encoder->receivedImage, content);
    const QStringList wire = sequence(bench.wire());
    QCOMPARE(wire.mid(wire.size() - tail.size()), tail);
}

void TestFirmwareUpgrade::versionsCompareAsNumbers_data() {
    QTest::addColumn<QString>("running");
    QTest::addColumn<QByteArray>("offered");
    QTest::addColumn<bool>("upgraded");
    QTest::addRow("0.20 equals 00.2") << "0.20" << QByteArray("00.2") << false;
    QTest::addRow("two texts that do not parse are both 0")
        << "abcd" << QByteArray("wxyz") << false;
    QTest::addRow("0.02 to 0.10") << "0.02" << QByteArray("0.10") << true;
    QTest::addRow("downgrade 0.10 to 0.02") << "0.10" << QByteArray("0.02") << true;
}

void TestFirmwareUpgrade::versionsCompareAsNumbers() {
    QFETCH(QString, running);
    QFETCH(QByteArray, offered);
    QFETCH(bool, upgraded);
    const QString path = work->filePath("update.bin");
    QVERIFY(writeFile(path, image("ZEK_ENCODER", offered, 200)));
    FirmwareTestBench bench;
    bench.encoder->status = IdentifyingBehaviour::kBoot;
    bench.encoder->version = running;
    FirmwareUpgrade upgrade(&bench.link);
    shorten(upgrade);
    QCOMPARE(upgrade.upgradeFirmware(bench.portText(), 115200, path), upgraded);
    QCOMPARE(bench.encoder->completedTransfers, upgraded ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestFirmwareUpgrade)
#include "tst_firmwareupgrade.moc"
