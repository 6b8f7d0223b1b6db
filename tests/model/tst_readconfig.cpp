#include <QFile>
#include <QtTest>

#include "readconfig.h"
#include "testworkdir.h"

class TestReadConfig : public QObject {
    Q_OBJECT
private slots:
    void arrayIsRewrittenWhole();
    void intArrayAndMapRoundTrip();
    void portName_data();
    void portName();
    void readBeforeFileExistsCreatesIt();
    void badFiles_data();
    void badFiles();
    void unwritableFolderLosesNothingElse();
    void missingFolderReadsEmpty();
    void unparsableFileIsKeptBeforeWriting();
};

void TestReadConfig::arrayIsRewrittenWhole() {
    TestWorkDir work;
    QStringList ten;
    for (int i = 1; i <= 10; ++i) ten << QStringLiteral("/fw/%1.bin").arg(i);
    ReadConfig::writeStringArray("FileWorkEntityList", "recentPath", ten);
    QCOMPARE(ReadConfig::readStringArray("FileWorkEntityList", "recentPath"), ten);

    const QStringList three{"a.bin", "b.bin", "c.bin"};
    ReadConfig::writeStringArray("FileWorkEntityList", "recentPath", three);
    QCOMPARE(ReadConfig::readStringArray("FileWorkEntityList", "recentPath"), three);
    const QByteArray file = work.readConfig();
    QVERIFY(file.contains("size=3"));
    QVERIFY(file.contains("3\\recentPath=c.bin"));
    QVERIFY2(!file.contains("4\\recentPath"), file.constData());
}

void TestReadConfig::intArrayAndMapRoundTrip() {
    TestWorkDir work("[ZEK_ENCODER]\nbootAreaSize=12288\nTargetInl=100\n");
    ReadConfig::writeIntArray("CalibrationEntityList", "testSpeed", {400, 800, 1200});
    QCOMPARE(ReadConfig::readIntArray("CalibrationEntityList", "testSpeed"),
             (QList<int>{400, 800, 1200}));

    // Keys not in the written map stay in the group.
    ReadConfig::writeIntMap("ZEK_ENCODER", {{"appAreaSize", 24576}});
    const QMap<QString, int> map = ReadConfig::readIntMap("ZEK_ENCODER");
    QCOMPARE(map.value("bootAreaSize"), 12288);
    QCOMPARE(map.value("appAreaSize"), 24576);
    QCOMPARE(map.value("TargetInl"), 100);
}

void TestReadConfig::portName_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addRow("adapter with COM") << "USB-SERIAL CH340 (COM8)"
                                      << "COM8";
    QTest::addRow("bare COM name") << "COM12"
                                   << "COM12";
    QTest::addRow("linux adapter") << "USB Serial (ttyUSB0)"
                                   << "ttyUSB0";
    QTest::addRow("simulated port") << "Simulated calibration rig (/dev/pts/7)"
                                    << "/dev/pts/7";
    QTest::addRow("device path") << "/dev/pts/3"
                                 << "/dev/pts/3";
    QTest::addRow("plain text") << "no port here"
                                << "no port here";
    QTest::addRow("empty") << ""
                           << "";
}

void TestReadConfig::portName() {
    QFETCH(QString, text);
    QFETCH(QString, name);
    QCOMPARE(ReadConfig::portNameFromDescription(text), name);
}

void TestReadConfig::readBeforeFileExistsCreatesIt() {
    TestWorkDir work;
    QVERIFY(!QFile::exists("config/config.ini"));
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "BaudRate"), QString());
    QVERIFY(QFile::exists("config/config.ini"));
}

void TestReadConfig::badFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addRow("not INI") << QByteArray("\x00\x01\xff garbage ]]] [[[\n=\n==x\n", 22);
    QTest::addRow("binary") << QByteArray(4096, '\xAB');
    QTest::addRow("non-numeric") << QByteArray(
        "[G]\nn=abc\n[CalibrationEntityList]\nsize=2\n1\\testSpeed=x\n2\\testSpeed=5\n");
    QTest::addRow("huge array size") << QByteArray("[CalibrationEntityList]\nsize=-7\n");
}

void TestReadConfig::badFiles() {
    QFETCH(QByteArray, content);
    TestWorkDir work(content);
    QCOMPARE(ReadConfig::readValue("Absent", "key"), QString());
    const QList<int> speeds = ReadConfig::readIntArray("CalibrationEntityList", "testSpeed");
    for (int s : speeds) QVERIFY(s == 0 || s == 5);
    QCOMPARE(ReadConfig::readIntMap("G").value("n", -1), content.contains("n=abc") ? 0 : -1);
    ReadConfig::writeValue("After", "key", 7);
    QCOMPARE(ReadConfig::readValue("After", "key"), QString("7"));
}

void TestReadConfig::unwritableFolderLosesNothingElse() {
    // "config" is a plain file: the store cannot create config/config.ini.
    TestWorkDir work(QByteArray(), false);
    {
        QFile blocker("config");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
    }
    ReadConfig::writeValue("G", "k", "v");
    QCOMPARE(ReadConfig::readValue("G", "k"), QString());
    QCOMPARE(ReadConfig::readStringArray("A", "k"), QStringList());
    QVERIFY(ReadConfig::readIntMap("G").isEmpty());
    QFile blocker("config");
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("not a folder"));
}

void TestReadConfig::missingFolderReadsEmpty() {
    TestWorkDir work(QByteArray(), false);
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "BaudRate"), QString());
    QCOMPARE(ReadConfig::readIntArray("CalibrationEntityList", "testSpeed"), QList<int>());
    // The first write creates the folder and the file: what the operator saves is kept.
    ReadConfig::writeValue("SerialPortEntity", "BaudRate", 9600);
    QCOMPARE(ReadConfig::readValue("SerialPortEntity", "BaudRate"), QString("9600"));
    QVERIFY(QFile::exists("config/config.ini"));
}

void TestReadConfig::unparsableFileIsKeptBeforeWriting() {
    const QByteArray original = "[Group]\nkey=1\nnotes written by hand\n{\"json\": true}\n";
    TestWorkDir work(original);
    QCOMPARE(ReadConfig::readValue("Group", "key"), QString("1"));  // reading changes nothing
    QVERIFY(!QFile::exists("config/config.ini.bad"));
    ReadConfig::writeValue("Group", "other", "2");
    ReadConfig::writeValue("Group", "third", "3");
    QFile kept("config/config.ini.bad");
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), original);
    QCOMPARE(ReadConfig::readValue("Group", "other"), QString("2"));
    // The rewritten file parses; later writes keep no further copies.
    QCOMPARE(QDir("config").entryList({"config.ini.bad*"}).size(), 1);

    // A second bad file never overwrites the first copy.
    work.writeConfig("[G]\nbroken line\n");
    ReadConfig::writeValue("G", "k", "v");
    QCOMPARE(QDir("config").entryList({"config.ini.bad*"}).size(), 2);
}

QTEST_GUILESS_MAIN(TestReadConfig)
#include "tst_readconfig.moc"
