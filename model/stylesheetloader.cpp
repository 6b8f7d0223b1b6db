#include "stylesheetloader.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

QString loadStyleSheet(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qDebug() << "QSS File Open Failed!";
    QTextStream stream(&file);
    const QString text = file.isOpen() ? stream.readAll() : QString();
    file.close();
    return text;
}
