// What a new user meets first: help on every command, and an installed quelbrin-cli that keeps
// its files in the user's data folder unless the working directory has config/.
#include <QProcessEnvironment>
#include <QtTest>

#include "cliprocess.h"
#include "testworkdir.h"

#ifndef QUELBRIN_GUI
#error "define QUELBRIN_GUI as the path of quelbrin"
#endif

namespace {
bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A configuration that only this test's device is in: a run that finds it read that file.
const QByteArray kSiteConfig =
    "[Language]\nLanguageType=zh\n[DevicesTypeEnum]\nSITE_ENC_01=120\n"
    "[SITE_ENC_01]\nbootAreaSize=2048\nappAreaSize=8192\nconfigAreaSize=2048\n"
    "idAreaSize=2048\nTargetInl=100\nResolution=17\n";

Run runIn(const QString& program, const QStringList& args, const QString& folder,
          const QProcessEnvironment& env) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(env);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start();
    if (!finished.wait(30000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
}  // namespace

class TestFirstRun : public QObject {
    Q_OBJECT
private slots:
    void commandHelp_data();
    void commandHelp();
    void programHelp();
    void installedWorkingFolder_data();
    void installedWorkingFolder();
};

void TestFirstRun::commandHelp_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("usage");
    QTest::addRow("rig --help") << QStringList{"rig", "--help"} << "quelbrin-cli rig params|";
    QTest::addRow("rig zero -h") << QStringList{"rig", "zero", "-h"} << "quelbrin-cli rig";
    QTest::addRow("biss, after an operation")
        << QStringList{"biss", "--port", "X", "master-status", "--help"} << "quelbrin-cli biss";
    QTest::addRow("firmware --help")
        << QStringList{"firmware", "--help"} << "quelbrin-cli firmware --mode";
    QTest::addRow("iap --help") << QStringList{"iap", "--help"} << "quelbrin-cli iap --port";
    QTest::addRow("ymodem --help") << QStringList{"ymodem", "--help"} << "quelbrin-cli ymodem";
    QTest::addRow("connect --help")
        << QStringList{"connect", "--help"} << "quelbrin-cli connect --port";
    QTest::addRow("ports --help") << QStringList{"ports", "--help"} << "quelbrin-cli ports";
    QTest::addRow("report --help") << QStringList{"report", "--help"} << "quelbrin-cli report";
    QTest::addRow("translate --help")
        << QStringList{"translate", "--help"} << "quelbrin-cli translate";
}

void TestFirstRun::commandHelp() {
    QFETCH(QStringList, args);
    QFETCH(QString, usage);
    TestWorkDir work(QByteArray(), false);
    const Run run = cli(args);
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.startsWith("Usage: " + usage.toUtf8()), run.out.constData());
    // No usage error (a report's widgets may make Qt talk about its runtime folder).
    QVERIFY2(!run.err.contains("quelbrin-cli"), run.err.constData());
    // Help is no job: it writes nothing.
    QVERIFY(!QFileInfo::exists(work.filePath("config")));
}

void TestFirstRun::programHelp() {
    // No display is needed for the help.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    TestWorkDir work(QByteArray(), false);
    const Run run = runIn(QStringLiteral(QUELBRIN_GUI), {"--help"}, work.path(), env);
    QCOMPARE(run.code, 0);
    for (const char* item : {"--simulate", "--verbose", "FILE...", "dialout"})
        QVERIFY2(run.out.contains(item), item);
    QVERIFY(!QFileInfo::exists(work.filePath("config")));
}

void TestFirstRun::installedWorkingFolder_data() {
    QTest::addColumn<bool>("configHere");
    QTest::addRow("no config/ here: the data folder") << false;
    QTest::addRow("config/ here: this folder") << true;
}

void TestFirstRun::installedWorkingFolder() {
    QFETCH(bool, configHere);
    // quelbrin-cli as the package installs it: <root>/usr/bin, beside <root>/usr/share/quelbrin.
    TestWorkDir work(QByteArray(), false);
    const QString program = work.filePath("root/usr/bin/quelbrin-cli");
    QDir().mkpath(work.filePath("root/usr/bin"));
    QVERIFY(QFile::copy(QStringLiteral(QUELBRIN_CLI), program));
    const QString here = work.filePath("station");
    const QString data = work.filePath("home/.local/share");
    // The one folder that should be used holds the configuration with the test's device.
    if (configHere)
        QVERIFY(writeFile(here + "/config/config.ini", kSiteConfig));
    else
        QVERIFY(writeFile(data + "/quelbrin/config/config.ini", kSiteConfig));
    QVERIFY(writeFile(here + "/app.bin", QByteArray(4000, '\x5A')));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", data);
    // Relative file names are the user's, from the folder the command was started in.
    const Run run = runIn(program,
                          {"firmware", "--mode", "Upgrade_Firmware", "--app", "app.bin",
                           "--watermark", "SITE_ENC_01", "--version", "0.05", "--out", "up.bin"},
                          here, env);
    QVERIFY2(run.code == 0, run.out + run.err);
    const QString used = configHere ? here : data + "/quelbrin";
    QVERIFY2(run.err.contains("working folder " + used.toUtf8()), run.err.constData());
    QCOMPARE(readFile(here + "/up.bin"), QByteArray(4000, '\x5A') + "SITE_ENC_01V0.05");
    QCOMPARE(QFileInfo::exists(here + "/config"), configHere);
    QCOMPARE(QFileInfo::exists(data + "/quelbrin"), !configHere);
}

QTEST_GUILESS_MAIN(TestFirstRun)
#include "tst_firstrun.moc"
