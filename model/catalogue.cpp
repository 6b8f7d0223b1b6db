#include "catalogue.h"

#include <algorithm>
#include <map>
#include <memory>

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QLibraryInfo>
#include <QMutex>
#include <QXmlStreamReader>

const char* const Catalogue::context = "Quelbrin";

namespace {
const QRegularExpression kPlaceholder(QStringLiteral("%(\\d+)"));

bool hasHan(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3400 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF))
            return true;
    }
    return false;
}
}  // namespace

// The catalogues live in a static library: naming the resources keeps the linker from dropping
// them. (Q_INIT_RESOURCE must not stand inside a namespace.)
static void initResources() {
    Q_INIT_RESOURCE(quelbrin_translations_qm);
    Q_INIT_RESOURCE(quelbrin_translations);
}

const Catalogue* Catalogue::forLanguage(const QString& key) {
    static QMutex mutex;
    // Never destroyed: worker threads may still translate while the program goes down.
    static auto* const loaded = new std::map<QString, const Catalogue*>;
    QMutexLocker locker(&mutex);
    const auto it = loaded->find(key);
    if (it != loaded->end())
        return it->second;
    const Catalogue* result = nullptr;
    if (!key.isEmpty()) {
        auto catalogue = std::unique_ptr<Catalogue>(new Catalogue(key));
        if (catalogue->load())
            result = catalogue.release();
    }
    loaded->emplace(key, result);
    return result;
}

Catalogue::Catalogue(const QString& key) : key(key) {}

bool Catalogue::load() {
    initResources();
    const QString base = QStringLiteral(":/translations/quelbrin_") + key;
    if (!translator.load(base + QStringLiteral(".qm")))
        return false;

    // The compiled catalogue answers exact look-ups but cannot list its entries; the templates
    // are read from the catalogue's source, which is built in beside it.
    QFile ts(base + QStringLiteral(".ts"));
    if (!ts.open(QIODevice::ReadOnly))
        return true;
    QXmlStreamReader xml(&ts);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
            continue;
        }
        if (xml.name() != QLatin1String("translation"))
            continue;
        const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
        if (!finished || !source.contains(kPlaceholder))
            continue;
        Template t;
        t.source = source;
        QString pattern = QStringLiteral("^");
        QString literal;
        qsizetype from = 0;
        auto it = kPlaceholder.globalMatch(source);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const QString piece = source.mid(from, m.capturedStart() - from);
            literal += piece;
            pattern += QRegularExpression::escape(piece) + QStringLiteral("(.*?)");
            t.numbers << m.captured(1).toInt();
            from = m.capturedEnd();
        }
        literal += source.mid(from);
        pattern += QRegularExpression::escape(source.mid(from)) + QStringLiteral("$");
        // A template of placeholders and punctuation alone would claim any text.
        if (!hasHan(literal))
            continue;
        t.literalLength = literal.size();
        t.pattern = QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
        templates.push_back(std::move(t));
    }
    // The most specific template first, where two could match one text.
    std::stable_sort(templates.begin(), templates.end(), [](const Template& a, const Template& b) {
        return a.literalLength > b.literalLength;
    });
    return true;
}

QString Catalogue::exact(const QString& text) const {
    const QString found = translator.translate(context, text.toUtf8().constData());
    return found.isEmpty() ? QString() : found;
}

QString Catalogue::fromTemplates(const QString& text) const {
    for (const Template& t : templates) {
        const QRegularExpressionMatch m = t.pattern.match(text);
        if (!m.hasMatch())
            continue;
        const QString translation = exact(t.source);
        if (translation.isNull())
            continue;
        QMap<int, QString> values;
        for (int i = 0; i < t.numbers.size(); ++i) {
            if (values.contains(t.numbers.at(i)))
                continue;
            QString value = m.captured(i + 1);
            // A value may be an operator text itself ("使能" in "...[使能]").
            if (hasHan(value)) {
                const QString translated = exact(value);
                if (!translated.isNull())
                    value = translated;
            }
            values.insert(t.numbers.at(i), value);
        }
        // One pass, so that a value holding "%2" is never filled in again.
        QString result;
        qsizetype from = 0;
        auto it = kPlaceholder.globalMatch(translation);
        while (it.hasNext()) {
            const QRegularExpressionMatch p = it.next();
            result += translation.mid(from, p.capturedStart() - from);
            const int number = p.captured(1).toInt();
            result += values.contains(number) ? values.value(number) : p.captured(0);
            from = p.capturedEnd();
        }
        result += translation.mid(from);
        return result;
    }
    return QString();
}

QString Catalogue::find(const QString& text) const {
    QString found = exact(text);
    if (!found.isNull())
        return found;
    // Texts are often written with a space before them (" 开始对零。") or are joined to other
    // pieces; the catalogue holds them without.
    qsizetype lead = 0;
    while (lead < text.size() && text.at(lead).isSpace()) ++lead;
    qsizetype tail = text.size();
    while (tail > lead && text.at(tail - 1).isSpace()) --tail;
    const QString core = text.mid(lead, tail - lead);
    if (core.size() != text.size()) {
        found = exact(core);
        if (found.isNull())
            found = fromTemplates(core);
    } else {
        found = fromTemplates(text);
    }
    if (found.isNull())
        return found;
    return text.left(lead) + found + text.mid(tail);
}

QString Catalogue::qtLocaleName(const QString& key) {
    if (key == QLatin1String("zh"))
        return QStringLiteral("zh_CN");
    if (key == QLatin1String("yue"))
        return QStringLiteral("zh_TW");  // Cantonese is written in traditional characters
    if (key == QLatin1String("jp"))
        return QStringLiteral("ja");
    if (key == QLatin1String("de") || key == QLatin1String("en"))
        return key;
    return QString();
}

bool Catalogue::installQtTranslations(const QString& key) {
    const QString name = qtLocaleName(key);
    auto* app = QCoreApplication::instance();
    if (name.isEmpty() || !app)
        return false;
    auto* translator = new QTranslator(app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_") + name, folder)) {
        // English needs none: Qt's own texts are English.
        if (key != QLatin1String("en"))
            qWarning().noquote() << "no Qt translations for" << name << "in" << folder;
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
