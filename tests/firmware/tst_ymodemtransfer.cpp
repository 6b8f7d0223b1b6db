#include <QtTest>

#include "chineseconfig.h"
#include "devicestype.h"
#include "firmwaretestbench.h"
#include "language.h"
#include "testworkdir.h"
#include "ymodemtransfer.h"

namespace {
const QByteArray kFiveCan(5, '\x18');

QByteArray endPacket() {
    QByteArray p("\x01\x00\xFF", 3);
    p.append(QByteArray(128, '\0'));
    p.append(QByteArray(2, '\0'));
    return p;
}
}  // namespace

class TestYmodemTransfer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void packetLayout_data();
    void packetLayout();
    void fileInfoBlockForUpdateBin();
    void transfersFileWhole_data();
    void transfersFileWhole();
    void blockNumbersWrapOnTheWire();
    void countsAndLogsRetries();
    void nakOfShortLastPacketResendsSamePacket();
    void nakBeforeDataRequestKeepsWaiting();
    void failuresCancel_data();
    void failuresCancel();
    void fileChangingMidTransferSendsTheSnapshot_data();
    void fileChangingMidTransferSendsTheSnapshot();
    void portVanishingMidTransferEnds();
    void refusesFilesItCannotSend_data();
    void refusesFilesItCannotSend();

private:
    // Sends path at the given packet size into the boot loader; the bench's link stays open.
    bool send(FirmwareTestBench& bench, const QString& path, int packetSize,
              int replyTimeoutMs = 2000);
    std::unique_ptr<TestWorkDir> work;
};

void TestYmodemTransfer::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
}

bool TestYmodemTransfer::send(FirmwareTestBench& bench, const QString& path, int packetSize,
                              int replyTimeoutMs) {
    bench.encoder->status = IdentifyingBehaviour::kBoot;
    bench.link.replyTimeoutMs = replyTimeoutMs;
    if (!bench.link.openSerialPort(bench.portText(), 115200))
        return false;
    YmodemTransfer transfer(&bench.link);
    transfer.initialPacketWaitMs = 0;
    if (!transfer.prepareFile(path, packetSize))
        return false;
    return transfer.transferFile(transfer.image, QFileInfo(path).fileName());
}

void TestYmodemTransfer::packetLayout_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<QByteArray>("head");
    QTest::addRow("block 1") << 1 << QByteArray("\x01\x01\xFE", 3);
    QTest::addRow("block 256 wraps to 00") << 256 << QByteArray("\x01\x00\xFF", 3);
    QTest::addRow("block 300") << 300 << QByteArray("\x01\x2C\xD3", 3);
}

void TestYmodemTransfer::packetLayout() {
    QFETCH(int, block);
    QFETCH(QByteArray, head);
    const QByteArray data("123456789");
    const QByteArray packet = YmodemTransfer::buildPacket(0x01, quint16(block), data, 128);
    QCOMPARE(packet.size(), 133);
    QCOMPARE(packet.left(3), head);
    // CRC over the 128 data bytes only (the digits, then zeros), high byte first.
    const quint16 crc = EncoderBehaviour::crc16(data.leftJustified(128, '\0'));
    QCOMPARE(quint8(packet.at(131)), quint8(crc >> 8));
    QCOMPARE(quint8(packet.at(132)), quint8(crc & 0xFF));
    QCOMPARE(YmodemTransfer::buildPacket(0x01, 0, QByteArray(128, '\0'), 128), endPacket());
}

void TestYmodemTransfer::fileInfoBlockForUpdateBin() {
    const QString path = work->filePath("update.bin");
    const QByteArray content = patternBytes(24592);
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    QVERIFY(send(bench, path, 1024));
    const QByteArray block0 = bench.wire().at(1);
    QCOMPARE(block0.left(3), QByteArray("\x01\x00\xFF", 3));
    QByteArray expected("update.bin");
    expected.append('\0').append("24592").append('\0');
    QCOMPARE(block0.mid(3, 128), expected.leftJustified(128, '\0'));
    QCOMPARE(bench.encoder->receivedName, QByteArray("update.bin"));
    QCOMPARE(bench.encoder->receivedImage, content);
}

void TestYmodemTransfer::transfersFileWhole_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("packetSize");
    QTest::addColumn<QByteArray>("headers");  // header byte of every data packet
    QTest::addColumn<int>("fill");            // 1A bytes in the last packet
    QTest::addRow("1000 at 128: 8 packets, 24 fill") << 1000 << 128 << QByteArray(8, '\x01') << 24;
    QTest::addRow("2100 at 1024: short last one goes as 128")
        << 2100 << 1024 << QByteArray("\x02\x02\x01") << 76;
    QTest::addRow("1500 at 1024: last one STX with 548 fill")
        << 1500 << 1024 << QByteArray("\x02\x02") << 548;
    QTest::addRow("24576 at 1024: 24 STX, no fill") << 24576 << 1024 << QByteArray(24, '\x02') << 0;
    QTest::addRow("128 at 128: one full packet") << 128 << 128 << QByteArray(1, '\x01') << 0;
    QTest::addRow("1 byte at 1024") << 1 << 1024 << QByteArray(1, '\x01') << 127;
}

void TestYmodemTransfer::transfersFileWhole() {
    QFETCH(int, length);
    QFETCH(int, packetSize);
    QFETCH(QByteArray, headers);
    QFETCH(int, fill);
    const QString path = work->filePath("image.bin");
    const QByteArray content = patternBytes(length);
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    QVERIFY(send(bench, path, packetSize));

    // 'S', block 0, the data packets, EOT, the end packet.
    const QList<QByteArray> wire = bench.wire();
    QCOMPARE(wire.size(), 2 + headers.size() + 2);
    QCOMPARE(wire.first(), QByteArray("S"));
    QByteArray data;
    for (int i = 0; i < headers.size(); ++i) {
        const QByteArray packet = wire.at(2 + i);
        const int size = packet.at(0) == 0x01 ? 128 : 1024;
        QCOMPARE(packet.at(0), headers.at(i));
        QCOMPARE(quint8(packet.at(1)), quint8(i + 1));
        data += packet.mid(3, size);
    }
    QCOMPARE(data.left(length), content);
    QCOMPARE(data.mid(length), QByteArray(fill, '\x1A'));
    QCOMPARE(wire.at(wire.size() - 2), QByteArray(1, '\x04'));
    QCOMPARE(wire.last(), endPacket());
    QCOMPARE(bench.encoder->receivedImage, content);
    QCOMPARE(bench.progressValues().last(), 100);
    QCOMPARE(bench.messageTexts().mid(1, 2),
             (QStringList{"Ymodem传输开启...", "传输总包数：" + QString::number(headers.size())}));
}

void TestYmodemTransfer::blockNumbersWrapOnTheWire() {
    const QString path = work->filePath("big.bin");
    const QByteArray content = patternBytes(300 * 128);
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    QVERIFY(send(bench, path, 128));
    const QList<QByteArray> wire = bench.wire();
    // wire[1] is block 0, so block k is wire[1 + k].
    QCOMPARE(wire.at(1 + 255).left(3), QByteArray("\x01\xFF\x00", 3));
    QCOMPARE(wire.at(1 + 256).left(3), QByteArray("\x01\x00\xFF", 3));
    QCOMPARE(wire.at(1 + 300).left(3), QByteArray("\x01\x2C\xD3", 3));
    QCOMPARE(bench.encoder->receivedImage, content);
}

void TestYmodemTransfer::countsAndLogsRetries() {
    const QString path = work->filePath("image.bin");
    const QByteArray content = patternBytes(1000);
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    bench.encoder->boot.replyAt.insert(2, QByteArray("\x55\x06", 2));  // garbage, then ACK
    bench.encoder->boot.replyAt.insert(4, QByteArray(1, '\x15'));
    bench.encoder->boot.replyAt.insert(6, QByteArray(1, '\x15'));
    QVERIFY(send(bench, path, 128));
    const QStringList lines = bench.lineTexts();
    QVERIFY(lines.contains("累计传输错误: [ 0 ] 次"));
    QVERIFY(lines.contains("重传: [ 2 ] 次"));
    QVERIFY(lines.indexOf("累计传输错误: [ 0 ] 次") < lines.indexOf("重传: [ 2 ] 次"));
    QVERIFY(lines.contains("重传: [ 3 ] 次"));
    QCOMPARE(bench.encoder->receivedImage, content);
}

void TestYmodemTransfer::nakOfShortLastPacketResendsSamePacket() {
    const QString path = work->filePath("image.bin");
    const QByteArray content = patternBytes(2100);
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    bench.encoder->boot.replyAt.insert(3, QByteArray(1, '\x15'));
    QVERIFY(send(bench, path, 1024));
    const QList<QByteArray> wire = bench.wire();
    // S, block 0, 1, 2, 3, 3 again, EOT, end.
    QCOMPARE(wire.size(), 8);
    QCOMPARE(wire.at(5), wire.at(4));
    QCOMPARE(wire.at(5).size(), 133);
    QCOMPARE(wire.at(5).left(3), QByteArray("\x01\x03\xFC", 3));
    QCOMPARE(wire.at(5).mid(3, 52), content.mid(2048));
    QCOMPARE(wire.at(5).mid(55, 76), QByteArray(76, '\x1A'));
    QCOMPARE(wire.at(6), QByteArray(1, '\x04'));
    QCOMPARE(bench.lineTexts().count("重传: [ 1 ] 次"), 1);
    QCOMPARE(bench.encoder->receivedImage, content);
}

void TestYmodemTransfer::nakBeforeDataRequestKeepsWaiting() {
    const QString path = work->filePath("image.bin");
    const QByteArray content = patternBytes(1000);
    QVERIFY(writeFile(path, content));
    FirmwareTestBench bench;
    // Block 0 acknowledged, then a NAK before the 'C' that asks for data.
    bench.encoder->boot.replyAt.insert(0, QByteArray("\x06\x15"
                                                     "C",
                                                     3));
    QVERIFY(send(bench, path, 128));
    const QList<QByteArray> wire = bench.wire();
    QCOMPARE(wire.size(), 2 + 8 + 2);
    for (int k = 1; k <= 8; ++k) QCOMPARE(quint8(wire.at(1 + k).at(1)), quint8(k));
    QVERIFY(bench.lineTexts().contains("重传: [ 1 ] 次"));
    QCOMPARE(bench.encoder->receivedImage, content);
}

void TestYmodemTransfer::failuresCancel_data() {
    QTest::addColumn<int>("packet");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("nakAlways");
    QTest::addColumn<QString>("message");
    QTest::addRow("device cancels at packet 3")
        << 3 << QByteArray(1, '\x18') << false << "失败！原因：设备端停止下载。";
    QTest::addRow("device silent at packet 3")
        << 3 << QByteArray() << false << "失败！原因：设备端回复超时，停止下载。";
    QTest::addRow("garbage instead of ACK at packet 2")
        << 2 << QByteArray(1, '\x55') << false << "失败！原因：设备端回复超时，停止下载。";
    QTest::addRow("mistimed 'C' instead of ACK at block 0")
        << 0 << QByteArray("C") << false << "失败！原因：设备端回复超时，停止下载。";
    QTest::addRow("200 NAKs of packet 2")
        << 2 << QByteArray() << true << "失败！原因：传输累计错误:[ 200]次，停止下载。";
}

void TestYmodemTransfer::failuresCancel() {
    QFETCH(int, packet);
    QFETCH(QByteArray, reply);
    QFETCH(bool, nakAlways);
    QFETCH(QString, message);
    const QString path = work->filePath("image.bin");
    QVERIFY(writeFile(path, patternBytes(1000)));
    FirmwareTestBench bench;
    if (nakAlways)
        bench.encoder->boot.nakAlwaysAt = packet;
    else
        bench.encoder->boot.replyAt.insert(packet, reply);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!send(bench, path, 128, 300));
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(bench.messageTexts().last(), message);
    QTRY_VERIFY(bench.wireBytes().endsWith(kFiveCan));
    QCOMPARE(bench.encoder->completedTransfers, 0);
}

void TestYmodemTransfer::fileChangingMidTransferSendsTheSnapshot_data() {
    QTest::addColumn<int>("newSize");
    QTest::addRow("shrinks") << 200;
    QTest::addRow("rewritten, same size") << 1000;
    QTest::addRow("grows") << 5000;
}

void TestYmodemTransfer::fileChangingMidTransferSendsTheSnapshot() {
    QFETCH(int, newSize);
    const QString path = work->filePath("image.bin");
    const QByteArray original = patternBytes(1000);
    QVERIFY(writeFile(path, original));
    FirmwareTestBench bench;
    // While packet 2 is on its way, the file is replaced by other bytes.
    connect(&bench.link, &Ymodem::msgSignals, this, [&](const QString& text, int arg) {
        if (text.startsWith("当前传输进度") && arg == 2)
            writeFile(path, QByteArray(newSize, '\x5A'));
    });
    QVERIFY(send(bench, path, 128));
    // The device holds the file as it was checked, never a mix of two files.
    QCOMPARE(bench.encoder->completedTransfers, 1);
    QCOMPARE(bench.encoder->receivedImage, original);
}

void TestYmodemTransfer::portVanishingMidTransferEnds() {
    const QString path = work->filePath("image.bin");
    QVERIFY(writeFile(path, patternBytes(4000)));
    FirmwareTestBench bench;
    SimDevice::Faults faults;
    faults.vanishAfterCommands = 6;  // 'S', block 0, packets 1 to 4
    bench.sim.setFaults(faults);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!send(bench, path, 128, 3000));
    QVERIFY2(clock.elapsed() < 2500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(bench.messageTexts().last(), QString("失败！原因：串口连接中断，停止下载。"));
}

void TestYmodemTransfer::refusesFilesItCannotSend_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("message");
    QTest::addRow("empty") << "empty.bin" << 0
                           << "失败！原因：固件长度 [ 0 ] Byte 超出范围（1 ~ 65535 Byte）。";
    QTest::addRow("65536 bytes")
        << "big.bin" << 65536 << "失败！原因：固件长度 [ 65536 ] Byte 超出范围（1 ~ 65535 Byte）。";
    const QString longName = QString(121, QLatin1Char('n')) + ".bin";
    QTest::addRow("name too long for block 0")
        << longName << 100
        << "失败！原因：固件文件名 [ " + longName + " ] 过长，无法写入文件信息包。";
    QTest::addRow("missing") << "missing.bin" << -1 << "升级固件： missing.bin不存在。";
}

void TestYmodemTransfer::refusesFilesItCannotSend() {
    QFETCH(QString, name);
    QFETCH(int, length);
    QFETCH(QString, message);
    const QString path = work->filePath(name);
    if (length >= 0)
        QVERIFY(writeFile(path, patternBytes(length)));
    FirmwareTestBench bench;
    QVERIFY(!send(bench, path, 128));
    QCOMPARE(bench.messageTexts().last(), message);
    QVERIFY(bench.wire().isEmpty());
}

QTEST_GUILESS_MAIN(TestYmodemTransfer)
#include "tst_ymodemtransfer.moc"
