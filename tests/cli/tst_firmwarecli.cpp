#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>

#include "chineseconfig.h"
#include "cliprocess.h"
#include "encoderbehaviour.h"
#include "simdevice.h"
#include "testworkdir.h"

namespace {
QByteArray pattern(int n) {
    QByteArray bytes(n, '\0');
    for (int i = 0; i < n; ++i) bytes[i] = char((i * 37 + i / 253) & 0xFF);
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kConfig = chineseConfig() +
                           "[ZEK_ENCODER]\nbootAreaSize=12288\nappAreaSize=24576\n"
                           "configAreaSize=2048\nidAreaSize=2048\n";
}  // namespace

class TestFirmwareCli : public QObject {
    Q_OBJECT
private slots:
    void usageErrors_data();
    void usageErrors();
    void generatesUpgradeImage();
    void generationRefusals_data();
    void generationRefusals();
    void ymodemIntoSimulatedBootLoader();
    void iapUpgradesSimulatedEncoder();
    void iapFailureExitsOne();
    void ymodemIntoLrzsz_data();
    void ymodemIntoLrzsz();
};

void TestFirmwareCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    const QStringList gen{"firmware",  "--app", "a.bin", "--watermark", "ZEK_ENCODER",
                          "--version", "0.02",  "--out", "o.bin"};
    QTest::addRow("factory image without boot file")
        << (gen + QStringList{"--mode", "Factory_Firmware"});
    QTest::addRow("unknown mode") << (gen + QStringList{"--mode", "Nightly"});
    QTest::addRow("firmware without mode") << gen;
    QTest::addRow("version out of range")
        << QStringList{"firmware",    "--mode",      "Upgrade_Firmware", "--app", "a.bin",
                       "--watermark", "ZEK_ENCODER", "--version",        "12",    "--out",
                       "o.bin"};
    QTest::addRow("unknown watermark")
        << QStringList{"firmware",    "--mode",  "Upgrade_Firmware", "--app", "a.bin",
                       "--watermark", "TOASTER", "--version",        "0.02",  "--out",
                       "o.bin"};
    QTest::addRow("iap without file")
        << QStringList{"iap", "--port", "x", "--device", "ZEK_ENCODER"};
    QTest::addRow("iap with unknown protocol") << QStringList{
        "iap", "--port", "x", "--device", "ZEK_ENCODER", "--file", "f", "--protocol", "Ymodem_4K"};
    QTest::addRow("ymodem without file") << QStringList{"ymodem", "--port", "x"};
    QTest::addRow("ymodem with block 512")
        << QStringList{"ymodem", "--port", "x", "--block", "512", "f"};
    QTest::addRow("ymodem with two files") << QStringList{"ymodem", "--port", "x", "f", "g"};
}

void TestFirmwareCli::usageErrors() {
    QFETCH(QStringList, args);
    TestWorkDir work(kConfig);
    const Run run = cli(args);
    QCOMPARE_EXIT(run, 2);
    QVERIFY(run.err.contains("quelbrin-cli: "));
}

void TestFirmwareCli::generatesUpgradeImage() {
    TestWorkDir work(kConfig);
    QVERIFY(writeFile(work.filePath("app.bin"), pattern(5000)));
    const Run run =
        cli({"firmware", "--mode", "Upgrade_Firmware", "--app", "app.bin", "--watermark",
             "ZEK_ENCODER", "--version", "0.03", "--out", "up.bin", "--json"});
    QCOMPARE_EXIT(run, 0);
    const QList<QJsonObject> results = jsonLines(run.out, "result");
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.first().value("name").toString(), QString("generationResult"));
    QCOMPARE(results.first().value("text").toString(), QString("固件生成成功"));
    QCOMPARE(readFile(work.filePath("up.bin")), pattern(5000) + "ZEK_ENCODERV0.03");
}

void TestFirmwareCli::generationRefusals_data() {
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("app");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    // No config/ at all: the default is written first, with the devices' areas.
    QTest::addRow("empty folder") << QByteArray() << "file" << 0 << "固件生成成功";
    QTest::addRow("device without an area group")
        << chineseConfig() << "file" << 1
        << "设备 [ ZEK_ENCODER ] 在配置文件中没有分区配置组 [ZEK_ENCODER]";
    QTest::addRow("app is a FIFO") << kConfig << "fifo" << 1 << "不是普通文件";
    QTest::addRow("app of 4 GiB") << kConfig << "sparse" << 1 << "长度： [ 4294967312 ]Byte";
}

void TestFirmwareCli::generationRefusals() {
    QFETCH(QByteArray, config);
    QFETCH(QString, app);
    QFETCH(int, code);
    QFETCH(QString, message);
    TestWorkDir work(config);
    if (config.isEmpty())
        QFile::remove(work.filePath("config/config.ini"));
    const QString path = work.filePath("app.bin");
    if (app == "file")
        QVERIFY(writeFile(path, pattern(5000)));
    else if (app == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else {
        QFile sparse(path);
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(4) << 30));
    }
    const Run run = cli({"firmware", "--mode", "Upgrade_Firmware", "--app", "app.bin",
                         "--watermark", "ZEK_ENCODER", "--version", "0.03", "--out", "up.bin"},
                        20000);
    QCOMPARE_EXIT(run, code);
    QVERIFY2(QString::fromUtf8(run.out).contains(message), run.out.constData());
    QFile::remove(path);
}

void TestFirmwareCli::ymodemIntoSimulatedBootLoader() {
    TestWorkDir work(kConfig);
    SimDevice sim(SimDevice::Encoder);
    auto* encoder = static_cast<EncoderBehaviour*>(sim.behaviour());
    encoder->status = IdentifyingBehaviour::kBoot;
    QVERIFY(writeFile(work.filePath("file.bin"), pattern(3000)));
    const Run run =
        cli({"ymodem", "--port", sim.portPath(), "--block", "1024", "file.bin", "--json"});
    QCOMPARE_EXIT(run, 0);
    QCOMPARE(jsonLines(run.out, "result").first().value("name").toString(),
             QString("transferFile"));
    QVERIFY(jsonLines(run.out, "result").first().value("ok").toBool());
    QCOMPARE(sim.received().first(), QByteArray("S"));
    const auto guard = sim.lock();
    QCOMPARE(encoder->receivedImage, pattern(3000));
}

void TestFirmwareCli::iapUpgradesSimulatedEncoder() {
    TestWorkDir work(kConfig);
    SimDevice sim(SimDevice::Encoder);
    auto* encoder = static_cast<EncoderBehaviour*>(sim.behaviour());
    encoder->status = IdentifyingBehaviour::kBoot;  // saves the mode switch's 3 s
    const QByteArray image = pattern(2000) + "ZEK_ENCODERV0.05";
    QVERIFY(writeFile(work.filePath("update.bin"), image));
    const Run run = cli({"iap", "--port", sim.portPath(), "--device", "ZEK_ENCODER", "--protocol",
                         "Ymodem_1K", "--file", "update.bin", "--json"});
    QCOMPARE_EXIT(run, 0);
    const QJsonObject result = jsonLines(run.out, "result").first();
    QCOMPARE(result.value("name").toString(), QString("connectResult"));
    QCOMPARE(result.value("text").toString(), QString("升级完成。"));
    QCOMPARE(jsonLines(run.out, "line").first().value("text").toString(),
             QString("当前传输进度：[ 1 ] "));
    const auto guard = sim.lock();
    QCOMPARE(encoder->receivedImage, image);
    QCOMPARE(encoder->version, QString("0.05"));
}

void TestFirmwareCli::iapFailureExitsOne() {
    TestWorkDir work(kConfig);
    SimDevice sim(SimDevice::Encoder);
    const Run run =
        cli({"iap", "--port", sim.portPath(), "--device", "ZEK_ENCODER", "--file", "missing.bin"});
    QCOMPARE_EXIT(run, 1);
    QVERIFY(run.out.contains("升级失败。"));
}

void TestFirmwareCli::ymodemIntoLrzsz_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("block");
    QTest::addRow("1000 bytes at 128") << 1000 << 128;
    QTest::addRow("24576 bytes at 1024") << 24576 << 1024;
}

// lrzsz's rb is a YMODEM receiver nobody here wrote. It runs behind socat, on a socket pair
// rather than a terminal: rb flushes its terminal as it exits, which on a pseudo-terminal can
// swallow its last ACK before the sender has read it; socat has read it off the socket by then
// and hands it on.
void TestFirmwareCli::ymodemIntoLrzsz() {
    QFETCH(int, length);
    QFETCH(int, block);
    if (QStandardPaths::findExecutable("rb").isEmpty() ||
        QStandardPaths::findExecutable("socat").isEmpty())
        QSKIP("needs lrzsz (rb) and socat");
    TestWorkDir work(kConfig);
    QDir(work.path()).mkpath("received");
    QVERIFY(writeFile(work.filePath("received/run-rb.sh"), "rb -q\necho $? > rb.status\n"));
    const QByteArray content = pattern(length);
    QVERIFY(writeFile(work.filePath("image.bin"), content));

    QProcess relay;
    relay.setWorkingDirectory(work.filePath("received"));
    relay.start("socat",
                {"PTY,link=" + work.filePath("port") + ",raw,echo=0", "EXEC:sh run-rb.sh"});
    QTRY_VERIFY(QFile::exists(work.filePath("port")));
    const Run run = cli({"ymodem", "--port", work.filePath("port"), "--block",
                         QString::number(block), "--no-start", "image.bin"});
    QCOMPARE_EXIT(run, 0);
    QTRY_VERIFY(QFile::exists(work.filePath("received/rb.status")));
    QTRY_COMPARE(readFile(work.filePath("received/rb.status")), QByteArray("0\n"));
    QCOMPARE(readFile(work.filePath("received/image.bin")), content);
    relay.terminate();
    relay.waitForFinished(3000);
}

QTEST_GUILESS_MAIN(TestFirmwareCli)
#include "tst_firmwarecli.moc"
