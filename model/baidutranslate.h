// Translates operator texts (written in Chinese): from the program's catalogue of the language
// when it has one, else through the online translation service, with a per-language cache in
// config/transconfig.ini.
#pragma once

#include <atomic>

#include <QFuture>
#include <QObject>
#include <QString>

class BaiduTranslate : public QObject {
    Q_OBJECT
public:
    static QString translate(const QString& text);
    // The same; failed tells whether the service was asked and gave no translation (a cached,
    // Chinese or empty text never fails).
    static QString translate(const QString& text, bool* failed);
    // Whether the service answers: asks it directly (neither the catalogue nor the cache can
    // answer for it) and blocks the caller up to replyTimeoutMs.
    static bool probeService();
    // The same without blocking: the answer arrives in the future (on the translator's thread).
    static QFuture<bool> probeServiceLater();

    static QString readCachedTranslation(const QString& language, const QString& text);
    static void storeTranslation(const QString& language, const QString& text,
                                 const QString& translation);

    // Endpoint and credentials: config/config.ini group BaiduTranslate (url, appid, secret),
    // else the built-in defaults.
    static QString endpoint();
    static QString appId();
    static QString secretKey();

    static QString cachePath();

    // How long one request may take before the text is shown untranslated.
    static std::atomic<int> replyTimeoutMs;
    // After a failed request every uncached text is shown untranslated at once for this long,
    // so an offline machine never waits a whole timeout per label; then the service is tried
    // again.
    static std::atomic<int> offlineBackoffMs;
    // Forgets a failure, so the next text asks the service at once.
    static void resetBackoff();

private:
    static QString request(const QString& language, const QString& text, bool* failed);
};

// Shorthand for the translator on a UTF-8 literal: every operator text goes through it.
inline QString translated(const char* text) {
    return BaiduTranslate::translate(QString::fromUtf8(text));
}
inline QString translated(const QString& text) {
    return BaiduTranslate::translate(text);
}
