#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "cliprocess.h"
#include "pdftools.h"
#include "rigfixture.h"
#include "testworkdir.h"

class TestReportCli : public QObject {
    Q_OBJECT
private slots:
    void reportFromRecordFile();
    void rigTestWritesItsReport();
    void failures_data();
    void failures();
};

// A calibration's --record file, with a serial and a record id added as a records database
// would hold them, makes a report whose figures are the run's.
void TestReportCli::reportFromRecordFile() {
    TestWorkDir work(rigConfig());
    SimRig sim;
    const QString record = work.filePath("record.json");
    Run run = cli({"rig", "calibrate", "--port", sim.device.portPath(), "--points", "64",
                   "--record", record});
    QCOMPARE(run.code, 0);
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QJsonObject fields = QJsonDocument::fromJson(file.readAll()).object();
    fields.insert("serial", "QB-7781-ffi");
    fields.insert("recordId", "7d1e0c55-aa01");
    file.resize(0);
    file.write(QJsonDocument(fields).toJson());
    file.close();

    const QString pdf = work.filePath("out/report.pdf");
    QDir().mkpath(work.filePath("out"));
    run = cli({"report", "--from-json", record, "--out", pdf, "--json"});
    QVERIFY2(run.code == 0, run.err.constData());
    const QList<QJsonObject> events = jsonLines(run.out, "report");
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.at(0).value("pages").toInt(), 7);
    QCOMPARE(events.at(0).value("recordId").toString(), QString("7d1e0c55-aa01"));
    const QString digest = events.at(0).value("sha256").toString();
    QCOMPARE(digest.size(), 64);
    QCOMPARE(jsonLines(run.out, "exit").value(0).value("code").toInt(), 0);

    QCOMPARE(pdfPages(pdf), 7);
    QCOMPARE(fontsNotEmbedded(pdf), QStringList());
    const QString text = pdfText(pdf);
    for (const QString& s :
         {QString("QB-7781-ffi"), QString("7d1e0c55-aa01"), digest, QString("工装判定：合格")})
        QVERIFY2(text.contains(s), qPrintable(s));
    const QJsonObject maxima = fields.value("phaseMaxInl").toObject();
    for (const QString& key : maxima.keys()) {
        const QString printed =
            QString::number(double(float(maxima.value(key).toDouble())), 'g', 6);
        QVERIFY2(text.contains(printed), qPrintable(key + " " + printed));
    }
}

// A test the rig judges bad exits 3 and still leaves its report, which says so.
void TestReportCli::rigTestWritesItsReport() {
    TestWorkDir work(rigConfig());
    SimRig sim;
    sim.settings().verdict = 0x15;
    sim.settings().testMaxInl = {0.05f, 0.25f, 0.125f, 0.5f};
    const QString pdf = work.filePath("test.pdf");
    const Run run = cli({"rig", "test", "--port", sim.device.portPath(), "--points", "64",
                         "--report", pdf, "--json"});
    QCOMPARE(run.code, 3);
    QCOMPARE(jsonLines(run.out, "report").size(), 1);
    QCOMPARE(pdfPages(pdf), 7);
    const QString text = pdfText(pdf);
    QVERIFY(text.contains("编码器测试报告"));
    QVERIFY(text.contains("工装判定：不合格"));
    for (const char* m : {"0.05", "0.25", "0.125", "0.5", "0.23125"})
        QVERIFY2(text.contains(QLatin1String(m)), m);
}

void TestReportCli::failures_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("recordFile");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("pages");  // of out.pdf afterwards; 0: no file
    const QByteArray failedRun =
        R"({"pointNum":256,"encoderLine":2048,"calibrationSpeed":1400,"testSpeed":[400,400,400,400],
            "maxInl":0.1,"encoderType":250,"rigVerdict":false,"inlCurves":{},"phaseCoefficients":{},
            "phaseMaxInl":{},"phaseLineOffset":{},"testMaxInl":[0,0,0,0],"recordId":"r-17"})";
    QTest::addRow("record id without a database")
        << QStringList{"report", "--record-id", "r-17", "--out", "out.pdf"} << QByteArray() << 1
        << "records database not available" << 0;
    QTest::addRow("latest of a serial without a database")
        << QStringList{"report", "--serial", "SN1", "--latest", "--out", "out.pdf"} << QByteArray()
        << 1 << "records database not available" << 0;
    QTest::addRow("record without curves")
        << QStringList{"report", "--from-json", "record.json", "--out", "out.pdf"} << failedRun << 0
        << "" << 1;
    QTest::addRow("unwritable output")
        << QStringList{"report", "--from-json", "record.json", "--out", "record.json/out.pdf"}
        << failedRun << 1 << "cannot write the report record.json/out.pdf" << 0;
    QTest::addRow("missing file") << QStringList{"report", "--from-json", "absent.json", "--out",
                                                 "out.pdf"}
                                  << QByteArray() << 1 << "absent.json: no such file" << 0;
    QTest::addRow("not a record") << QStringList{"report", "--from-json", "record.json", "--out",
                                                 "out.pdf"}
                                  << QByteArray(R"({"serial":"x"})") << 1
                                  << "not a calibration record" << 0;
    QTest::addRow("not JSON") << QStringList{"report", "--from-json", "record.json", "--out",
                                             "out.pdf"}
                              << QByteArray("pointNum=256") << 1 << "not JSON" << 0;
    QTest::addRow("a folder") << QStringList{"report", "--from-json", ".", "--out", "out.pdf"}
                              << QByteArray() << 1 << "not a regular file" << 0;
    QTest::addRow("two sources") << QStringList{"report", "--record-id", "a",      "--serial",
                                                "b",      "--out",       "out.pdf"}
                                 << QByteArray() << 2 << "give one of" << 0;
    QTest::addRow("no output") << QStringList{"report", "--record-id", "a"} << QByteArray() << 2
                               << "report needs --out" << 0;
    QTest::addRow("latest without serial")
        << QStringList{"report", "--record-id", "a", "--latest", "--out", "out.pdf"} << QByteArray()
        << 2 << "--latest goes with --serial" << 0;
    QTest::addRow("report of a zero")
        << QStringList{"rig", "zero", "--port", "x", "--report", "out.pdf"} << QByteArray() << 2
        << "--report FILE.pdf goes with calibrate or test" << 0;
}

void TestReportCli::failures() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, recordFile);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, pages);
    TestWorkDir work(rigConfig());
    if (!recordFile.isEmpty()) {
        QFile file(work.filePath("record.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(recordFile);
    }
    const Run run = cli(args);
    QCOMPARE(run.code, code);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    if (pages == 0) {
        QVERIFY(!QFile::exists(work.filePath("out.pdf")));
        return;
    }
    QCOMPARE(pdfPages(work.filePath("out.pdf")), pages);
    const QString text = pdfText(work.filePath("out.pdf"));
    QVERIFY(text.contains("本记录没有测量曲线"));
    QVERIFY(text.contains("r-17"));
}

QTEST_GUILESS_MAIN(TestReportCli)
#include "tst_reportcli.moc"
