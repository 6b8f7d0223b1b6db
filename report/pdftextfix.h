// Corrects what a PDF reader extracts from Qt's PDFs for Chinese text: Qt names each glyph in
// the text map after the lowest code point that shows it, and in CJK fonts a radical such as
// ⼯ (U+2F2F) or ⻚ (U+2EDA) shares its glyph with the ideograph 工 or 页, so "工位" and
// "第 1 页" would be copied and searched as radicals.
#pragma once

#include <QByteArray>
#include <QHash>

class PdfTextFix {
public:
    // Radical code point -> the ideograph a CJK font draws with the same glyph.
    static const QHash<ushort, ushort>& radicalIdeographs();
    // Rewrites the text maps' radicals to their ideographs in place; the file keeps its length,
    // so its offsets stay valid. Returns the number of codes rewritten.
    static int apply(QByteArray& pdf);
    // The same on the text map between the offsets from and to.
    static int applyToMap(QByteArray& pdf, int from, int to);
};
