#include "pageregistry.h"

#include <QHash>

#include "baidutranslate.h"

namespace {
QHash<QString, PageBuilder>& builders() {
    static QHash<QString, PageBuilder> map;
    return map;
}

const QChar kAreaSeparator = QLatin1Char('/');

// Source text → shown text. The language only changes with a restart, so one lookup per name.
QString shown(const QString& source) {
    static QHash<QString, QString> cache;
    auto it = cache.constFind(source);
    if (it != cache.constEnd())
        return *it;
    const int slash = source.indexOf(kAreaSeparator);
    const QString text = slash < 0 ? translated(source)
                                   : translated(source.left(slash)) + kAreaSeparator +
                                         translated(source.mid(slash + 1));
    cache.insert(source, text);
    return text;
}

QString matchingKey(const QString& name) {
    if (builders().contains(name))
        return name;
    for (auto it = builders().constBegin(); it != builders().constEnd(); ++it)
        if (shown(it.key()) == name)
            return it.key();
    return QString();
}
}  // namespace

void PageRegistry::registerPage(const QString& pageName, PageBuilder builder) {
    if (builder)
        builders().insert(pageName, std::move(builder));
}

bool PageRegistry::hasPage(const QString& pageName) {
    return builders().contains(pageName);
}

QWidget* PageRegistry::createPage(const QString& pageName, SettingsWork* work) {
    const auto it = builders().constFind(pageName);
    if (it == builders().constEnd())
        return nullptr;
    return (*it)(work);
}

QString PageRegistry::findPage(const QString& areaName, const QString& pageName) {
    if (!areaName.isEmpty()) {
        const QString qualified = matchingKey(areaName + kAreaSeparator + pageName);
        if (!qualified.isEmpty())
            return qualified;
    }
    return matchingKey(pageName);
}

QStringList PageRegistry::pageNames() {
    return builders().keys();
}

void PageRegistry::unregisterPage(const QString& pageName) {
    builders().remove(pageName);
}

void PageRegistry::clear() {
    builders().clear();
}
