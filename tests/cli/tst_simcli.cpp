// quelbrin-sim's options, seen from the host: quelbrin-cli against the simulator executable.
#include <sys/ioctl.h>

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include "chineseconfig.h"
#include "cliprocess.h"
#include "testworkdir.h"

namespace {
// Runs quelbrin-sim to its end: only a usage error ends it by itself.
Run simUntilExit(const QStringList& args) {
    return runProgram(QStringLiteral(QUELBRIN_SIM), args, 10000);
}

// The parameters every rig job is validated against, so that no saved record is needed.
const QStringList kRigParameters{"--points", "256", "--line",        "2048",
                                 "--speed",  "100", "--test-speeds", "100,200,300,400"};
}  // namespace

class TestSimCli : public QObject {
    Q_OBJECT
private slots:
    void optionsReachTheWire_data();
    void optionsReachTheWire();
    void badOptionsExitTwo_data();
    void badOptionsExitTwo();
    void stopsWhileTheHostIsNotReading();
};

void TestSimCli::optionsReachTheWire_data() {
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("cliArgs");  // PORT stands for the simulator's port
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("expect");  // all in the host's output
    const QStringList params = QStringList{"rig", "params", "--port", "PORT"} + kRigParameters;
    const QStringList zero = QStringList{"rig", "zero", "--port", "PORT"} + kRigParameters;
    const QStringList status{"biss", "--port", "PORT", "--json", "master-status", "slave-status"};
    const QStringList ymodem{"ymodem", "--port", "PORT", "image.bin"};

    QTest::addRow("rig holds a ZEK_ENCODER by default")
        << QStringList{"--device", "rig"} << params << 0
        << QStringList{"设备名称：[ ZEK_ENCODER ]，设备ID：[ FA ]"};
    QTest::addRow("rig holds the encoder type given")
        << QStringList{"--device", "rig", "--encoder-type", "ZEK_MT6826S"} << params << 0
        << QStringList{"设备名称：[ ZEK_MT6826S ]，设备ID：[ FB ]"};
    QTest::addRow("rig judges the encoder bad")
        << QStringList{"--device", "rig", "--verdict", "bad"} << zero << 3
        << QStringList{"对零失败"};
    QTest::addRow("rig refuses the parameter frame")
        << QStringList{"--device", "rig", "--parameters", "refuse"} << params << 1
        << QStringList{"失败！原因：设备拒绝通信！"};
    QTest::addRow("master in its default BiSS-C mode with a ZEK_MT_BISS")
        << QStringList{"--device", "biss"} << status << 0
        << QStringList{R"("masterMode":"BISS_C")", R"("slaveType":"ZEK_MT_BISS")"};
    QTest::addRow("resolver slave puts the master in RS485")
        << QStringList{"--device", "biss", "--slave", "ABSRESLOVER"} << status << 0
        << QStringList{R"("masterMode":"RS485")", R"("slaveType":"ABSRESLOVER")"};
    QTest::addRow("resolver on a BiSS-C master gives no data")
        << QStringList{"--device", "biss", "--slave", "ABSRESLOVER", "--link-mode", "BISS_C"}
        << status << 1 << QStringList{"COMIUNICATION_FAULT_NO_DATA"};
    QTest::addRow("master reports busy")
        << QStringList{"--device", "biss", "--fault", "busy"} << status << 1
        << QStringList{"COMIUNICATION_FAULT_BISS_BUSY"};
    QTest::addRow("boot loader takes the whole file")
        << QStringList{"--device", "encoder", "--status", "BOOT"} << ymodem << 0
        << QStringList{"传输完成。"};
    QTest::addRow("boot loader refuses packet 2 once")
        << QStringList{"--device", "encoder", "--status", "BOOT", "--nak-packet", "2"} << ymodem
        << 0 << QStringList{"重传: [ 1 ] 次"};
    QTest::addRow("boot loader cancels at packet 3")
        << QStringList{"--device", "encoder", "--status", "BOOT", "--cancel-packet", "3"} << ymodem
        << 1 << QStringList{"失败！原因：设备端停止下载。"};
}

void TestSimCli::optionsReachTheWire() {
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, cliArgs);
    QFETCH(int, code);
    QFETCH(QStringList, expect);
    TestWorkDir work(chineseConfig());
    QFile image(work.filePath("image.bin"));
    QVERIFY(image.open(QIODevice::WriteOnly));
    image.write(QByteArray(3000, char(0x5A)));
    image.close();

    QProcess sim;
    sim.start(QStringLiteral(QUELBRIN_SIM), simArgs);
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY2(path.startsWith("/dev/pts/"), qPrintable(path));
    cliArgs.replaceInStrings(QRegularExpression("^PORT$"), path);

    const Run host = cli(cliArgs);
    for (const QString& text : expect)
        QVERIFY2(host.out.contains(text.toUtf8()), host.out.constData());
    QCOMPARE_EXIT(host, code);
    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
}

void TestSimCli::badOptionsExitTwo_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("named");  // what the message must point at
    QTest::addRow("no device") << QStringList{"--verdict", "ok"} << "--device";
    QTest::addRow("unknown device") << QStringList{"--device", "toaster"} << "--device";
    QTest::addRow("unknown option") << QStringList{"--device", "rig", "--fast"} << "--fast";
    QTest::addRow("option of another device")
        << QStringList{"--device", "rig", "--slave", "ABSRESLOVER"} << "--slave";
    QTest::addRow("flag given a value")
        << QStringList{"--device", "encoder", "--stay-normal=yes"} << "--stay-normal";
    QTest::addRow("value missing")
        << QStringList{"--device", "encoder", "--boot-delay"} << "--boot-delay";
    QTest::addRow("verdict neither ok nor bad")
        << QStringList{"--device", "rig", "--verdict", "maybe"} << "--verdict";
    QTest::addRow("encoder type unknown")
        << QStringList{"--device", "rig", "--encoder-type", "TOASTER"} << "--encoder-type";
    QTest::addRow("packet not a number")
        << QStringList{"--device", "encoder", "--nak-packet", "three"} << "--nak-packet";
    QTest::addRow("unknown slave")
        << QStringList{"--device", "biss", "--slave", "SSI"} << "--slave";
    QTest::addRow("unknown fault")
        << QStringList{"--device", "biss", "--fault", "sometimes"} << "--fault";
    QTest::addRow("voltage above 3.3")
        << QStringList{"--device", "biss", "--voltage", "5"} << "--voltage";
    QTest::addRow("garbage not hex")
        << QStringList{"--device", "rig", "--garbage", "xyz"} << "--garbage";
    QTest::addRow("negative delay") << QStringList{"--device", "rig", "--delay", "-5"} << "--delay";
}

void TestSimCli::badOptionsExitTwo() {
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    TestWorkDir work;
    const Run sim = simUntilExit(args);
    QCOMPARE_EXIT(sim, 2);
    // No port path: a script reading the first line must not mistake the failure for a port.
    QVERIFY(sim.out.isEmpty());
    QVERIFY2(sim.err.startsWith("quelbrin-sim: "), sim.err.constData());
    QVERIFY2(sim.err.contains(named.toUtf8()), sim.err.constData());
}

void TestSimCli::stopsWhileTheHostIsNotReading() {
    // A reply far longer than the line holds, to a host that writes and then never reads: the
    // simulator's thread is in the middle of that reply when it is asked to stop.
    QProcess sim;
    sim.start(QStringLiteral(QUELBRIN_SIM),
              {"--device", "rig", "--garbage", QString("5A ").repeated(40000).trimmed()});
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QFile port(path);
    QVERIFY(port.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    QVERIFY(port.write(QByteArray(1, char(0xF1))) == 1);
    // The line is full: the simulator's write now waits for a reader that never comes.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            int unread = 0;
            return ioctl(port.handle(), FIONREAD, &unread) == 0 && unread >= 4000;
        }(),
        5000);
    sim.terminate();
    QVERIFY2(sim.waitForFinished(5000), "quelbrin-sim ignored SIGTERM");
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestSimCli)
#include "tst_simcli.moc"
