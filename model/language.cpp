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

// A stored name that is not one of the keys (the default file's "Chinese") gives -1.
void Language::load() {
    value.store(keyToValue(ReadConfig::readValue(kGroup, kKey)));
}

void Language::save() const {
    ReadConfig::writeValue(kGroup, kKey, currentKey());
}
