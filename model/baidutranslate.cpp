#include "baidutranslate.h"

#include <memory>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QDeadlineTimer>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "language.h"
#include "readconfig.h"

std::atomic<int> BaiduTranslate::replyTimeoutMs{10000};

namespace {
const QString kGroup = QStringLiteral("BaiduTranslate");
// The service's public HTTP endpoint. The "?" belongs to it: every parameter travels in the body.
const QString kDefaultUrl = QStringLiteral("http://api.fanyi.baidu.com/api/trans/vip/translate?");
// Placeholders of the right shape; each deployment puts its own into config/config.ini.
const QString kDefaultAppId = QStringLiteral("20000000000000000");
const QString kDefaultSecret = QStringLiteral("QuelbrinSecretKey000");

QString configuredOr(const char* key, const QString& fallback) {
    const QString value = ReadConfig::readValue(kGroup, QString::fromLatin1(key)).trimmed();
    return value.isEmpty() ? fallback : value;
}
}  // namespace

QString BaiduTranslate::endpoint() {
    return configuredOr("url", kDefaultUrl);
}
QString BaiduTranslate::appId() {
    return configuredOr("appid", kDefaultAppId);
}
QString BaiduTranslate::secretKey() {
    return configuredOr("secret", kDefaultSecret);
}
QString BaiduTranslate::cachePath() {
    return QStringLiteral("config/transconfig.ini");
}

QString BaiduTranslate::readCachedTranslation(const QString& language, const QString& text) {
    auto cache = ReadConfig::openIni(cachePath());
    cache->beginGroup(language);
    const QString value = cache->value(text).toString();
    cache->endGroup();
    return value;
}

void BaiduTranslate::storeTranslation(const QString& language, const QString& text,
                                      const QString& translation) {
    auto cache = ReadConfig::openIni(cachePath());
    cache->beginGroup(language);
    cache->setValue(text, translation);
    cache->endGroup();
}

namespace {
// The translator's own thread owns the network access. A caller hands it one request and waits
// on a condition with the time limit: the caller blocks as before, but runs none of its own
// events meanwhile, so a worker never starts its next queued job inside the current one and the
// user-interface thread never handles input in the middle of a slot.
struct Exchange {
    QMutex mutex;
    QWaitCondition finished;
    bool done = false;
    bool networkError = false;
    QString errorText;
    QByteArray answer;
};

class TranslatorThread {
public:
    static TranslatorThread* instance() {
        static TranslatorThread* const translator = new TranslatorThread;
        return translator;
    }

    // Null once the application has begun to go down.
    QObject* context() {
        QMutexLocker locker(&mutex);
        return stopped ? nullptr : receiver;
    }

private:
    TranslatorThread() {
        thread.setObjectName(QStringLiteral("translator"));
        receiver = new QObject;
        receiver->moveToThread(&thread);
        thread.start();
        // Joined when the application object goes, like every thread of the program.
        qAddPostRoutine([] { instance()->stop(); });
    }
    void stop() {
        {
            QMutexLocker locker(&mutex);
            stopped = true;
        }
        thread.quit();
        thread.wait();
        delete receiver;
        receiver = nullptr;
    }

    QMutex mutex;
    QThread thread;
    QObject* receiver = nullptr;
    bool stopped = false;
};

// Runs on the translator thread: posts the request and fills the exchange when it ends.
void post(const std::shared_ptr<Exchange>& exchange, const QString& url, const QByteArray& body,
          int timeoutMs) {
    auto* manager = new QNetworkAccessManager;
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    QNetworkReply* reply = manager->post(request, body);
    auto* timer = new QTimer(manager);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, manager, [=] {
        timer->stop();
        {
            QMutexLocker locker(&exchange->mutex);
            exchange->networkError = reply->error() != QNetworkReply::NoError;
            exchange->errorText = reply->errorString();
            exchange->answer = reply->readAll();
            exchange->done = true;
        }
        exchange->finished.wakeAll();
        reply->deleteLater();
        manager->deleteLater();
    });
    timer->start(timeoutMs);
}

std::atomic<qint64> offlineUntilMs{0};
}  // namespace

std::atomic<int> BaiduTranslate::offlineBackoffMs{60000};

void BaiduTranslate::resetBackoff() {
    offlineUntilMs = 0;
}

QString BaiduTranslate::request(const QString& language, const QString& text, bool* failed) {
    *failed = true;
    QObject* context = TranslatorThread::instance()->context();
    if (!context)
        return text;

    const QString id = appId();
    const QByteArray salt = QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    const QByteArray sign =
        QCryptographicHash::hash(id.toUtf8() + text.toUtf8() + salt + secretKey().toUtf8(),
                                 QCryptographicHash::Md5)
            .toHex();
    const QByteArray body = "q=" + text.toUtf8().toPercentEncoding() +
                            "&from=zh&to=" + language.toUtf8() + "&appid=" + id.toUtf8() +
                            "&salt=" + salt + "&sign=" + sign + "&needIntervene=1";

    const int timeoutMs = replyTimeoutMs.load();
    auto exchange = std::make_shared<Exchange>();
    const QString url = endpoint();
    QMetaObject::invokeMethod(
        context, [=] { post(exchange, url, body, timeoutMs); }, Qt::QueuedConnection);

    QMutexLocker locker(&exchange->mutex);
    const QDeadlineTimer deadline(timeoutMs);
    while (!exchange->done) {
        if (!exchange->finished.wait(&exchange->mutex, deadline))
            break;
    }
    if (!exchange->done) {
        qDebug() << "error:"
                 << "no reply within" << timeoutMs << "ms";
        return text;
    }
    if (exchange->networkError) {
        qDebug() << "error:" << exchange->errorText;
        return text;
    }
    const QByteArray answer = exchange->answer;
    locker.unlock();
    if (answer.contains("error_code")) {
        qDebug() << "error:" << answer;
        return text;
    }

    const QJsonValue results = QJsonDocument::fromJson(answer).object().value("trans_result");
    if (!results.isArray() || results.toArray().isEmpty()) {
        // An answer without a translation must not blank the operator's message, nor be cached.
        qDebug() << "error:"
                 << "no trans_result in" << answer;
        return text;
    }
    QString translation = results.toArray().at(0).toObject().value("dst").toString();
    if (translation.endsWith(QLatin1Char('.')))
        translation.chop(1);
    *failed = false;
    if (translation.isEmpty())
        return text;

    qDebug().noquote() << "QNetworkReply Translate Success from : " + text + " ===> " + translation;
    storeTranslation(language, text, translation);
    return translation;
}

QString BaiduTranslate::translate(const QString& source) {
    bool failed = false;
    return translate(source, &failed);
}

QString BaiduTranslate::translate(const QString& source, bool* failedOut) {
    *failedOut = false;
    const QString language = Language::instance()->currentKey();
    if (language == QLatin1String("zh"))
        return source;

    QString text = source;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Without a target language the service can only answer with an error; asking it anyway
    // would block the caller for a round trip (up to the whole timeout offline) per message.
    if (language.isEmpty())
        return text;
    if (text.isEmpty())
        return text;

    const QString cached = readCachedTranslation(language, text);
    if (!cached.isEmpty())
        return cached;

    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now < offlineUntilMs.load()) {
        *failedOut = true;
        return text;
    }

    bool failed = false;
    const QString result = request(language, text, &failed);
    *failedOut = failed;
    if (failed) {
        const qint64 until = QDateTime::currentMSecsSinceEpoch() + offlineBackoffMs.load();
        // Said once per failure, not once per text.
        if (offlineUntilMs.exchange(until) <= now)
            qWarning().noquote() << "translation service failed; texts stay untranslated for"
                                 << offlineBackoffMs.load() / 1000 << "s";
    }
    return result;
}

bool BaiduTranslate::probeService() {
    Language* holder = Language::instance();
    const int remembered = holder->getValue();
    holder->setValue(Language::en);
    const QString hello = QStringLiteral("你好");
    // The operator asked: try the service even while texts are shown untranslated.
    resetBackoff();
    const QString result = translate(hello);
    holder->setValue(remembered);
    return result != hello;
}
