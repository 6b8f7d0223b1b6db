// The checked reader every input file goes through: what it refuses, and that it refuses
// before reading.
#include <QElapsedTimer>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "inputfile.h"
#include "testworkdir.h"

class TestInputFile : public QObject {
    Q_OBJECT
private slots:
    void cases_data();
    void cases();
    void neverEndingPipeIsRefused();
};

void TestInputFile::cases_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("status");
    QTest::addRow("regular file at its limit") << "file" << qint64(100) << qint64(100) << int(InputFile::Ok);
    QTest::addRow("empty file") << "file" << qint64(0) << qint64(100) << int(InputFile::Ok);
    QTest::addRow("one byte past the limit")
        << "file" << qint64(101) << qint64(100) << int(InputFile::TooLarge);
    // A sparse file: its size is refused from the metadata, nothing is allocated or read.
    QTest::addRow("4 GiB against 64 KiB")
        << "sparse" << (qint64(4) << 30) << qint64(0xFFFF) << int(InputFile::TooLarge);
    QTest::addRow("missing") << "missing" << qint64(0) << qint64(100) << int(InputFile::Missing);
    QTest::addRow("empty path") << "" << qint64(0) << qint64(100) << int(InputFile::Missing);
    QTest::addRow("folder") << "folder" << qint64(0) << qint64(100) << int(InputFile::Folder);
    // A FIFO without a writer would block open() forever.
    QTest::addRow("FIFO") << "fifo" << qint64(0) << qint64(100) << int(InputFile::NotRegular);
    QTest::addRow("character device")
        << "/dev/zero" << qint64(0) << qint64(100) << int(InputFile::NotRegular);
}

void TestInputFile::cases() {
    QFETCH(QString, kind);
    QFETCH(qint64, size);
    QFETCH(qint64, limit);
    QFETCH(int, status);
    TestWorkDir work;
    QString path = kind.startsWith('/') ? kind : work.filePath("input");
    QByteArray written;
    if (kind == "file") {
        for (qint64 i = 0; i < size; ++i) written.append(char(i * 7));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(written);
    } else if (kind == "sparse") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(size));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind.isEmpty()) {
        path.clear();
    }
    QByteArray content("untouched");
    QElapsedTimer clock;
    clock.start();
    const InputFile::Result result = InputFile::read(path, limit, content);
    QCOMPARE(int(result.status), status);
    QVERIFY(clock.elapsed() < 2000);
    if (status == InputFile::Ok) {
        QCOMPARE(content, written);
        QCOMPARE(result.size, size);
    } else {
        QCOMPARE(content, QByteArray("untouched"));
        QVERIFY(!InputFile::refusal(result, limit).isEmpty());
    }
    if (status == InputFile::TooLarge)
        QCOMPARE(result.size, size);
}

void TestInputFile::neverEndingPipeIsRefused() {
    // quelbrin <(yes): a pipe that never ends is no file, whatever is written into it.
    int fds[2];
    QCOMPARE(pipe(fds), 0);
    QCOMPARE(write(fds[1], "yyyy", 4), ssize_t(4));
    QByteArray content;
    const InputFile::Result result =
        InputFile::read(QStringLiteral("/dev/fd/%1").arg(fds[0]), 1 << 20, content);
    QCOMPARE(int(result.status), int(InputFile::NotRegular));
    QVERIFY(content.isEmpty());
    close(fds[0]);
    close(fds[1]);
}

QTEST_GUILESS_MAIN(TestInputFile)
#include "tst_inputfile.moc"
