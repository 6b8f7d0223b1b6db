#include "hexmetadata.h"

HexMetadata::HexMetadata(QObject* parent) : QObject(parent) {}

QString HexMetadata::comments(qint64 line, int column) const {
    QStringList found;
    for (const HexMetadataItem& item : lines.value(line))
        if (column >= item.start && column < item.start + item.length && !item.comment.isEmpty())
            found << item.comment;
    return found.join(QLatin1Char('\n'));
}

void HexMetadata::setLineWidth(quint8 width) {
    if (width == 0 || width == lineWidth)
        return;
    lineWidth = width;
    lines.clear();
    for (const HexMetadataAbsoluteItem& item : items) addToLines(item);
}

void HexMetadata::metadata(qint64 begin, qint64 end, const QColor& fgcolor, const QColor& bgcolor,
                           const QString& comment) {
    if (begin < 0 || end < begin)
        return;
    const HexMetadataAbsoluteItem item{begin, end, fgcolor, bgcolor, comment};
    items << item;
    addToLines(item);
}

void HexMetadata::metadata(qint64 line, int start, int length, const QColor& fgcolor,
                           const QColor& bgcolor, const QString& comment) {
    const qint64 begin = line * lineWidth + start;
    metadata(begin, begin + length - 1, fgcolor, bgcolor, comment);
}

void HexMetadata::clear() {
    items.clear();
    lines.clear();
    emit metadataCleared();
}

void HexMetadata::addToLines(const HexMetadataAbsoluteItem& item) {
    qint64 offset = item.begin;
    while (offset <= item.end) {
        const qint64 line = offset / lineWidth;
        const int start = int(offset % lineWidth);
        const int length = int(qMin<qint64>(lineWidth - start, item.end - offset + 1));
        lines[line].append({line, start, length, item.foreground, item.background, item.comment});
        emit metadataChanged(line);
        offset += length;
    }
}
