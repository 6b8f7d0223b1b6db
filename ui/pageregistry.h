// Where a workspace page comes from: each job area registers a builder per page name, and the
// settings workspace asks for its pages by name only. Search for the page name to find its builder.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class SettingsWork;
class QWidget;

using PageBuilder = std::function<QWidget*(SettingsWork* work)>;

class PageRegistry {
public:
    // pageName is the page's Chinese source text ("固件参数"). A page name used by two areas
    // ("保存 & 开始" under both "固件生成" and "IAP升级") is registered qualified by its area:
    // "IAP升级/保存 & 开始". A second registration under the same name replaces the first.
    static void registerPage(const QString& pageName, PageBuilder builder);
    static bool hasPage(const QString& pageName);
    // nullptr when no builder is registered; the builder creates the panel and connects it to
    // the work's signals/slots.
    static QWidget* createPage(const QString& pageName, SettingsWork* work);

    // The workspace's lookup. Names arrive as shown, i.e. already translated: a registered
    // source text matches when it or its translation equals the shown name. "area/page" is
    // tried before the plain page name. Empty when nothing matches.
    static QString findPage(const QString& areaName, const QString& pageName);

    static QStringList pageNames();
    // For tests that register their own pages.
    static void unregisterPage(const QString& pageName);
    static void clear();
};
