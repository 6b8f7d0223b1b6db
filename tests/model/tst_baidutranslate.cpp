#include <atomic>

#include <QCryptographicHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QtTest>

#include "baidutranslate.h"
#include "language.h"
#include "testworkdir.h"

namespace {
const QByteArray kAppId = "12345678901234567";
const QByteArray kSecret = "abcdefghij0123456789";

// An HTTP server on 127.0.0.1, on a thread of its own (the translator blocks the calling
// thread without running its events), that records each request.
class HttpStub : public QObject {
public:
    enum Behaviour { Answer, Silent };
    HttpStub() {
        moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(
            this,
            [this] {
                server = new QTcpServer(this);
                server->listen(QHostAddress::LocalHost);
                port = server->serverPort();
                connect(server, &QTcpServer::newConnection, this, [this] {
                    while (QTcpSocket* socket = server->nextPendingConnection()) {
                        connect(socket, &QTcpSocket::readyRead, this,
                                [this, socket] { onData(socket); });
                    }
                });
            },
            Qt::BlockingQueuedConnection);
    }
    ~HttpStub() override {
        QMetaObject::invokeMethod(
            this, [this] { delete server; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    QByteArray configIni() const {
        return "[BaiduTranslate]\nurl=http://127.0.0.1:" + QByteArray::number(port) +
               "/api/trans/vip/translate?\nappid=" + kAppId + "\nsecret=" + kSecret +
               "\n[Language]\nLanguageType=en\n";
    }

    // Set by the test before a request; read by the server thread while it answers.
    std::atomic<Behaviour> behaviour{Answer};
    std::atomic<int> status{200};
    QByteArray body;
    QList<QByteArray> heads;
    QList<QByteArray> bodies;

private:
    void onData(QTcpSocket* socket) {
        QByteArray& buffer = pending[socket];
        buffer += socket->readAll();
        const int headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QByteArray head = buffer.left(headEnd);
        int length = 0;
        for (const QByteArray& line : head.split('\n'))
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toInt();
        if (buffer.size() < headEnd + 4 + length)
            return;
        heads << head;
        bodies << buffer.mid(headEnd + 4, length);
        buffer.clear();
        if (behaviour == Silent)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(status) +
                      " X\r\nContent-Type: application/json\r\n"
                      "Content-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }
    QThread thread;
    QTcpServer* server = nullptr;
    quint16 port = 0;
    QHash<QTcpSocket*, QByteArray> pending;
};

QByteArray answer(const QString& dst) {
    return R"({"from":"zh","to":"en","trans_result":[{"src":"x","dst":")" + dst.toUtf8() +
           R"("}]})";
}
}  // namespace

class TestBaiduTranslate : public QObject {
    Q_OBJECT
private slots:
    void init() {
        BaiduTranslate::replyTimeoutMs = 10000;
        BaiduTranslate::resetBackoff();
    }
    void chineseIsReturnedUnchanged();
    void requestIsByteExact();
    void cacheHitSendsNothing();
    void failuresReturnTextAndCacheNothing_data();
    void failuresReturnTextAndCacheNothing();
    void trailingFullStopRemoved();
    void missingTranslationKeepsText();
    void offlineBackoff();
    void waitRunsNoOtherEvents();
    void unknownLanguageAsksNoService();
    void probeRestoresLanguage_data();
    void probeRestoresLanguage();
    void unwritableCacheStillTranslates();
    void catalogueAnswersBeforeCacheAndService_data();
    void catalogueAnswersBeforeCacheAndService();
    void textsOutsideTheCatalogueStillAskTheService_data();
    void textsOutsideTheCatalogueStillAskTheService();
    void probeLaterAsksTheServiceItself_data();
    void probeLaterAsksTheServiceItself();
};

void TestBaiduTranslate::chineseIsReturnedUnchanged() {
    TestWorkDir work("[Language]\nLanguageType=zh\n");
    Language::instance()->load();
    QCOMPARE(BaiduTranslate::translate("第一行\n第二行"), QString("第一行\n第二行"));
}

void TestBaiduTranslate::requestIsByteExact() {
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    http.body = answer("Hello");
    QCOMPARE(BaiduTranslate::translate("你好"), QString("Hello"));
    QCOMPARE(http.bodies.size(), 1);
    const QByteArray head = http.heads.first();
    QVERIFY2(head.startsWith("POST /api/trans/vip/translate? HTTP/1.1"), head.constData());
    QVERIFY(head.contains("Content-Type: application/x-www-form-urlencoded"));
    const QByteArray body = http.bodies.first();
    QVERIFY(head.contains("Content-Length: " + QByteArray::number(body.size())));

    const QByteArray prefix = "q=%E4%BD%A0%E5%A5%BD&from=zh&to=en&appid=" + kAppId + "&salt=";
    QVERIFY2(body.startsWith(prefix), body.constData());
    const QList<QByteArray> rest = body.mid(prefix.size()).split('&');
    QCOMPARE(rest.size(), 3);
    const QByteArray salt = rest.at(0);
    QVERIFY(!salt.isEmpty());
    for (char c : salt) QVERIFY(c >= '0' && c <= '9');
    const QByteArray sign =
        QCryptographicHash::hash(kAppId + QString("你好").toUtf8() + salt + kSecret,
                                 QCryptographicHash::Md5)
            .toHex();
    QCOMPARE(rest.at(1), "sign=" + sign);
    QCOMPARE(rest.at(2), QByteArray("needIntervene=1"));
}

void TestBaiduTranslate::cacheHitSendsNothing() {
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    http.body = answer("first line second line");
    QCOMPARE(BaiduTranslate::translate("第一行\n第二行"), QString("first line second line"));
    // Texts that differ only in line breaks share the entry.
    QCOMPARE(BaiduTranslate::translate("第一行 第二行"), QString("first line second line"));
    QCOMPARE(BaiduTranslate::translate("第一行\n第二行"), QString("first line second line"));
    QCOMPARE(http.bodies.size(), 1);
    QVERIFY(http.bodies.first().startsWith("q=%E7%AC%AC%E4%B8%80%E8%A1%8C%20"));
    QCOMPARE(BaiduTranslate::readCachedTranslation("en", "第一行 第二行"),
             QString("first line second line"));
}

void TestBaiduTranslate::failuresReturnTextAndCacheNothing_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("silent");
    QTest::addRow("service error_code")
        << 200 << QByteArray(R"({"error_code":"54001","error_msg":"Invalid Sign"})") << false;
    QTest::addRow("HTTP error") << 500 << QByteArray("oops") << false;
    QTest::addRow("no reply") << 200 << QByteArray() << true;
}

void TestBaiduTranslate::failuresReturnTextAndCacheNothing() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, silent);
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    BaiduTranslate::replyTimeoutMs = 300;
    http.status = status;
    http.body = body;
    http.behaviour = silent ? HttpStub::Silent : HttpStub::Answer;
    QCOMPARE(BaiduTranslate::translate("设备\n离线"), QString("设备 离线"));
    QCOMPARE(BaiduTranslate::readCachedTranslation("en", "设备 离线"), QString());
    // While the service is deemed down, nothing is asked.
    QCOMPARE(BaiduTranslate::translate("另一个"), QString("另一个"));
    QCOMPARE(http.bodies.size(), 1);
    // Nothing was cached, so the next occurrence after the pause asks again.
    BaiduTranslate::resetBackoff();
    BaiduTranslate::translate("设备\n离线");
    QCOMPARE(http.bodies.size(), 2);
}

void TestBaiduTranslate::offlineBackoff() {
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    BaiduTranslate::replyTimeoutMs = 300;
    BaiduTranslate::offlineBackoffMs = 1500;
    http.behaviour = HttpStub::Silent;
    QCOMPARE(BaiduTranslate::translate("第一个"), QString("第一个"));
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i)
        QCOMPARE(BaiduTranslate::translate(QString("标签%1").arg(i)), QString("标签%1").arg(i));
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(http.bodies.size(), 1);
    // Once the pause is over the service is asked again.
    http.behaviour = HttpStub::Answer;
    http.body = answer("Back");
    QTRY_COMPARE_WITH_TIMEOUT(BaiduTranslate::translate("回来"), QString("Back"), 5000);
    QCOMPARE(http.bodies.size(), 2);
    BaiduTranslate::offlineBackoffMs = 60000;
}

void TestBaiduTranslate::waitRunsNoOtherEvents() {
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    BaiduTranslate::replyTimeoutMs = 300;
    http.behaviour = HttpStub::Silent;
    bool ran = false;
    QMetaObject::invokeMethod(
        this, [&ran] { ran = true; }, Qt::QueuedConnection);
    BaiduTranslate::translate("等待");
    // The caller's queued work did not run inside the translation.
    QVERIFY(!ran);
    QTRY_VERIFY(ran);
}

void TestBaiduTranslate::trailingFullStopRemoved() {
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    http.body = answer("Communication complete.");
    QCOMPARE(BaiduTranslate::translate("通讯完成。"), QString("Communication complete"));
    QCOMPARE(BaiduTranslate::readCachedTranslation("en", "通讯完成。"),
             QString("Communication complete"));
}

void TestBaiduTranslate::missingTranslationKeepsText() {
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    http.body = R"({"from":"zh","to":"en"})";
    // The operator's message is not blanked, and nothing is cached.
    QCOMPARE(BaiduTranslate::translate("空"), QString("空"));
    QVERIFY(!QSettings("config/transconfig.ini", QSettings::IniFormat).contains("en/空"));
    BaiduTranslate::resetBackoff();
    BaiduTranslate::translate("空");
    QCOMPARE(http.bodies.size(), 2);
}

void TestBaiduTranslate::unknownLanguageAsksNoService() {
    HttpStub http;
    TestWorkDir work(http.configIni() + "[Language]\nLanguageType=Chinese\n");
    Language::instance()->setValue(-1);
    QCOMPARE(BaiduTranslate::translate("握手\n成功"), QString("握手 成功"));
    QCOMPARE(http.bodies.size(), 0);
}

void TestBaiduTranslate::probeRestoresLanguage_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("reachable");
    QTest::addRow("service answers") << answer("Hello") << true;
    QTest::addRow("service error") << QByteArray(R"({"error_code":"52003"})") << false;
}

void TestBaiduTranslate::probeRestoresLanguage() {
    QFETCH(QByteArray, body);
    QFETCH(bool, reachable);
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->setValue(Language::zh);
    http.body = body;
    QCOMPARE(BaiduTranslate::probeService(), reachable);
    QCOMPARE(Language::instance()->getValue(), int(Language::zh));
    QVERIFY(http.bodies.first().contains("&to=en&"));
}

void TestBaiduTranslate::unwritableCacheStillTranslates() {
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    QVERIFY(QDir().mkpath("config/transconfig.ini"));  // a folder where the file should be
    http.body = answer("Ready");
    QCOMPARE(BaiduTranslate::translate("就绪"), QString("Ready"));
    QCOMPARE(BaiduTranslate::translate("就绪"), QString("Ready"));
    QCOMPARE(http.bodies.size(), 2);
}

void TestBaiduTranslate::catalogueAnswersBeforeCacheAndService_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("english");
    QTest::addRow("exact entry") << "校准完毕。"
                                 << "Calibration complete.";
    QTest::addRow("entry with its placeholder") << "文件 [ %1 ] 已存在"
                                                << "File [ %1 ] exists";
    QTest::addRow("spaces around the entry kept") << "  校准完毕。 "
                                                  << "  Calibration complete. ";
    QTest::addRow("template filled by arg()") << "尝试连接第 3次..."
                                              << "Connection attempt 3...";
    QTest::addRow("template with degrees")
        << "校准效果验证成功，校准后最大INL：[ 0.0123 °] ,设定最大INL：[ 0.02 °]"
        << "Calibration check passed, max INL after calibration: [ 0.0123 °] , max INL limit: "
           "[ 0.02 °]";
    QTest::addRow("template built by +") << "获取设备状态成功，当前设备处于[BOOT ] 状态。"
                                         << "Device status read: device is in [BOOT ] state.";
    QTest::addRow("template whose value is an entry") << "开始设置从机使能状态...[使能]"
                                                      << "Setting slave enable...[Enable]";
    QTest::addRow("template keeps a later arg() free") << "Boot 文件 [ %1 ] 不存在"
                                                       << "Boot file [ %1 ] does not exist";
    QTest::addRow("chart title with a figure") << "角度误差分布(Max INL:0.0123°)"
                                               << "Angle Error Distribution (Max INL: 0.0123°)";
}

// English has a catalogue: a text it holds is answered from it, whatever the cache says and
// without a request, even while the service is unreachable.
void TestBaiduTranslate::catalogueAnswersBeforeCacheAndService() {
    QFETCH(QString, text);
    QFETCH(QString, english);
    HttpStub http;
    http.behaviour = HttpStub::Silent;
    TestWorkDir work(http.configIni());
    Language::instance()->load();
    BaiduTranslate::storeTranslation("en", text, "from the cache");
    bool failed = true;
    const QString shown = BaiduTranslate::translate(text, &failed);
    QCOMPARE(shown, english);
    QVERIFY(!failed);
    QCOMPARE(http.bodies.size(), 0);
}

void TestBaiduTranslate::textsOutsideTheCatalogueStillAskTheService_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("requests");
    QTest::addRow("English text not in the catalogue") << "en"
                                                       << "一段新的提示" << 1;
    QTest::addRow("German has no catalogue") << "de"
                                             << "校准完毕。" << 1;
    QTest::addRow("nothing Chinese to translate") << "de"
                                                  << "COM3 115200" << 0;
}

void TestBaiduTranslate::textsOutsideTheCatalogueStillAskTheService() {
    QFETCH(QString, language);
    QFETCH(QString, text);
    QFETCH(int, requests);
    HttpStub http;
    TestWorkDir work(http.configIni());
    Language::instance()->setValue(Language::keyToValue(language));
    http.body = answer("Answered");
    const QString shown = BaiduTranslate::translate(text);
    QCOMPARE(http.bodies.size(), requests);
    QCOMPARE(shown, requests ? QString("Answered") : text);
    if (requests)
        QVERIFY(http.bodies.first().contains("&to=" + language.toUtf8() + "&"));
}

void TestBaiduTranslate::probeLaterAsksTheServiceItself_data() {
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("reachable");
    QTest::addRow("service answers") << true << answer("Hello") << true;
    QTest::addRow("service error") << true << QByteArray(R"({"error_code":"54001"})") << false;
    QTest::addRow("nothing listens") << false << QByteArray() << false;
    QTest::addRow("no credentials configured") << true << answer("Hello") << false;
}

// The language dialog's probe: it never blocks its caller, and neither the catalogue nor a
// cached 你好 can pass for a reachable service.
void TestBaiduTranslate::probeLaterAsksTheServiceItself() {
    QFETCH(bool, listening);
    QFETCH(QByteArray, body);
    QFETCH(bool, reachable);
    HttpStub http;
    QByteArray config = http.configIni();
    if (!listening) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QByteArray port = QByteArray::number(closed.serverPort());
        closed.close();
        config = "[BaiduTranslate]\nurl=http://127.0.0.1:" + port +
                 "/api/trans/vip/translate?\nappid=" + kAppId + "\nsecret=" + kSecret +
                 "\n[Language]\nLanguageType=en\n";
    }
    const bool credentials = QByteArray(QTest::currentDataTag()) != "no credentials configured";
    if (!credentials)
        config = "[BaiduTranslate]\nurl=http://127.0.0.1:1/\n[Language]\nLanguageType=en\n";
    TestWorkDir work(config);
    Language::instance()->load();
    BaiduTranslate::storeTranslation("en", "你好", "Hello from the cache");
    http.body = body;
    QFuture<bool> answer = BaiduTranslate::probeServiceLater();
    QTRY_VERIFY_WITH_TIMEOUT(answer.isFinished(), 15000);
    QCOMPARE(answer.result(), reachable);
    QCOMPARE(http.bodies.size(), listening && credentials ? 1 : 0);
    QCOMPARE(Language::instance()->getValue(), int(Language::en));
}

QTEST_GUILESS_MAIN(TestBaiduTranslate)
#include "tst_baidutranslate.moc"
