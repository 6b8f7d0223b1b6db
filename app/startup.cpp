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

QString Startup::helpText() {
    return QStringLiteral(
        "Usage: quelbrin [OPTIONS] [FILE...]\n"
        "\n"
        "Quelbrin: calibration rig, BiSS-C debugging, firmware images and IAP upgrades for\n"
        "absolute rotary encoders. FILE... opens each file in a file tab of the editor.\n"
        "\n"
        "Options:\n"
        "  --simulate     serve a simulated calibration rig, encoder and BiSS master on\n"
        "                 pseudo-terminals, listed in the serial dialog\n"
        "  --verbose      write debug output to stderr (also: QT_LOGGING_RULES)\n"
        "  --from-menu    work in the user's data folder ($XDG_DATA_HOME/quelbrin) whatever the\n"
        "                 working directory (the desktop entry passes it)\n"
        "  -h, --help     show this help\n"
        "  -v, --version  show the version\n"
        "  --             every argument after it is a FILE\n"
        "\n"
        "Working folder: config/ of the working directory when it has one; otherwise, for a\n"
        "program installed under /usr, $XDG_DATA_HOME/quelbrin (~/.local/share/quelbrin),\n"
        "created with the default configuration on first start.\n"
        "\n"
        "Serial ports: a user needs the group dialout to open /dev/ttyUSB* and /dev/ttyS*:\n"
        "  sudo adduser $USER dialout    (then log out and in again)\n");
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
