#include "language.h"

#include "readconfig.h"

namespace {
const QString kGroup = QStringLiteral("Language");
const QString kKey = QStringLiteral("LanguageType");
}  // namespace

Language* Language::instance() {
    static Language* const holder = new Language;
    return holder;
}

Language::Language() {
    qRegisterMetaType<Language::LanguageType>("Language::LanguageType");
    load();
}

// A stored name that is not one of the keys gives -1. The default file names the language
// ("Chinese") instead of giving its key: that is read as Chinese, else the language dialog would
// offer English as the current language and one careless confirmation would switch to it.
void Language::load() {
    const QString stored = ReadConfig::readValue(kGroup, kKey).trimmed();
    if (stored.compare(QLatin1String("Chinese"), Qt::CaseInsensitive) == 0)
        value.store(zh);
    else if (stored.compare(QLatin1String("English"), Qt::CaseInsensitive) == 0)
        value.store(en);
    else
        value.store(keyToValue(stored));
}

void Language::save() const {
    ReadConfig::writeValue(kGroup, kKey, currentKey());
}
