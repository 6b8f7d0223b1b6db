#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

#include "chineseconfig.h"
#include "firmwaretestbench.h"
#include "generation.h"
#include "language.h"
#include "testworkdir.h"

namespace {
constexpr int B = 12288;
constexpr int A = 24576;
constexpr int C = 2048;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList texts(const QSignalSpy& spy) {
    QStringList list;
    for (const QList<QVariant>& args : spy) list << args.at(0).toString();
    return list;
}

QList<int> values(const QSignalSpy& spy) {
    QList<int> list;
    for (const QList<QVariant>& args : spy) list << args.at(0).toInt();
    return list;
}
}  // namespace

class TestGeneration : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void versionText_data();
    void versionText();
    void factoryImageLayout();
    void areaLimits_data();
    void areaLimits();
    void upgradeImageFillsAppArea();
    void failedRunKeepsPreviousFile_data();
    void failedRunKeepsPreviousFile();
    void unknownModeFailsSilently();

private:
    QString path(const QString& name) const { return work->filePath(name); }
    QString expand(QString text) const {
        return text.replace("{boot}", path("boot.bin")).replace("{app}", path("app.bin"));
    }
    std::unique_ptr<TestWorkDir> work;
};

void TestGeneration::init() {
    work = std::make_unique<TestWorkDir>(chineseConfig());
    Language::instance()->load();
}

void TestGeneration::cleanup() {
    work.reset();
}

void TestGeneration::versionText_data() {
    QTest::addColumn<double>("version");
    QTest::addColumn<QByteArray>("text");
    QTest::addRow("0.02") << 0.02 << QByteArray("V0.02");
    QTest::addRow("1.25") << 1.25 << QByteArray("V1.25");
    QTest::addRow("1.5 is short") << 1.5 << QByteArray("V1.5");
    QTest::addRow("9.99") << 9.99 << QByteArray("V9.99");
}

void TestGeneration::versionText() {
    QFETCH(double, version);
    QFETCH(QByteArray, text);
    QCOMPARE(Generation::versionText(version), text);
}

void TestGeneration::factoryImageLayout() {
    const QByteArray boot = patternBytes(10000, 1);
    const QByteArray app = patternBytes(20000, 2);
    QVERIFY(writeFile(path("boot.bin"), boot));
    QVERIFY(writeFile(path("Encoder.bin"), app));
    Generation generation;
    QSignalSpy progress(&generation, &Generation::setProcess);
    QVERIFY(generation.generateFirmware(0, path("boot.bin"), path("Encoder.bin"), path("out.bin"),
                                        "ZEK_ENCODER", 0.02, B, A, C, 2048));
    QCOMPARE(values(progress), (QList<int>{5, 10, 20, 25, 45, 55, 65, 75, 85}));

    const QByteArray image = readAll(path("out.bin"));
    QCOMPARE(image.size(), B + 2 * A + C + 1);
    QCOMPARE(image.left(10000), boot);
    QCOMPARE(image.mid(10000, B - 10000), QByteArray(B - 10000, '\xFF'));
    QCOMPARE(image.mid(B, 20000), app);
    QCOMPARE(image.mid(B + 20000, 11), QByteArray("ZEK_ENCODER"));
    QCOMPARE(image.mid(B + 20011, 5), QByteArray("V0.02"));
    QCOMPARE(image.mid(B + 20016, 2 * A - 20016), QByteArray(2 * A - 20016, '\xFF'));
    const int config = B + 2 * A;
    QCOMPARE(image.mid(config, 32),
             QByteArray("Encoder.bin") + QByteArray(1, '\0') + QByteArray(20, '\xFF'));
    QCOMPARE(image.mid(config + 32, 8),
             QByteArray("20016") + QByteArray(1, '\0') + QByteArray(2, '\xFF'));
    quint8 check = 0;
    for (char c : app + "ZEK_ENCODER" + "V0.02") check ^= quint8(c);
    QCOMPARE(quint8(image.at(config + 40)), check);
    QCOMPARE(image.mid(config + 41, C - 41), QByteArray(C - 41, '\xFF'));
    QCOMPARE(quint8(image.at(image.size() - 1)), quint8(0xFA));
}

void TestGeneration::areaLimits_data() {
    QTest::addColumn<int>("bootLength");
    QTest::addColumn<int>("appLength");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::addRow("boot exactly B") << B << 1000 << true << QString();
    QTest::addRow("boot one over")
        << B + 1 << 1000 << false
        << QString(
               "BootLoader 文件 [ {boot} ] 长度： [ 12289 ]Byte 超过设备 [ ZEK_ENCODER ] 设定 "
               "BootLoader分区长度： [ 12288 ]Byte");
    QTest::addRow("app plus trailer exactly A") << 100 << A - 16 << true << QString();
    QTest::addRow("app one over")
        << 100 << A - 15 << false
        << QString(
               "App 文件 [ {app} ] 长度： [ 24577 ]Byte 超过设备 [ ZEK_ENCODER ] 设定 "
               "App分区长度： [ 24576 ]Byte");
    // Refused from its size before it is read: neither allocated nor read whole.
    QTest::addRow("app of 4 GiB")
        << 100 << -1 << false
        << QString(
               "App 文件 [ {app} ] 长度： [ 4294967312 ]Byte 超过设备 [ ZEK_ENCODER ] 设定 "
               "App分区长度： [ 24576 ]Byte");
    // A FIFO would block the open for ever.
    QTest::addRow("app is a FIFO") << 100 << -2 << false
                                   << QString("App 文件 [ {app} ] 不是普通文件（管道或设备），无法读取。");
}

void TestGeneration::areaLimits() {
    QFETCH(int, bootLength);
    QFETCH(int, appLength);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    QVERIFY(writeFile(path("boot.bin"), patternBytes(bootLength)));
    QFile::remove(path("app.bin"));
    if (appLength == -1) {
        QFile sparse(path("app.bin"));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(4) << 30));
    } else if (appLength == -2) {
        QCOMPARE(mkfifo(QFile::encodeName(path("app.bin")).constData(), 0600), 0);
    } else {
        QVERIFY(writeFile(path("app.bin"), patternBytes(appLength)));
    }
    Generation generation;
    QSignalSpy log(&generation, &Generation::msgSignal);
    QCOMPARE(generation.generateFactoryImage(path("boot.bin"), path("app.bin"), path("out.bin"),
                                             "ZEK_ENCODER", 0.02, B, A, C),
             ok);
    if (ok) {
        const QByteArray image = readAll(path("out.bin"));
        QCOMPARE(image.size(), B + 2 * A + C + 1);
        // An exact fit leaves no fill between the part and the next area.
        if (bootLength == B)
            QCOMPARE(image.mid(B, appLength), patternBytes(appLength));
        else
            QCOMPARE(image.mid(B + appLength + 11, 5), QByteArray("V0.02"));
    } else {
        QCOMPARE(texts(log).last(), expand(message));
        QVERIFY(!QFile::exists(path("out.bin")));
    }
    QFile::remove(path("app.bin"));
}

void TestGeneration::upgradeImageFillsAppArea() {
    const QByteArray app = patternBytes(A - 16);
    QVERIFY(writeFile(path("app.bin"), app));
    Generation generation;
    QSignalSpy progress(&generation, &Generation::setProcess);
    QVERIFY(generation.generateFirmware(1, QString(), path("app.bin"), path("up.bin"),
                                        "ZEK_ENCODER", 0.02, 0, A, 0, 0));
    QCOMPARE(values(progress), (QList<int>{15, 25, 45, 65, 75, 85}));
    const QByteArray image = readAll(path("up.bin"));
    QCOMPARE(image.size(), A);
    QCOMPARE(image.left(A - 16), app);
    QCOMPARE(image.right(16), QByteArray("ZEK_ENCODERV0.02"));
}

void TestGeneration::failedRunKeepsPreviousFile_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("watermark");
    QTest::addColumn<double>("version");
    QTest::addColumn<bool>("appPresent");
    QTest::addColumn<QString>("message");
    QTest::addRow("app missing") << 1 << "ZEK_ENCODER" << 0.02 << false
                                 << "App 文件 [ {app} ] 不存在";
    QTest::addRow("factory, app missing")
        << 0 << "ZEK_ENCODER" << 0.02 << false << "App 文件 [ {app} ] 不存在";
    QTest::addRow("watermark of 10 characters")
        << 1 << "ZEK_ENCODE" << 0.02 << true
        << "水印 [ ZEK_ENCODE ] 长度必须为 11 个字符，否则升级时无法识别固件型号";
    QTest::addRow("version text of 3 characters")
        << 1 << "ZEK_ENCODER" << 1.5 << true
        << "版本 [ 1.5 ] 长度必须为 4 个字符，否则升级时无法识别固件版本";
    QTest::addRow("factory, version text of 1 character")
        << 0 << "ZEK_ENCODER" << 2.0 << true
        << "版本 [ 2 ] 长度必须为 4 个字符，否则升级时无法识别固件版本";
}

void TestGeneration::failedRunKeepsPreviousFile() {
    QFETCH(int, mode);
    QFETCH(QString, watermark);
    QFETCH(double, version);
    QFETCH(bool, appPresent);
    QFETCH(QString, message);
    QVERIFY(writeFile(path("boot.bin"), patternBytes(100)));
    if (appPresent)
        QVERIFY(writeFile(path("app.bin"), patternBytes(1000)));
    const QByteArray previous = patternBytes(777, 9);
    QVERIFY(writeFile(path("out.bin"), previous));
    const QStringList before = QDir(work->path()).entryList(QDir::Files);

    Generation generation;
    QSignalSpy log(&generation, &Generation::msgSignal);
    QVERIFY(!generation.generateFirmware(mode, path("boot.bin"), path("app.bin"), path("out.bin"),
                                         watermark, version, B, A, C, 2048));
    QCOMPARE(texts(log).last(), expand(message));
    QVERIFY(texts(log).contains("文件 [ " + path("out.bin") + " ] 已存在"));
    QCOMPARE(readAll(path("out.bin")), previous);
    // No temporary file is left beside the target.
    QCOMPARE(QDir(work->path()).entryList(QDir::Files), before);
}

void TestGeneration::unknownModeFailsSilently() {
    Generation generation;
    QSignalSpy log(&generation, &Generation::msgSignal);
    QVERIFY(!generation.generateFirmware(2, "", "", path("out.bin"), "ZEK_ENCODER", 0.02, B, A, C,
                                         2048));
    QCOMPARE(log.count(), 0);
    QVERIFY(!QFile::exists(path("out.bin")));
}

QTEST_GUILESS_MAIN(TestGeneration)
#include "tst_generation.moc"
