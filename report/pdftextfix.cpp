#include "pdftextfix.h"

#include <QFont>
#include <QList>
#include <QRawFont>
#include <QString>

namespace {
bool isRadical(uint u) {
    // CJK Radicals Supplement, Kangxi Radicals, CJK Strokes: all below the ideographs.
    return (u >= 0x2E80 && u <= 0x2FDF) || (u >= 0x31C0 && u <= 0x31EF);
}

struct Token {
    int start;  // offset of the hex digits
    int length;
};

QList<Token> hexTokens(const QByteArray& text, int from, int to) {
    QList<Token> tokens;
    int i = from;
    while (i < to) {
        const int open = text.indexOf('<', i);
        if (open < 0 || open >= to)
            break;
        const int close = text.indexOf('>', open);
        if (close < 0 || close >= to)
            break;
        tokens.append({open + 1, close - open - 1});
        i = close + 1;
    }
    return tokens;
}
}  // namespace

const QHash<ushort, ushort>& PdfTextFix::radicalIdeographs() {
    static const QHash<ushort, ushort> table = [] {
        QHash<ushort, ushort> map;
        const QRawFont font = QRawFont::fromFont(QFont(QStringLiteral("Noto Sans CJK SC")));
        if (!font.isValid())
            return map;
        QString ideographs;
        for (uint u = 0x4E00; u <= 0x9FFF; ++u) ideographs += QChar(ushort(u));
        const QList<quint32> glyphs = font.glyphIndexesForString(ideographs);
        QHash<quint32, ushort> byGlyph;
        for (int i = 0; i < glyphs.size(); ++i)
            if (glyphs.at(i) != 0 && !byGlyph.contains(glyphs.at(i)))
                byGlyph.insert(glyphs.at(i), ushort(0x4E00 + i));
        QString radicals;
        for (uint u = 0x2E80; u <= 0x31EF; ++u)
            if (isRadical(u))
                radicals += QChar(ushort(u));
        const QList<quint32> radicalGlyphs = font.glyphIndexesForString(radicals);
        for (int i = 0; i < radicalGlyphs.size(); ++i) {
            const auto it = byGlyph.constFind(radicalGlyphs.at(i));
            if (radicalGlyphs.at(i) != 0 && it != byGlyph.constEnd())
                map.insert(radicals.at(i).unicode(), it.value());
        }
        return map;
    }();
    return table;
}

int PdfTextFix::applyToMap(QByteArray& pdf, int from, int to) {
    const QHash<ushort, ushort>& table = radicalIdeographs();
    int changed = 0;
    auto rewrite = [&](const Token& t) {
        if (t.length != 4)
            return;
        bool ok = false;
        const uint code = pdf.mid(t.start, 4).toUInt(&ok, 16);
        if (!ok || !isRadical(code))
            return;
        const auto it = table.constFind(ushort(code));
        if (it == table.constEnd())
            return;
        pdf.replace(t.start, 4,
                    QByteArray::number(it.value(), 16).toUpper().rightJustified(4, '0'));
        ++changed;
    };
    for (const char* section : {"beginbfrange", "beginbfchar"}) {
        const bool ranges = QByteArray(section) == "beginbfrange";
        int at = pdf.indexOf(section, from);
        while (at >= 0 && at < to) {
            const int end = pdf.indexOf(ranges ? "endbfrange" : "endbfchar", at);
            if (end < 0 || end > to)
                break;
            int line = pdf.indexOf('\n', at) + 1;
            while (line > 0 && line < end) {
                int eol = pdf.indexOf('\n', line);
                if (eol < 0 || eol > end)
                    eol = end;
                const QList<Token> tokens = hexTokens(pdf, line, eol);
                if (!ranges) {
                    // <glyph> <text>
                    if (tokens.size() == 2)
                        rewrite(tokens.at(1));
                } else if (tokens.size() >= 3) {
                    const bool array = pdf.indexOf('[', line) >= 0 && pdf.indexOf('[', line) < eol;
                    if (array) {
                        // <first> <last> [<text> <text> ...]: one text per glyph.
                        for (int i = 2; i < tokens.size(); ++i) rewrite(tokens.at(i));
                    } else if (pdf.mid(tokens.at(0).start, tokens.at(0).length) ==
                               pdf.mid(tokens.at(1).start, tokens.at(1).length)) {
                        // <first> <last> <text>: counts up from text, so only a range of one
                        // glyph can be rewritten.
                        rewrite(tokens.at(2));
                    }
                }
                line = eol + 1;
            }
            at = pdf.indexOf(section, end);
        }
    }
    return changed;
}

int PdfTextFix::apply(QByteArray& pdf) {
    int changed = 0;
    static const QByteArray marker = "/CMapName /Adobe-Identity-UCS def";
    int at = pdf.indexOf(marker);
    while (at >= 0) {
        const int end = pdf.indexOf("endcmap", at);
        if (end < 0)
            break;
        changed += applyToMap(pdf, at, end);
        at = pdf.indexOf(marker, end);
    }
    return changed;
}
