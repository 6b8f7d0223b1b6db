// The program's own catalogue of one language (translations/quelbrin_<key>.ts, compiled into the
// program by Qt's linguist tools), and Qt's own texts (dialog buttons, file dialogs) for it.
#pragma once

#include <vector>

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QTranslator>

class Catalogue {
public:
    // The catalogue of a language key ("en"), or null when the program has none for it. Each is
    // loaded once and kept for the whole run; usable from every thread.
    static const Catalogue* forLanguage(const QString& key);

    // The catalogue's text for a source text, or a null string when it holds none. An exact
    // entry wins; a text with spaces around it is looked up without them; then the templates:
    // an entry with placeholders ("尝试连接第 %1次...") stands for every text built from it
    // ("尝试连接第 3次..."), and the values are carried into the translation.
    QString find(const QString& text) const;

    // Qt's own translations for a language key, from the system's Qt translations; false when
    // there are none for it (the key is unknown, or the files are not installed).
    static bool installQtTranslations(const QString& key);
    // Qt's locale name for a language key ("zh" -> "zh_CN"), empty when there is none.
    static QString qtLocaleName(const QString& key);

    // The name of the program's catalogue context.
    static const char* const context;

private:
    explicit Catalogue(const QString& key);
    bool load();
    QString exact(const QString& text) const;
    QString fromTemplates(const QString& text) const;

    struct Template {
        QRegularExpression pattern;
        QList<int> numbers;  // the placeholder number of each capture, in order
        QString source;
        qsizetype literalLength = 0;
    };

    QString key;
    QTranslator translator;
    std::vector<Template> templates;
};
