// quelbrin-cli biss against the simulated BiSS master.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include "bissmasterbehaviour.h"
#include "chineseconfig.h"
#include "cliprocess.h"
#include "simdevice.h"
#include "testworkdir.h"

namespace {
QStringList resultNames(const QByteArray& out) {
    QStringList names;
    for (const QJsonObject& o : jsonLines(out, "result")) names << o.value("name").toString();
    return names;
}

QString port(const SimDevice& sim) {
    return QStringLiteral("Simulated (%1)").arg(sim.portPath());
}
}  // namespace

class TestBissCli : public QObject {
    Q_OBJECT
private slots:
    void usageErrors_data();
    void usageErrors();
    void operationsShareState();
    void firstFailureStopsTheList();
    void slaveEnableKnowsTheSupplyFirst();
    void repeatedAcquisition();
    void surplusBytesNeverShiftTheReplies();
    void twoMastersInOneFolderNeverCross();
};

void TestBissCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addRow("no port") << QStringList{"biss", "master-status"};
    QTest::addRow("no operation") << QStringList{"biss", "--port", "x"};
    QTest::addRow("unknown operation") << QStringList{"biss", "--port", "x", "spin"};
    QTest::addRow("unknown master mode")
        << QStringList{"biss", "--port", "x", "set-master=SPI,1,1"};
    QTest::addRow("single-turn bits 0")
        << QStringList{"biss", "--port", "x", "set-master=BISS_C,1,0"};
    QTest::addRow("register past 255") << QStringList{"biss", "--port", "x", "write-reg=256,1"};
    QTest::addRow("value past 255") << QStringList{"biss", "--port", "x", "write-reg=1,256"};
    QTest::addRow("slave-enable maybe") << QStringList{"biss", "--port", "x", "slave-enable=maybe"};
    QTest::addRow("unknown resolution")
        << QStringList{"biss", "--port", "x", "write-resolution=L999,4"};
    QTest::addRow("repeat 0") << QStringList{"biss", "--port", "x", "--repeat", "0", "slave-data"};
}

void TestBissCli::usageErrors() {
    QFETCH(QStringList, args);
    TestWorkDir work(chineseConfig());
    const Run run = cli(args);
    QCOMPARE_EXIT(run, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("quelbrin-cli:"));
}

void TestBissCli::operationsShareState() {
    TestWorkDir work(chineseConfig());
    SimDevice sim(SimDevice::BissMaster);
    const Run run =
        cli({"biss", "--port", port(sim), "--json", "master-status", "set-master=BISS_C,12,18",
             "slave-status", "slave-data", "read-reg=11", "write-reg=20,5"});
    QCOMPARE_EXIT(run, 0);
    QCOMPARE(resultNames(run.out),
             QStringList({"getMasterStatusResult", "bissResult", "setMasterStatusResult",
                          "bissResult", "getSlaverStatusResult", "bissResult",
                          "getSlaverDataResult", "bissResult", "readSlaverRegeditResult",
                          "bissResult", "writeSlaverRegeditResult", "bissResult"}));
    const QList<QJsonObject> records = jsonLines(run.out, "record");
    QCOMPARE(records.size(), 6);
    const QJsonObject last = records.last().value("record").toObject();
    QCOMPARE(last.value("masterMode").toString(), QString("BISS_C"));
    QCOMPARE(last.value("slaveType").toString(), QString("ZEK_MT_BISS"));
    QCOMPARE(last.value("slaveConnection").toString(), QString("CONNECTED"));
    QCOMPARE(last.value("singleTurnBits").toInt(), 18);
    QCOMPARE(last.value("registerAddress").toInt(), 20);
    QCOMPARE(records.at(4).value("record").toObject().value("registerValue").toInt(), 188);
    QCOMPARE(last.value("communicationFaults").toArray().first().toString(),
             QString("COMIUNICATION_NO_FAULT"));
    QVERIFY(records.at(3).value("record").toObject().value("voltage").toDouble() > 3.0);
    QCOMPARE(jsonLines(run.out, "exit").last().value("code").toInt(), 0);
}

void TestBissCli::firstFailureStopsTheList() {
    TestWorkDir work(chineseConfig());
    SimDevice sim(SimDevice::BissMaster);
    {
        auto guard = sim.lock();
        static_cast<BissMasterBehaviour*>(sim.behaviour())->settings.reportedFault = 7;
    }
    const Run run =
        cli({"biss", "--port", port(sim), "--json", "master-status", "read-reg=11", "slave-data"});
    QCOMPARE_EXIT(run, 1);
    QVERIFY(!resultNames(run.out).contains("getSlaverDataResult"));
    const QJsonObject record = jsonLines(run.out, "record").last().value("record").toObject();
    QCOMPARE(record.value("communicationFaults").toArray().first().toString(),
             QString("COMIUNICATION_FAULT_BISS_BUSY"));
    // The gate stopped the read before anything was sent.
    QCOMPARE(sim.received(), QList<QByteArray>{QByteArray(1, 0x0A)});

    // Clearing the master fault forgets the codes and opens the gate again.
    {
        auto guard = sim.lock();
        static_cast<BissMasterBehaviour*>(sim.behaviour())->settings.reportedFault = -1;
    }
    const Run again =
        cli({"biss", "--port", port(sim), "master-status", "clear-master-fault", "read-reg=11"});
    QCOMPARE_EXIT(again, 0);
}

void TestBissCli::slaveEnableKnowsTheSupplyFirst() {
    TestWorkDir work(chineseConfig());
    SimDevice sim(SimDevice::BissMaster);
    auto* master = static_cast<BissMasterBehaviour*>(sim.behaviour());
    const Run on = cli({"biss", "--port", port(sim), "--json", "slave-enable=on"});
    QCOMPARE_EXIT(on, 0);
    // The supply was on already: the toggling byte must not be sent.
    QCOMPARE(sim.received(), QList<QByteArray>{QByteArray(1, 0x0A)});
    QVERIFY(master->settings.supplyOn);
    const Run off = cli({"biss", "--port", port(sim), "--json", "slave-enable=off"});
    QCOMPARE_EXIT(off, 0);
    QVERIFY(resultNames(off.out).contains("setBissSlaverEnableResult"));
    QVERIFY(!master->settings.supplyOn);
}

void TestBissCli::repeatedAcquisition() {
    TestWorkDir work(chineseConfig());
    SimDevice sim(SimDevice::BissMaster);
    const Run run = cli({"biss", "--port", port(sim), "--json", "--repeat", "3", "--interval", "50",
                         "master-status", "slave-data"});
    QCOMPARE_EXIT(run, 0);
    QCOMPARE(resultNames(run.out).count("getSlaverDataResult"), 3);
    QList<int> positions;
    for (const QJsonObject& o : jsonLines(run.out, "record"))
        positions << o.value("record").toObject().value("singleTurnValue").toInt();
    QCOMPARE(positions.size(), 6);
}

void TestBissCli::surplusBytesNeverShiftTheReplies() {
    TestWorkDir work(chineseConfig());
    SimDevice sim(SimDevice::BissMaster);
    SimDevice::Faults faults;
    faults.extraBytes = QByteArray(1, '\0');
    sim.setFaults(faults);
    const Run run = cli(
        {"biss", "--port", port(sim), "--json", "master-status", "slave-status", "slave-data"});
    QCOMPARE_EXIT(run, 0);
    const QJsonObject last = jsonLines(run.out, "record").last().value("record").toObject();
    QCOMPARE(last.value("slaveType").toString(), QString("ZEK_MT_BISS"));
    QCOMPARE(last.value("masterMode").toString(), QString("BISS_C"));
    QCOMPARE(last.value("communicationFaults").toArray().first().toString(),
             QString("COMIUNICATION_NO_FAULT"));
}

void TestBissCli::twoMastersInOneFolderNeverCross() {
    // Two stations scripted from one folder: each poll goes to its own master for its whole run.
    TestWorkDir work(chineseConfig());
    SimDevice a(SimDevice::BissMaster);
    SimDevice b(SimDevice::BissMaster);
    QProcess first;
    first.setProgram(QStringLiteral(QUELBRIN_CLI));
    first.setArguments({"biss", "--port", port(a), "--repeat", "10", "--interval", "20",
                        "master-status", "slave-data"});
    QSignalSpy firstDone(&first, &QProcess::finished);
    first.start();
    // The second ends long before the first: nothing it leaves behind may redirect the first.
    const Run second =
        cli({"biss", "--port", port(b), "--repeat", "2", "master-status", "slave-data"});
    QVERIFY2(!firstDone.isEmpty() || firstDone.wait(30000), "the first poll did not end");
    QCOMPARE_EXIT(second, 0);
    QCOMPARE(first.exitCode(), 0);
    // Data reads: 01 in BiSS-C, 3A in the other link mode.
    auto dataReads = [](const SimDevice& sim) {
        int n = 0;
        for (const QByteArray& c : sim.received())
            n += c == QByteArray(1, 0x01) || c == QByteArray(1, 0x3A);
        return n;
    };
    QCOMPARE(dataReads(a), 10);
    QCOMPARE(dataReads(b), 2);
    // The window's saved connection is the window's: the command line never wrote it.
    QSettings config("config/config.ini", QSettings::IniFormat);
    QVERIFY(!config.value("SerialPortEntity/SerialPortNum").toString().contains(a.portPath()));
    QVERIFY(!config.value("SerialPortEntity/SerialPortNum").toString().contains(b.portPath()));
}

QTEST_MAIN(TestBissCli)
#include "tst_bisscli.moc"
