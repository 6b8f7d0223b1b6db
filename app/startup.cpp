#include "startup.h"

#include <QFontDatabase>

#include "defaultconfig.h"

QFont Startup::applicationFont() {
    QFont font(QStringLiteral("Corbel"), 10);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    font.setUnderline(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void Startup::installFontFallbacks() {
    const QStringList fallbacks{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
    for (const char* family : {"Corbel", "Corbel Light", "Calibri Light", "Calibri"})
        QFont::insertSubstitutions(QString::fromLatin1(family), fallbacks);
}

bool Startup::writeDefaultConfigIfMissing() {
    return DefaultConfig::writeIfMissing();
}

QStringList Startup::fileArguments(const QStringList& arguments) {
    QStringList files;
    bool optionsEnded = false;
    for (const QString& argument : arguments.mid(1)) {
        if (!optionsEnded && argument == QLatin1String("--"))
            optionsEnded = true;
        else if (optionsEnded || !argument.startsWith(QLatin1Char('-')))
            files << argument;
    }
    return files;
}
