#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

#include "calibrationentity.h"
#include "calibrationmode.h"
#include "calibrationrecord.h"
#include "devicestype.h"
#include "language.h"
#include "pdftools.h"
#include "reportexport.h"
#include "reportinput.h"
#include "reportwriter.h"
#include "rigfixture.h"
#include "testworkdir.h"

namespace {
// Runs a job on the simulated rig as the worker does and returns its report input, with the
// context a front end adds.
ReportInput runOnRig(SimRig& sim, ReportInput::Job job, int points) {
    CalibrationEntity record(nullptr, points, 2048, 0.1f);
    record.setTestSpeed({200, 1000, 1400, 400});
    CalibrationMode worker;
    if (job == ReportInput::Test)
        worker.startTest(&record, sim.device.portPath(), 115200);
    else
        worker.startCalibration(&record, sim.device.portPath(), 115200);
    ReportInput input = ReportInput::fromEntity(&record, job);
    // "ffi" would be one ligature glyph, extracted as U+FB03, if the text were shaped.
    input.serial = QStringLiteral("SN2026-ffi-00417");
    input.recordId = QStringLiteral("rec-5f3a9c1e");
    input.station = QStringLiteral("line2-station7");
    input.runTime = QDateTime(QDate(2026, 12, 7), QTime(9, 30, 15), Qt::UTC);
    return input;
}
}  // namespace

class TestReportWriter : public QObject {
    Q_OBJECT
private slots:
    void reportFromOutside_data();
    void reportFromOutside();
    void recordWithoutCurvesIsShort();
    void jsonRecordGivesTheSameReport_data();
    void jsonRecordGivesTheSameReport();
    void unwritablePathFails();
    void exportWritesOffTheWindowThread();
};

void TestReportWriter::reportFromOutside_data() {
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("encoderType");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QList<float>>("testMaxima");
    QTest::addColumn<int>("pages");
    // Three phases of four charts (with the Fourier fit), two to a page, after page 1.
    QTest::addRow("good calibration")
        << int(ReportInput::Calibration) << 0xFA << 0x06 << QList<float>{} << 7;
    // Four runs of three charts.
    QTest::addRow("bad test") << int(ReportInput::Test) << 0xFA << 0x15
                              << QList<float>{0.05f, 0.2345f, 0.31f, 0.125f} << 7;
    // The encoder calibrates itself: measured angles, no Fourier fit.
    QTest::addRow("self-calibrating type")
        << int(ReportInput::Calibration) << 0xFB << 0x06 << QList<float>{} << 6;
}

void TestReportWriter::reportFromOutside() {
    QFETCH(int, job);
    QFETCH(int, encoderType);
    QFETCH(int, verdict);
    QFETCH(QList<float>, testMaxima);
    QFETCH(int, pages);
    TestWorkDir work(rigConfig());
    Language::instance()->load();
    SimRig sim;
    sim.settings().encoderType = quint8(encoderType);
    sim.settings().verdict = quint8(verdict);
    sim.settings().testMaxInl = testMaxima;
    const ReportInput input = runOnRig(sim, ReportInput::Job(job), 64);
    QVERIFY(input.hasCurves());
    QCOMPARE(input.rigVerdict, verdict == 0x06);

    const QString path = work.filePath("report.pdf");
    QString error;
    int written = 0;
    QVERIFY2(ReportWriter::write(input, path, &error, &written), qPrintable(error));
    QCOMPARE(written, pages);
    QCOMPARE(ReportWriter::pages(input), pages);

    QString size;
    QCOMPARE(pdfPages(path, &size), pages);
    QVERIFY2(size.contains("A4") && size.startsWith("595"), qPrintable(size));
    QCOMPARE(fontsNotEmbedded(path), QStringList());

    const QString text = pdfText(path);
    QVERIFY(text.contains("SN2026-ffi-00417"));
    QVERIFY(text.contains("rec-5f3a9c1e"));
    QVERIFY2(text.contains(QString::fromLatin1(input.digest())),
             qPrintable(text.mid(text.indexOf("SHA-256"), 90) + " " + input.digest()));
    QVERIFY(text.contains(QStringLiteral("第 %1 页，共 %1 页").arg(pages)));
    // The verdict; "合格" alone would also be found inside "不合格".
    QVERIFY(text.contains(verdict == 0x06 ? "工装判定：合格" : "工装判定：不合格"));
    // Every maximum INL as the result view prints it.
    QStringList maxima;
    if (job == ReportInput::Test) {
        for (float v : input.testMaxInl) maxima << QString::number(double(v), 'g', 6);
        for (float v : testMaxima) QVERIFY(maxima.contains(QString::number(double(v), 'g', 6)));
    } else {
        for (const char* key : {"ROUGH", "FINE", "FINAL"})
            maxima << QString::number(double(input.phaseMaxInl.value(key)), 'g', 6);
    }
    for (const QString& m : maxima) QVERIFY2(text.contains(m), qPrintable(m));
    QCOMPARE(text.contains("傅里叶拟合"), encoderType == 0xFA && job == ReportInput::Calibration);

    const QString png = work.filePath("page");
    const Tool render = pdfTool("pdftoppm", {"-f", "1", "-l", "1", "-r", "50", "-png", path, png});
    QVERIFY2(render.ran && render.err.isEmpty(), qPrintable(render.err));
    QVERIFY(QFile::exists(png + "-1.png") || QFile::exists(png + "-01.png"));
}

void TestReportWriter::recordWithoutCurvesIsShort() {
    TestWorkDir work(rigConfig());
    Language::instance()->load();
    // A calibration the rig refused: the record holds the parameters and nothing measured.
    CalibrationEntity record(nullptr, 256, 2048, 0.1f, DevicesType::ZEK_ENCODER);
    ReportInput input = ReportInput::fromEntity(&record, ReportInput::Calibration);
    input.recordId = QStringLiteral("rec-failed-1");
    const QString path = work.filePath("failed.pdf");
    QString error;
    QVERIFY2(ReportWriter::write(input, path, &error), qPrintable(error));
    QCOMPARE(pdfPages(path), 1);
    const QString text = pdfText(path);
    QVERIFY(text.contains("本记录没有测量曲线"));
    QVERIFY(text.contains("工装判定：不合格"));
    QVERIFY(text.contains("rec-failed-1"));
    QVERIFY(text.contains("第 1 页，共 1 页"));
}

void TestReportWriter::jsonRecordGivesTheSameReport_data() {
    QTest::addColumn<int>("job");
    QTest::addRow("calibration") << int(ReportInput::Calibration);
    QTest::addRow("test") << int(ReportInput::Test);
}

void TestReportWriter::jsonRecordGivesTheSameReport() {
    QFETCH(int, job);
    TestWorkDir work(rigConfig());
    SimRig sim;
    CalibrationEntity record(nullptr, 32, 2048, 0.1f);
    CalibrationMode worker;
    if (job == ReportInput::Test)
        worker.startTest(&record, sim.device.portPath(), 115200);
    else
        worker.startCalibration(&record, sim.device.portPath(), 115200);
    // The file a rig job's --record writes names no job: the curves tell.
    ReportInput fromFile;
    QString error;
    QVERIFY2(ReportInput::fromJson(CalibrationRecord::toJson(&record), &fromFile, &error),
             qPrintable(error));
    QCOMPARE(int(fromFile.job), job);
    const ReportInput direct = ReportInput::fromEntity(&record, ReportInput::Job(job));
    QCOMPARE(fromFile.inlCurves, direct.inlCurves);
    QCOMPARE(fromFile.phaseMaxInl, direct.phaseMaxInl);
    QCOMPARE(fromFile.testMaxInl, direct.testMaxInl);
    // With the context fields the digest survives the trip through the file.
    ReportInput again;
    QVERIFY(ReportInput::fromJson(direct.toJson(), &again, &error));
    QCOMPARE(again.digest(), direct.digest());
    QCOMPARE(again.toJson(), direct.toJson());
}

void TestReportWriter::unwritablePathFails() {
    TestWorkDir work(rigConfig());
    CalibrationEntity record(nullptr, 256, 2048, 0.1f, DevicesType::ZEK_ENCODER);
    const ReportInput input = ReportInput::fromEntity(&record, ReportInput::Calibration);
    QString error;
    // A path below a regular file cannot be created, for root too.
    QFile blocker(work.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!ReportWriter::write(input, work.filePath("file/report.pdf"), &error));
    QVERIFY(!error.isEmpty());
}

void TestReportWriter::exportWritesOffTheWindowThread() {
    TestWorkDir work(rigConfig());
    SimRig sim;
    const ReportInput input = runOnRig(sim, ReportInput::Calibration, 32);
    const QString path = work.filePath("export.pdf");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("previous report");
    old.close();
    ReportExport* job = ReportExport::start(input, path);
    QSignalSpy finished(job, &ReportExport::finished);
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(pdfPages(path), 7);

    ReportExport* failing = ReportExport::start(input, work.filePath("nowhere/export.pdf"));
    QSignalSpy failed(failing, &ReportExport::finished);
    QVERIFY(failed.wait(30000));
    QCOMPARE(failed.at(0).at(0).toBool(), false);
    QVERIFY(!failed.at(0).at(2).toString().isEmpty());
}

QTEST_MAIN(TestReportWriter)
#include "tst_reportwriter.moc"
