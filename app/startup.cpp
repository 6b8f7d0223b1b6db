#include "startup.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStandardPaths>

#include "readconfig.h"

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
    const QString path = ReadConfig::configPath();
    if (QFile::exists(path))
        return false;
    QFile source(QStringLiteral(":/system/config/config.ini"));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(source.readAll());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString base = documents.isEmpty() ? QDir::homePath() : documents;
    text.replace(QStringLiteral("@FIRMWARE_DIR@"),
                 QDir(base).filePath(QStringLiteral("Quelbrin/firmware")));
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    target.write(text.toUtf8());
    return true;
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
