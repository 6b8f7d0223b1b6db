// How the picture programs save: the output path taken relative to the folder they were started
// in, its folder made, and one line that says what was written or why nothing was.
#pragma once

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>

namespace ShotOutput {

// Call before the program changes its working directory.
inline QString absolute(const QString& path) {
    return QDir::current().absoluteFilePath(path);
}

inline int fail(const QString& why) {
    std::fprintf(stderr, "%s: %s\n",
                 qPrintable(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
                 qPrintable(why));
    return 1;
}

inline bool save(const QImage& image, const QString& path) {
    if (image.isNull()) {
        fail(QStringLiteral("nothing to draw for %1").arg(path));
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).path())) {
        fail(QStringLiteral("cannot make the folder of %1").arg(path));
        return false;
    }
    QImageWriter writer(path);
    if (!writer.write(image)) {
        fail(QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()));
        return false;
    }
    std::printf("wrote %s (%dx%d)\n", qPrintable(path), image.width(), image.height());
    std::fflush(stdout);
    return true;
}

inline bool save(const QPixmap& pixmap, const QString& path) {
    return save(pixmap.toImage(), path);
}

}  // namespace ShotOutput
