#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

#include "catalogue.h"

namespace {
struct Entry {
    QString source;
    QString translation;
};

QList<Entry> finishedEntries() {
    QList<Entry> entries;
    QFile file(QStringLiteral(QUELBRIN_CATALOGUE));
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            const QString translation = xml.readElementText();
            if (finished)
                entries.append({source, translation});
        }
    }
    return entries;
}

// What must come through a translation unchanged, sorted: placeholders, brackets and degree
// signs, or the figures (a figure inside a placeholder is the placeholder's).
QStringList marks(const QString& text, bool figures) {
    static const QRegularExpression mark(QStringLiteral("%\\d+|\\d+(?:\\.\\d+)?|[\\[\\]°]"));
    QStringList found;
    auto it = mark.globalMatch(text);
    while (it.hasNext()) {
        const QString m = it.next().captured(0);
        if (m.at(0).isDigit() == figures)
            found << m;
    }
    found.sort();
    return found;
}
}  // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void catalogueIsRead();
    void entryKeepsItsMarks_data();
    void entryKeepsItsMarks();
    void builtInCatalogueAnswers_data();
    void builtInCatalogueAnswers();
    void qtTextsFollowTheLanguage_data();
    void qtTextsFollowTheLanguage();
};

void TestCatalogue::catalogueIsRead() {
    QVERIFY(finishedEntries().size() > 400);
    QVERIFY(Catalogue::forLanguage(QStringLiteral("en")));
    QVERIFY(!Catalogue::forLanguage(QStringLiteral("de")));
}

void TestCatalogue::entryKeepsItsMarks_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    for (const Entry& e : finishedEntries())
        QTest::addRow("%s", qPrintable(e.source)) << e.source << e.translation;
}

void TestCatalogue::entryKeepsItsMarks() {
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QVERIFY2(!translation.trimmed().isEmpty(), "empty English");
    QCOMPARE(marks(translation, false), marks(source, false));
    // Every figure of the source is in the English ("第一次" may become "1").
    QStringList figures = marks(translation, true);
    for (const QString& figure : marks(source, true))
        QVERIFY2(figures.removeOne(figure), qPrintable(figure + " is missing"));
    // The log joins pieces: a piece that starts or ends with a space must keep it.
    if (source.startsWith(QLatin1Char(' ')))
        QVERIFY(translation.startsWith(QLatin1Char(' ')));
    if (source.endsWith(QLatin1Char(' ')))
        QVERIFY(translation.endsWith(QLatin1Char(' ')));
    static const QRegularExpression han(QStringLiteral("[\\x{3400}-\\x{9fff}]"));
    QVERIFY2(!translation.contains(han), qPrintable(translation));
}

void TestCatalogue::builtInCatalogueAnswers_data() {
    entryKeepsItsMarks_data();
}

// The catalogue built into the program (compiled by lrelease) says what its source says.
void TestCatalogue::builtInCatalogueAnswers() {
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QCOMPARE(Catalogue::forLanguage(QStringLiteral("en"))->find(source), translation);
}

void TestCatalogue::qtTextsFollowTheLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("buttons");
    QTest::addRow("zh") << "zh" << QStringList{"打开", "保存", "取消"};
    QTest::addRow("de") << "de" << QStringList{"Öffnen", "Speichern", "Abbrechen"};
    QTest::addRow("en") << "en" << QStringList{"Open", "Save", "Cancel"};
}

// The buttons of Qt's message boxes and file dialogs come from Qt's own catalogues.
void TestCatalogue::qtTextsFollowTheLanguage() {
    QFETCH(QString, language);
    QFETCH(QStringList, buttons);
    const bool installed = Catalogue::installQtTranslations(language);
    if (language != QLatin1String("en"))
        QVERIFY(installed);
    QStringList shown;
    for (const char* text : {"Open", "Save", "Cancel"})
        shown << QCoreApplication::translate("QPlatformTheme", text);
    QCOMPARE(shown, buttons);
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
