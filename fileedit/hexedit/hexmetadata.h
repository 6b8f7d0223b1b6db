// Coloured and commented byte ranges of a hex document, kept per row for painting.
#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

struct HexMetadataAbsoluteItem {
    qint64 begin;
    qint64 end;  // inclusive
    QColor foreground;
    QColor background;
    QString comment;
};

struct HexMetadataItem {
    qint64 line;
    int start;
    int length;
    QColor foreground;
    QColor background;
    QString comment;
};

class HexMetadata : public QObject {
    Q_OBJECT
public:
    explicit HexMetadata(QObject* parent = nullptr);

    // Items of one row, in the order they were added.
    QList<HexMetadataItem> get(qint64 line) const { return lines.value(line); }
    bool lineHasMetadata(qint64 line) const { return lines.contains(line); }
    // The comments of every item that covers the byte, joined by new lines.
    QString comments(qint64 line, int column) const;

    void setLineWidth(quint8 width);
    void metadata(qint64 begin, qint64 end, const QColor& fgcolor, const QColor& bgcolor,
                  const QString& comment);
    void metadata(qint64 line, int start, int length, const QColor& fgcolor, const QColor& bgcolor,
                  const QString& comment);
    void color(qint64 begin, qint64 end, const QColor& fgcolor, const QColor& bgcolor) {
        metadata(begin, end, fgcolor, bgcolor, QString());
    }
    void comment(qint64 begin, qint64 end, const QString& text) {
        metadata(begin, end, QColor(), QColor(), text);
    }
    void clear();

signals:
    void metadataChanged(qint64 line);
    void metadataCleared();

private:
    void addToLines(const HexMetadataAbsoluteItem& item);

    quint8 lineWidth = 16;
    QList<HexMetadataAbsoluteItem> items;
    QHash<qint64, QList<HexMetadataItem>> lines;
};
