#include "baidutranslate.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QEventLoop>
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

QString BaiduTranslate::translate(const QString& source) {
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

    const QString id = appId();
    const QByteArray salt = QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    const QByteArray sign =
        QCryptographicHash::hash(id.toUtf8() + text.toUtf8() + salt + secretKey().toUtf8(),
                                 QCryptographicHash::Md5)
            .toHex();
    const QByteArray body = "q=" + text.toUtf8().toPercentEncoding() +
                            "&from=zh&to=" + language.toUtf8() + "&appid=" + id.toUtf8() +
                            "&salt=" + salt + "&sign=" + sign + "&needIntervene=1";

    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(endpoint())};
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    QNetworkReply* reply = manager.post(request, body);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(replyTimeoutMs.load());
    // A reply that fails at once (no route, refused) may finish before the loop starts.
    if (!reply->isFinished())
        loop.exec();

    if (!reply->isFinished()) {
        reply->abort();
        reply->deleteLater();
        qDebug() << "error:"
                 << "no reply within" << replyTimeoutMs.load() << "ms";
        return text;
    }
    timer.stop();
    if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "error:" << reply->errorString();
        reply->deleteLater();
        return text;
    }
    const QByteArray answer = reply->readAll();
    reply->deleteLater();
    if (answer.contains("error_code")) {
        qDebug() << "error:" << answer;
        return text;
    }

    const QJsonArray results =
        QJsonDocument::fromJson(answer).object().value("trans_result").toArray();
    QString translation =
        results.isEmpty() ? QString() : results.at(0).toObject().value("dst").toString();
    if (translation.endsWith(QLatin1Char('.')))
        translation.chop(1);

    qDebug().noquote() << "QNetworkReply Translate Success from : " + text + " ===> " + translation;
    storeTranslation(language, text, translation);
    return translation;
}

bool BaiduTranslate::probeService() {
    Language* holder = Language::instance();
    const int remembered = holder->getValue();
    holder->setValue(Language::en);
    const QString hello = QStringLiteral("你好");
    const QString result = translate(hello);
    holder->setValue(remembered);
    return result != hello;
}
