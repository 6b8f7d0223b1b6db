#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "chineseconfig.h"
#include "cliprocess.h"
#include "simdevice.h"
#include "testworkdir.h"

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersion();
    void usageErrors_data();
    void usageErrors();
    void translateThroughService();
    void translateFailureExitsOne();
    void debugOutputOnlyWhenAsked();
    void connectJson_data();
    void connectJson();
    void connectTextIsTheLogForm();
    void simulatorExecutableServesTheConnect_data();
    void simulatorExecutableServesTheConnect();
};

void TestCli::helpAndVersion() {
    TestWorkDir work(chineseConfig());
    const Run help = cli({"--help"});
    QCOMPARE_EXIT(help, 0);
    QVERIFY(help.out.contains("connect --port TEXT --baud N --type NAME"));
    const Run version = cli({"--version"});
    QCOMPARE(version.out, QByteArray("quelbrin-cli 1.0.0.0\n"));
    QCOMPARE(cli({"ports"}).code, 0);
}

void TestCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addRow("no command") << QStringList{};
    QTest::addRow("unknown command") << QStringList{"fly"};
    QTest::addRow("translate without text") << QStringList{"translate"};
    QTest::addRow("unknown language") << QStringList{"translate", "--lang", "klingon", "你好"};
    QTest::addRow("connect without port")
        << QStringList{"connect", "--baud", "9600", "--type", "CALIBRATION"};
    QTest::addRow("baud not a number")
        << QStringList{"connect", "--port", "x", "--baud", "fast", "--type", "CALIBRATION"};
    QTest::addRow("unknown type") << QStringList{"connect", "--port", "x",      "--baud",
                                                 "9600",    "--type", "TOASTER"};
    QTest::addRow("unknown option") << QStringList{"connect", "--port", "x",           "--baud",
                                                   "9600",    "--type", "CALIBRATION", "--fast"};
    QTest::addRow("ports with argument") << QStringList{"ports", "all"};
}

void TestCli::usageErrors() {
    QFETCH(QStringList, args);
    TestWorkDir work(chineseConfig());
    const Run run = cli(args);
    QCOMPARE_EXIT(run, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.startsWith("quelbrin-cli: "));
}

void TestCli::translateThroughService() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QByteArray request;
    connect(&server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [&request, socket] {
            request += socket->readAll();
            if (!request.contains("needIntervene=1"))
                return;
            const QByteArray body = R"({"trans_result":[{"src":"你好","dst":"Hello."}]})";
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                          "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    });
    TestWorkDir work(chineseConfig() + "[BaiduTranslate]\nurl=http://127.0.0.1:" +
                     QByteArray::number(server.serverPort()) + "/api/trans/vip/translate?\n");
    const Run run = cli({"translate", "--lang", "en", "你好"});
    QCOMPARE_EXIT(run, 0);
    QCOMPARE(run.out, QByteArray("Hello\n"));
    QVERIFY(request.contains("&to=en&"));
    // The stored language (zh) applies without --lang, and debug lines never reach stdout.
    const Run stored = cli({"translate", "你好"});
    QCOMPARE(stored.out, QString("你好\n").toUtf8());
}

void TestCli::translateFailureExitsOne() {
    // Nothing listens on this port: the service cannot be reached.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QByteArray port = QByteArray::number(closed.serverPort());
    closed.close();
    TestWorkDir work(chineseConfig() + "[BaiduTranslate]\nurl=http://127.0.0.1:" + port +
                     "/api/trans/vip/translate?\n");
    const Run run = cli({"translate", "--lang", "en", "你好"});
    QCOMPARE_EXIT(run, 1);
    QCOMPARE(run.out, QString("你好\n").toUtf8());
}

void TestCli::debugOutputOnlyWhenAsked() {
    SimDevice rig(SimDevice::Rig);
    TestWorkDir work(chineseConfig());
    const QStringList args{"connect", "--port", rig.portPath(), "--baud",
                           "115200",  "--type", "CALIBRATION"};
    const Run quiet = cli(args);
    QCOMPARE_EXIT(quiet, 0);
    QVERIFY2(!quiet.err.contains("SerialPort Controler Init"), quiet.err.constData());
    QVERIFY(!quiet.err.contains("getconfig"));
    const Run verbose = cli(QStringList(args) << "--verbose");
    QCOMPARE_EXIT(verbose, 0);
    QVERIFY(verbose.err.contains("SerialPort Controler Init"));
}

void TestCli::connectJson_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("results");
    QTest::addRow("matching rig") << int(SimDevice::Rig) << "CALIBRATION" << 0 << 2;
    QTest::addRow("type mismatch") << int(SimDevice::Encoder) << "CALIBRATION" << 1 << 2;
    QTest::addRow("no device") << -1 << "CALIBRATION" << 1 << 1;
}

void TestCli::connectJson() {
    QFETCH(int, kind);
    QFETCH(QString, type);
    QFETCH(int, code);
    QFETCH(int, results);
    TestWorkDir work(chineseConfig());
    std::unique_ptr<SimDevice> sim;
    QString port = "Absent (/dev/pts/no-such)";
    if (kind >= 0) {
        sim = std::make_unique<SimDevice>(static_cast<SimDevice::Kind>(kind));
        port = "Simulated (" + sim->portPath() + ")";
    }
    const Run run = cli({"connect", "--port", port, "--baud", "115200", "--type", type, "--json"});
    QCOMPARE_EXIT(run, code);
    const QList<QJsonObject> lines = jsonLines(run.out);
    QVERIFY(lines.size() >= 3);
    QCOMPARE(lines.first().value("type").toString(), QString("message"));
    QCOMPARE(lines.first().value("mode").toString(), QString("SerialPort"));
    QCOMPARE(lines.last(), (QJsonObject{{"type", "exit"}, {"code", code}}));
    int resultCount = 0;
    QList<int> progress;
    for (const QJsonObject& line : lines) {
        if (line.value("type") == "result") {
            ++resultCount;
            if (line.value("name") == "connectResult")
                QCOMPARE(line.value("ok").toBool(), kind >= 0);
        }
        if (line.value("type") == "progress")
            progress << line.value("value").toInt();
    }
    QCOMPARE(resultCount, results);
    QCOMPARE(progress.last(), 100);
    QVERIFY(run.out.startsWith("{\"type\":\"message\""));
    // Settings were saved as the dialog saves them.
    QVERIFY(work.readConfig().contains("DevicesType=" + type.toLatin1()));
}

void TestCli::connectTextIsTheLogForm() {
    TestWorkDir work(chineseConfig());
    SimDevice rig(SimDevice::Rig);
    const Run run = cli({"connect", "--port", rig.portPath(), "--baud", "9600", "--type",
                         "CALIBRATION", "--verbose"});
    QCOMPARE_EXIT(run, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    for (const QByteArray& line : lines)
        QVERIFY2(line.startsWith(">>>>>>>>> SerialPort  :  :  "), line.constData());
    QCOMPARE(QString::fromUtf8(lines.last()),
             QString(">>>>>>>>> SerialPort  :  :  设备类型匹配成功。"));
    QVERIFY(!run.out.contains("open serialport success"));  // debug lines go to stderr
    QVERIFY(run.err.contains("open serialport success"));   // asked for with --verbose
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

void TestCli::simulatorExecutableServesTheConnect_data() {
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expect");
    QTest::addRow("boot loader") << QStringList{"--device", "encoder", "--status", "BOOT"}
                                 << "ZEK_ENCODER" << 0
                                 << "获取设备状态成功，当前设备处于[BOOT ] 状态。";
    QTest::addRow("other type") << QStringList{"--device", "encoder", "--type", "ZEK_MT6826S"}
                                << "ZEK_ENCODER" << 1
                                << "设备类型匹配失败，请修改设备类型为：ZEK_MT6826S";
    QTest::addRow("refuses once") << QStringList{"--device", "biss", "--refuse", "1"}
                                  << "BiSS_Master" << 0 << "失败！原因：设备拒绝通信！";
}

void TestCli::simulatorExecutableServesTheConnect() {
    QFETCH(QStringList, simArgs);
    QFETCH(QString, type);
    QFETCH(int, code);
    QFETCH(QString, expect);
    TestWorkDir work(chineseConfig());
    QProcess sim;
    sim.start(QStringLiteral(QUELBRIN_SIM), simArgs);
    QVERIFY(sim.waitForReadyRead(5000));
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY2(path.startsWith("/dev/pts/"), qPrintable(path));
    const Run run = cli({"connect", "--port", path, "--baud", "115200", "--type", type});
    QCOMPARE_EXIT(run, code);
    QVERIFY2(run.out.contains(expect.toUtf8()), run.out.constData());
    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
}
