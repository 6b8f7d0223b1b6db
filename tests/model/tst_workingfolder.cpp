// The working-folder rule: config/ of the working directory, else the user's data folder for an
// installed program or one started from the menu.
#include <QtTest>

#include "testworkdir.h"
#include "workingfolder.h"

namespace {
QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
}  // namespace

class TestWorkingFolder : public QObject {
    Q_OBJECT
private slots:
    void choose_data();
    void choose();
    void firstStartCreatesDataFolder();
    void laterStartKeepsTheUsersConfiguration();
    void installedDefaultComesFirst();
    void folderWithConfigIsUsedAsBefore();
};

void TestWorkingFolder::choose_data() {
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<bool>("configHere");
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<bool>("dataFolder");
    QTest::addRow("installed, no config/ here") << "/usr/bin" << false << false << true;
    QTest::addRow("installed, config/ here") << "/usr/bin" << true << false << false;
    QTest::addRow("installed below /usr/local") << "/usr/local/bin" << false << false << true;
    QTest::addRow("unpacked with dpkg -x") << "/tmp/root/usr/bin" << false << false << true;
    QTest::addRow("from the menu, config/ here") << "/usr/bin" << true << true << true;
    QTest::addRow("build tree, no config/ here") << "/src/build/bin" << false << false << false;
    QTest::addRow("build tree, config/ here") << "/src/build/bin" << true << false << false;
    QTest::addRow("a folder named usr/bin-old") << "/opt/usr/bin-old" << false << false << false;
}

void TestWorkingFolder::choose() {
    QFETCH(QString, programDir);
    QFETCH(bool, configHere);
    QFETCH(bool, fromMenu);
    QFETCH(bool, dataFolder);
    TestWorkDir work(QByteArray(), configHere);
    WorkingFolder rule;
    rule.programDir = programDir;
    rule.dataHome = work.filePath("data");
    rule.fromMenu = fromMenu;
    QCOMPARE(rule.choose(), dataFolder ? work.filePath("data/quelbrin") : work.path());
}

void TestWorkingFolder::firstStartCreatesDataFolder() {
    TestWorkDir work(QByteArray(), false);
    WorkingFolder rule;
    rule.programDir = work.filePath("nowhere/usr/bin");
    rule.dataHome = work.filePath("home/.local/share");
    QString error;
    const QString folder = rule.enter(&error);
    QVERIFY2(!folder.isEmpty(), qPrintable(error));
    QCOMPARE(folder, work.filePath("home/.local/share/quelbrin"));
    QCOMPARE(QDir::currentPath(), folder);
    // Written from the compiled-in default, its example paths filled in.
    const QByteArray config = readFile(folder + "/config/config.ini");
    QVERIFY(config.contains("[DevicesTypeEnum]"));
    QVERIFY(config.contains("Quelbrin/firmware/update.bin"));
    QVERIFY(!config.contains("@FIRMWARE_DIR@"));
    QVERIFY(!QFileInfo::exists(work.filePath("config")));
}

void TestWorkingFolder::laterStartKeepsTheUsersConfiguration() {
    TestWorkDir work(QByteArray(), false);
    const QByteArray own = "[Language]\nLanguageType=zh\n";
    QVERIFY(writeFile(work.filePath("data/quelbrin/config/config.ini"), own));
    WorkingFolder rule;
    rule.programDir = QStringLiteral("/usr/bin");
    rule.dataHome = work.filePath("data");
    QCOMPARE(rule.enter(), work.filePath("data/quelbrin"));
    QCOMPARE(readFile(work.filePath("data/quelbrin/config/config.ini")), own);
}

void TestWorkingFolder::installedDefaultComesFirst() {
    // A deployment may edit <prefix>/share/quelbrin/config.ini; new folders start from it.
    TestWorkDir work(QByteArray(), false);
    QVERIFY(writeFile(work.filePath("root/usr/share/quelbrin/config.ini"),
                      "[IapEntity]\nfirmwarePath=@FIRMWARE_DIR@/site.bin\n"));
    WorkingFolder rule;
    rule.programDir = work.filePath("root/usr/bin");
    rule.dataHome = work.filePath("data");
    QVERIFY(!rule.enter().isEmpty());
    const QByteArray config = readFile(work.filePath("data/quelbrin/config/config.ini"));
    QVERIFY2(config.contains("Quelbrin/firmware/site.bin"), config.constData());
    QVERIFY(!config.contains("@FIRMWARE_DIR@"));
}

void TestWorkingFolder::folderWithConfigIsUsedAsBefore() {
    TestWorkDir work(QByteArray(), true);
    WorkingFolder rule;
    rule.programDir = QStringLiteral("/usr/bin");
    rule.dataHome = work.filePath("data");
    QCOMPARE(rule.enter(), work.path());
    QCOMPARE(QDir::currentPath(), work.path());
    QVERIFY(QFileInfo::exists(work.filePath("config/config.ini")));
    QVERIFY(!QFileInfo::exists(work.filePath("data")));
}

QTEST_GUILESS_MAIN(TestWorkingFolder)
#include "tst_workingfolder.moc"
