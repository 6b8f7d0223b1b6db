// The debug log's rules: the two line forms, the block limits, in-place progress lines.
#include <QDockWidget>
#include <QTextEdit>
#include <QtTest>

#include "debuglog.h"

class TestDebugLog : public QObject {
    Q_OBJECT
private slots:
    void logLineRules_data();
    void logLineRules();
    void logKeepsNewestThousandBlocks();
    void inPlaceLinesReplaceThemselves();
};

void TestDebugLog::logLineRules_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("msg");
    QTest::addColumn<QString>("log");
    QTest::addRow("a line") << "SerialPort"
                            << "握手成功！"
                            << ">>>>>>>>> SerialPort  :  :  握手成功！\n";
    QTest::addRow("empty mode and text: no line") << ""
                                                  << ""
                                                  << "";
    QTest::addRow("null text: nothing") << "SerialPort" << QString() << "";
    QTest::addRow("null mode: nothing") << QString() << "x"
                                        << "";
    QTest::addRow("empty text still a line") << "IAP"
                                             << ""
                                             << ">>>>>>>>> IAP  :  :  \n";
}

void TestDebugLog::logLineRules() {
    QFETCH(QString, mode);
    QFETCH(QString, msg);
    QFETCH(QString, log);
    QDockWidget dock;
    DebugLog debugLog(&dock);
    debugLog.append(mode, msg);
    QString text = debugLog.edit()->toPlainText();
    text.remove(QLatin1Char('\r'));
    QCOMPARE(text, log);
}

void TestDebugLog::logKeepsNewestThousandBlocks() {
    QDockWidget dock;
    DebugLog debugLog(&dock);
    debugLog.append("Calibration", "校准完成");
    for (int i = 1; i < 999; ++i) debugLog.append("BiSS", QString::number(i));
    // Still there after 999 lines of polling: the limit drops the oldest, never everything.
    QVERIFY(debugLog.edit()->toPlainText().contains("校准完成"));
    for (int i = 999; i <= 5000; ++i) debugLog.append("BiSS", QString::number(i));
    QString text = debugLog.edit()->toPlainText();
    const QStringList lines = text.remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    QVERIFY(!text.contains("校准完成"));
    // The newest 999 lines and the empty line after them.
    QCOMPARE(lines.first(), QStringLiteral(">>>>>>>>> BiSS  :  :  4002"));
    QCOMPARE(lines.at(lines.size() - 2), QStringLiteral(">>>>>>>>> BiSS  :  :  5000"));
    QCOMPARE(debugLog.edit()->document()->blockCount(), DebugLog::kBlockLimit);
    QVERIFY(dock.widget() == debugLog.edit());
}

void TestDebugLog::inPlaceLinesReplaceThemselves() {
    QDockWidget dock;
    DebugLog debugLog(&dock);
    debugLog.append("IAP升级", "开始发送");
    for (int block = 1; block <= 50; ++block)
        debugLog.appendInPlace("IAP升级", "已发送 %1 包", block);
    debugLog.appendInPlace("IAP升级", "", 0);  // closes the in-place line
    debugLog.append("IAP升级", "完成");
    QString text = debugLog.edit()->toPlainText();
    text.remove(QLatin1Char('\r'));
    QCOMPARE(text, QString(">>>>>>>>> IAP升级  :  :  开始发送\n"
                           ">>>>>>>>> IAP升级  :  :  已发送 50 包\n"
                           ">>>>>>>>> IAP升级  :  :  完成\n"));
    // Far more updates than the 1000-block limit of ordinary lines: still one line.
    for (int block = 1; block <= 1500; ++block)
        debugLog.appendInPlace("IAP升级", "已发送 %1 包", block);
    QVERIFY(debugLog.edit()->toPlainText().contains("已发送 1500 包"));
    QCOMPARE(debugLog.edit()->document()->blockCount(), 4);
}

QTEST_MAIN(TestDebugLog)
#include "tst_debuglog.moc"
