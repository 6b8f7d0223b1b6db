#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include "cliprocess.h"
#include "encoderbehaviour.h"
#include "simdevice.h"
#include "testworkdir.h"

namespace {
const QRegularExpression kHan(QStringLiteral("[\\x{3400}-\\x{9fff}\\x{f900}-\\x{faff}]"));

// Stands where the translation service would be and counts who asks it: in English every
// operator text comes from the catalogue, so nobody may.
struct Service {
    Service() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                ++connections;
                s->close();  // like a service that cannot be reached
            }
        });
    }
    QByteArray config(const QByteArray& language) const {
        return "[BaiduTranslate]\nurl=http://127.0.0.1:" + QByteArray::number(server.serverPort()) +
               "/api/trans/vip/translate?\nappid=12345678901234567\nsecret=abcdefghij0123456789\n"
               "[Language]\nLanguageType=" +
               language +
               "\n[ZEK_ENCODER]\nTargetInl=100\nResolution=17\nbootAreaSize=12288\n"
               "appAreaSize=24576\nconfigAreaSize=2048\nidAreaSize=2048\n"
               "[CalibrationEntity]\npointNum=32\nencoderLine=2048\ncalibrationSpeed=1400\n"
               "[CalibrationEntityList]\n1\\testSpeed=400\n2\\testSpeed=400\n3\\testSpeed=400\n"
               "4\\testSpeed=400\nsize=4\n";
    }
    QTcpServer server;
    int connections = 0;
};

QString hanLines(const QByteArray& output) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(output).split(QLatin1Char('\n')))
        if (line.contains(kHan))
            lines << line;
    return lines.join(QLatin1Char('\n'));
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
}  // namespace

class TestEnglishCli : public QObject {
    Q_OBJECT
private slots:
    void translateUsesTheCatalogue_data();
    void translateUsesTheCatalogue();
    void jobsPrintEnglishOnly_data();
    void jobsPrintEnglishOnly();
};

void TestEnglishCli::translateUsesTheCatalogue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("english");
    QTest::addRow("verdict") << "校准完毕。"
                             << "Calibration complete.";
    QTest::addRow("template") << "尝试连接第 2次..."
                              << "Connection attempt 2...";
}

void TestEnglishCli::translateUsesTheCatalogue() {
    QFETCH(QString, text);
    QFETCH(QString, english);
    Service service;
    TestWorkDir work(service.config("zh"));
    const Run run = cli({"translate", "--lang", "en", text});
    QCOMPARE(run.code, 0);
    QCOMPARE(QString::fromUtf8(run.out), english + "\n");
    QCOMPARE(service.connections, 0);
}

void TestEnglishCli::jobsPrintEnglishOnly_data() {
    QTest::addColumn<int>("device");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected");
    const int none = -1;
    QTest::addRow("rig calibrate")
        << int(SimDevice::Rig) << QStringList{"rig", "calibrate", "--port", "@"} << 0
        << "Calibration complete.";
    QTest::addRow("rig zero") << int(SimDevice::Rig) << QStringList{"rig", "zero", "--port", "@"}
                              << 0 << "Zeroing complete.";
    QTest::addRow("rig test") << int(SimDevice::Rig) << QStringList{"rig", "test", "--port", "@"}
                              << 0 << "Test complete.";
    QTest::addRow("rig refuses zero points")
        << none << QStringList{"rig", "zero", "--port", "x", "--points", "0"} << 2
        << "Reference points cannot be 0, please re-enter";
    QTest::addRow("biss") << int(SimDevice::BissMaster)
                          << QStringList{"biss",          "--port",     "Simulated (@)",
                                         "master-status", "slave-data", "read-reg=11"}
                          << 0 << "Master status read";
    QTest::addRow("iap") << int(SimDevice::Encoder)
                         << QStringList{"iap",       "--port",      "@",
                                        "--device",  "ZEK_ENCODER", "--protocol",
                                        "Ymodem_1K", "--file",      "update.bin"}
                         << 0 << "Upgrade complete.";
    QTest::addRow("firmware generation")
        << none
        << QStringList{"firmware",    "--mode",      "Upgrade_Firmware", "--app", "update.bin",
                       "--watermark", "ZEK_ENCODER", "--version",        "0.03",  "--out",
                       "up.bin"}
        << 0 << "Firmware generated";
    QTest::addRow("firmware without its file")
        << none
        << QStringList{"firmware",    "--mode",      "Upgrade_Firmware", "--app", "missing.bin",
                       "--watermark", "ZEK_ENCODER", "--version",        "0.03",  "--out",
                       "up.bin"}
        << 1 << "does not exist";
}

// Offline, in English: the jobs print English lines only and never wait for the service.
void TestEnglishCli::jobsPrintEnglishOnly() {
    QFETCH(int, device);
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, expected);
    Service service;
    TestWorkDir work(service.config("en"));
    QVERIFY(writeFile(work.filePath("update.bin"), QByteArray(2000, '\x5A') + "ZEK_ENCODERV0.05"));
    std::unique_ptr<SimDevice> sim;
    if (device >= 0) {
        sim = std::make_unique<SimDevice>(SimDevice::Kind(device));
        if (device == SimDevice::Encoder)  // already in its boot loader: saves the mode switch
            static_cast<EncoderBehaviour*>(sim->behaviour())->status = IdentifyingBehaviour::kBoot;
        for (QString& a : args) a.replace(QLatin1Char('@'), sim->portPath());
    }
    QElapsedTimer clock;
    clock.start();
    const Run run = cli(args, 120000);
    qInfo("%s took %lld ms", QTest::currentDataTag(), clock.elapsed());
    QVERIFY2(run.code == code, run.out + run.err);
    const QByteArray output = run.out + run.err;
    QVERIFY2(hanLines(output).isEmpty(), qPrintable(hanLines(output)));
    QVERIFY2(QString::fromUtf8(output).contains(expected), output.constData());
    QCOMPARE(service.connections, 0);
}

QTEST_GUILESS_MAIN(TestEnglishCli)
#include "tst_englishcli.moc"
