// The line after a port that failed to open for want of permission: it names the port's group
// and the command that joins it.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <grp.h>

#include <QSerialPort>
#include <QtTest>

#include "chineseconfig.h"
#include "porthint.h"
#include "testworkdir.h"

class TestPortHint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void decision_data();
    void decision();
    void portFile_data();
    void portFile();
    void portFileWithoutPermission();
    void missingPortGivesNoHint();

private:
    std::unique_ptr<TestWorkDir> work;
};

void TestPortHint::initTestCase() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
}

void TestPortHint::decision_data() {
    QTest::addColumn<int>("accessError");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("hinted");
    QTest::addRow("permission denied, port of dialout") << EACCES << "dialout" << true;
    QTest::addRow("operation not permitted, port of uucp") << EPERM << "uucp" << true;
    QTest::addRow("permission denied, no group may open it") << EACCES << "" << false;
    QTest::addRow("allowed (locked by another program)") << 0 << "dialout" << false;
    QTest::addRow("busy") << EBUSY << "dialout" << false;
    QTest::addRow("no such port") << ENOENT << "dialout" << false;
}

void TestPortHint::decision() {
    QFETCH(int, accessError);
    QFETCH(QString, group);
    QFETCH(bool, hinted);
    const QString hint = PortHint::hint(accessError, group);
    QCOMPARE(!hint.isEmpty(), hinted);
    if (hinted) {
        // The group is named before the command, then the command that joins it.
        QVERIFY2(hint.indexOf(group) < hint.indexOf("sudo"), qPrintable(hint));
        QVERIFY2(hint.endsWith("sudo adduser $USER " + group), qPrintable(hint));
    }
}

void TestPortHint::portFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::addRow("USB adapter by name") << "ttyUSB0"
                                         << "/dev/ttyUSB0";
    QTest::addRow("USB adapter by path") << "/dev/ttyUSB0"
                                         << "/dev/ttyUSB0";
    QTest::addRow("pseudo-terminal") << "/dev/pts/7"
                                     << "/dev/pts/7";
    QTest::addRow("outside /dev") << "/tmp/station/ttyX"
                                  << "/tmp/station/ttyX";
}

void TestPortHint::portFile() {
    QFETCH(QString, name);
    QFETCH(QString, file);
    QSerialPort port;
    port.setPortName(name);
    QCOMPARE(PortHint::portFile(port), file);
}

void TestPortHint::portFileWithoutPermission() {
    // A port file as udev makes it on Debian: root:dialout, rw for owner and group only.
    const struct group* dialout = getgrnam("dialout");
    if (!dialout)
        QSKIP("this system has no group dialout");
    const QString path = work->filePath("ttyUSB9");
    QFile port(path);
    QVERIFY(port.open(QIODevice::WriteOnly));
    port.close();
    const QByteArray local = path.toLocal8Bit();
    // The test's folder must not be what denies the access.
    QCOMPARE(::chmod(work->path().toLocal8Bit().constData(), 0711), 0);
    QCOMPARE(::chmod(local.constData(), 0660), 0);
    if (geteuid() == 0)
        QCOMPARE(::chown(local.constData(), 0, dialout->gr_gid), 0);
    else if (::chown(local.constData(), geteuid(), dialout->gr_gid) != 0)
        QSKIP("cannot give the file to the group dialout");
    QCOMPARE(PortHint::portGroup(path), QString("dialout"));

    // Root passes every permission check: the access check runs in a child that has dropped to
    // nobody, outside every group. A user test run checks a file with no permission at all.
    int accessError = 0;
    if (geteuid() == 0) {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const gid_t none = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(none) != 0 || setuid(65534) != 0)
                _exit(200);
            _exit(PortHint::accessErrno(local.constData()));
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        accessError = WEXITSTATUS(status);
        QVERIFY2(accessError != 200, "the child could not drop its privileges");
    } else {
        QCOMPARE(::chmod(local.constData(), 0060), 0);
        accessError = PortHint::accessErrno(local.constData());
    }
    QCOMPARE(accessError, EACCES);
    // The file found from the port as a job names it.
    QSerialPort serial;
    serial.setPortName(path);
    QVERIFY(PortHint::hint(accessError, PortHint::portGroup(PortHint::portFile(serial)))
                .endsWith("sudo adduser $USER dialout"));
}

void TestPortHint::missingPortGivesNoHint() {
    // A port that is not there fails for another reason: no hint.
    QSerialPort port;
    port.setPortName(work->filePath("missing-tty"));
    QVERIFY(!port.open(QIODevice::ReadWrite));
    QCOMPARE(PortHint::afterOpenFailure(port), QString());
}

QTEST_GUILESS_MAIN(TestPortHint)
#include "tst_porthint.moc"
