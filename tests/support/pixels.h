// Reading colours off a rendered widget: a colour rule that never reaches the screen fails here,
// where a test of the property that should trigger it would pass.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace pixels {

inline const QColor kGreen(46, 160, 67);
inline const QColor kRed(207, 34, 46);
inline const QColor kAzure(240, 255, 255);

// How many pixels of the widget, as it paints itself now, lie within tolerance of colour.
inline int countNear(QWidget* widget, const QColor& colour, int tolerance = 40) {
    widget->ensurePolished();
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAbs(qRed(line[x]) - colour.red()) <= tolerance &&
                qAbs(qGreen(line[x]) - colour.green()) <= tolerance &&
                qAbs(qBlue(line[x]) - colour.blue()) <= tolerance)
                ++count;
    }
    return count;
}

}  // namespace pixels
