// File arguments keep naming the user's files when quelbrin-cli works in another folder.
#include <QtTest>

#include "cliworkfolder.h"

class TestCliWorkFolder : public QObject {
    Q_OBJECT
private slots:
    void absoluteFileArguments_data();
    void absoluteFileArguments();
};

void TestCliWorkFolder::absoluteFileArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("expected");
    const QString c = QStringLiteral("quelbrin-cli");
    QTest::addRow("firmware inputs and output, both option forms")
        << QStringList{c,       "firmware", "--app",       "a.bin",      "--boot=b/boot.bin",
                       "--out", "o.bin",    "--watermark", "ZEK_ENCODER"}
        << QStringList{c,       "firmware", "--app",       "/s/a.bin",   "--boot=/s/b/boot.bin",
                       "--out", "/s/o.bin", "--watermark", "ZEK_ENCODER"};
    QTest::addRow("iap image") << QStringList{c,          "iap",         "--port", "/dev/ttyUSB0",
                                              "--device", "ZEK_ENCODER", "--file", "up.bin"}
                               << QStringList{c,          "iap",         "--port", "/dev/ttyUSB0",
                                              "--device", "ZEK_ENCODER", "--file", "/s/up.bin"};
    QTest::addRow("rig record") << QStringList{c,         "rig",      "zero",  "--port",
                                               "ttyUSB0", "--record", "r.json"}
                                << QStringList{c,         "rig",      "zero",     "--port",
                                               "ttyUSB0", "--record", "/s/r.json"};
    QTest::addRow("report from a record file")
        << QStringList{c, "report", "--from-json", "r.json", "--out=r.pdf"}
        << QStringList{c, "report", "--from-json", "/s/r.json", "--out=/s/r.pdf"};
    QTest::addRow("ymodem FILE after options with values")
        << QStringList{c, "ymodem", "--port", "ttyUSB0", "--block", "1024", "f.bin", "--json"}
        << QStringList{c, "ymodem", "--port", "ttyUSB0", "--block", "1024", "/s/f.bin", "--json"};
    QTest::addRow("ymodem FILE first, port with =")
        << QStringList{c, "ymodem", "f.bin", "--port=ttyUSB0", "--no-start"}
        << QStringList{c, "ymodem", "/s/f.bin", "--port=ttyUSB0", "--no-start"};
    QTest::addRow("absolute paths stay") << QStringList{c, "iap", "--file", "/data/up.bin"}
                                         << QStringList{c, "iap", "--file", "/data/up.bin"};
    QTest::addRow("BiSS operations are no files")
        << QStringList{c, "biss", "--port", "ttyUSB0", "read-reg=0x40", "slave-data"}
        << QStringList{c, "biss", "--port", "ttyUSB0", "read-reg=0x40", "slave-data"};
    QTest::addRow("text to translate is no file")
        << QStringList{c, "translate", "a.bin"} << QStringList{c, "translate", "a.bin"};
    QTest::addRow("a file option without its value")
        << QStringList{c, "firmware", "--out"} << QStringList{c, "firmware", "--out"};
}

void TestCliWorkFolder::absoluteFileArguments() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, expected);
    QCOMPARE(CliWorkFolder::absoluteFileArguments(args, QStringLiteral("/s")), expected);
}

QTEST_GUILESS_MAIN(TestCliWorkFolder)
#include "tst_cliworkfolder.moc"
