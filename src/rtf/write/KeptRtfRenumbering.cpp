#include "rtf/write/KeptRtfRenumbering.h"

#include "rtf/RtfTokenizer.h"
#include "rtf/write/RtfWriterTables.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

enum class Refers { Nothing, Font, Color };

// The words whose number is a font's or a colour's, in a paragraph, a run, a table, a border
// or the old paragraph numbering.
Refers refersTo(QByteArrayView word)
{
    static const std::array<const char *, 3> fontWords{"f", "af", "pnf"};
    static const std::array<const char *, 18> colorWords{
        "cf", "cb", "highlight", "chcbpat", "chcfpat", "cbpat", "cfpat", "brdrcf", "ulc", "pncf",
        "clcbpat", "clcfpat", "clcbpatraw", "clcfpatraw", "trcbpat", "trcfpat", "tscellcbpat",
        "tscellcfpat"};
    for (const char *font : fontWords) {
        if (word == font)
            return Refers::Font;
    }
    for (const char *color : colorWords) {
        if (word == color)
            return Refers::Color;
    }
    return Refers::Nothing;
}

int savedColorIndex(const KeptRtfTables &tables, int number, RtfColorTable &colors)
{
    if (number < 0 || number >= tables.colors.size() || !tables.colors[number].isValid())
        return 0;   // "automatic", in the saved table as in any
    return colors.indexOf(tables.colors[number]);
}

} // namespace

int savedFontIndex(const KeptRtfTables &tables, int number, RtfFontTable &fonts)
{
    auto font = tables.fonts.constFind(number);
    if (font == tables.fonts.constEnd() || font->name.isEmpty())
        font = tables.fonts.constFind(tables.defaultFont);
    if (font == tables.fonts.constEnd() || font->name.isEmpty())
        return -1;
    return fonts.indexOf(font->name, font->charset, font->family);
}

QByteArray renumberKeptGroups(const QByteArray &groups, const KeptRtfTables &tables,
                              RtfFontTable &fonts, RtfColorTable &colors)
{
    if (groups.isEmpty())
        return groups;
    // A number that names nothing (the file had no such entry, or no table at all) names in the
    // saved file what the reader of that file makes of it: the default font, the automatic
    // colour. Left as it was, it would name another entry of the saved file's tables.
    std::optional<int> defaultFont;   // looked up when needed, as it adds a font to the table
    QByteArray out;
    out.reserve(groups.size() + 16);
    qsizetype copied = 0;   // groups[0, copied) is in `out`
    RtfTokenizer tokenizer(groups);
    for (RtfTokenizer::Token token = tokenizer.next(); token.kind != RtfTokenizer::Kind::End;
         token = tokenizer.next()) {
        if (token.kind != RtfTokenizer::Kind::ControlWord)
            continue;
        if (token.text == "bin") {
            tokenizer.takeBinary(token.hasParameter ? token.parameter : 0);   // data, whatever it holds
            continue;
        }
        const Refers refers = refersTo(token.text);
        if (refers == Refers::Nothing || !token.hasParameter)
            continue;
        int saved = refers == Refers::Font ? savedFontIndex(tables, token.parameter, fonts)
                                           : savedColorIndex(tables, token.parameter, colors);
        if (saved < 0) {
            if (!defaultFont)
                defaultFont = std::max(savedFontIndex(tables, tables.defaultFont, fonts), 0);
            saved = *defaultFont;
        }
        // The word's name is a view into `groups`; its number follows it directly.
        const qsizetype numberStart = token.text.data() - groups.constData() + token.text.size();
        qsizetype numberEnd = numberStart;
        if (numberEnd < groups.size() && groups[numberEnd] == '-')
            ++numberEnd;
        while (numberEnd < groups.size() && groups[numberEnd] >= '0' && groups[numberEnd] <= '9')
            ++numberEnd;
        out.append(groups.constData() + copied, numberStart - copied);
        out.append(QByteArray::number(saved));
        copied = numberEnd;
    }
    out.append(groups.constData() + copied, groups.size() - copied);
    return out;
}
