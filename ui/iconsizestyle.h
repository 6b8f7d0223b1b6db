// A proxy style that only changes the small icon size (menu and action icons).
#pragma once

#include <QProxyStyle>

class IconSizeStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit IconSizeStyle(QStyle* base = nullptr, int iconSize = 28)
        : QProxyStyle(base), iconSize(iconSize) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override {
        if (metric == QStyle::PM_SmallIconSize)
            return iconSize;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int iconSize;
};
