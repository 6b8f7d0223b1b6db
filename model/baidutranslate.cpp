#include "baidutranslate.h"

#include <functional>
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
#include <QPromise>
#include <QSet>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "catalogue.h"
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
          int timeoutMs, const std::function<void()>& done = {}) {
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
        if (done)
            done();
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

namespace {
QByteArray requestBody(const QString& language, const QString& text) {
    const QString id = BaiduTranslate::appId();
    const QByteArray salt = QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    const QByteArray sign = QCryptographicHash::hash(id.toUtf8() + text.toUtf8() + salt +
                                                         BaiduTranslate::secretKey().toUtf8(),
                                                     QCryptographicHash::Md5)
                                .toHex();
    return "q=" + text.toUtf8().toPercentEncoding() + "&from=zh&to=" + language.toUtf8() +
           "&appid=" + id.toUtf8() + "&salt=" + salt + "&sign=" + sign + "&needIntervene=1";
}

// The translation in a service's answer; failed when the answer holds none.
QString answerTranslation(const QByteArray& answer, bool* failed) {
    *failed = true;
    if (answer.contains("error_code")) {
        qDebug() << "error:" << answer;
        return QString();
    }
    const QJsonValue results = QJsonDocument::fromJson(answer).object().value("trans_result");
    if (!results.isArray() || results.toArray().isEmpty()) {
        // An answer without a translation must not blank the operator's message, nor be cached.
        qDebug() << "error:"
                 << "no trans_result in" << answer;
        return QString();
    }
    QString translation = results.toArray().at(0).toObject().value("dst").toString();
    if (translation.endsWith(QLatin1Char('.')))
        translation.chop(1);
    *failed = false;
    return translation;
}

bool hasHan(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3400 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF))
            return true;
    }
    return false;
}
}  // namespace

QString BaiduTranslate::request(const QString& language, const QString& text, bool* failed) {
    *failed = true;
    QObject* context = TranslatorThread::instance()->context();
    if (!context)
        return text;

    const QByteArray body = requestBody(language, text);
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
    const QString translation = answerTranslation(answer, failed);
    if (*failed || translation.isEmpty())
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
    // Operator texts are Chinese; a text without a Chinese character (a port name, a figure, a
    // text translated already) has nothing to translate and never waits for the service.
    if (!hasHan(text))
        return text;

    // The catalogue first: a text it holds never touches the cache or the network.
    if (const Catalogue* catalogue = Catalogue::forLanguage(language)) {
        QString found = catalogue->find(source);
        if (found.isNull() && text != source)
            found = catalogue->find(text);
        if (!found.isNull())
            return found;
        // A text the catalogue lacks is a text written after it: say so (once), so that the
        // day it is written it is seen; scripts/update-catalogue.py adds it.
        static QMutex missingMutex;
        static QSet<QString> missing;
        QMutexLocker locker(&missingMutex);
        if (missing.size() < 1000 && !missing.contains(text)) {
            missing.insert(text);
            qWarning().noquote() << "no" << language << "catalogue entry for:" << text;
        }
    }

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

namespace {
// The probe asks the service itself: neither the catalogue nor the cache may answer for it, and
// the language of every other thread's texts stays as it is.
const char* const kProbeText = "你好";  // untranslated: sent to the service as it stands
}  // namespace

bool BaiduTranslate::probeService() {
    // The operator asked: try the service even while texts are shown untranslated.
    resetBackoff();
    if (ReadConfig::readValue(kGroup, QStringLiteral("appid")).trimmed().isEmpty())
        return false;  // the built-in credentials are placeholders the service refuses
    bool failed = true;
    const QString result = request(QStringLiteral("en"), QString::fromUtf8(kProbeText), &failed);
    return !failed && result != QString::fromUtf8(kProbeText);
}

QFuture<bool> BaiduTranslate::probeServiceLater() {
    resetBackoff();
    auto promise = std::make_shared<QPromise<bool>>();
    QFuture<bool> future = promise->future();
    promise->start();
    QObject* context = TranslatorThread::instance()->context();
    // The built-in credentials are placeholders the service refuses: without a deployment's
    // own there is nothing to ask.
    if (!context || ReadConfig::readValue(kGroup, QStringLiteral("appid")).trimmed().isEmpty()) {
        promise->addResult(false);
        promise->finish();
        return future;
    }
    const QString text = QString::fromUtf8(kProbeText);
    const QByteArray body = requestBody(QStringLiteral("en"), text);
    const QString url = endpoint();
    const int timeoutMs = replyTimeoutMs.load();
    QMetaObject::invokeMethod(
        context,
        [=] {
            auto exchange = std::make_shared<Exchange>();
            post(exchange, url, body, timeoutMs, [=] {
                bool failed = true;
                QString result;
                if (!exchange->networkError)
                    result = answerTranslation(exchange->answer, &failed);
                else
                    qDebug() << "error:" << exchange->errorText;
                promise->addResult(!failed && !result.isEmpty() && result != text);
                promise->finish();
            });
        },
        Qt::QueuedConnection);
    return future;
}
