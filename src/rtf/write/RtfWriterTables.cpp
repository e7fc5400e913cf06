#include "rtf/write/RtfWriterTables.h"

#include "rtf/CodePages.h"
#include "rtf/SymbolFonts.h"
#include "rtf/write/RtfOutput.h"

#include <array>

namespace {

// A font's family class and character set, for readers that have to substitute a font they
// lack: the class picks a look-alike, and a symbol font must not be mapped to letters.
struct FontClass
{
    const char *family;
    int charset;
};

FontClass classify(const QString &family)
{
    if (SymbolFonts::isSymbolFamily(family))
        return {"ftech", 2};
    const QString name = family.toLower();
    static const std::array<std::pair<const char *, FontClass>, 17> known{{
        {"courier", {"fmodern", 0}},
        {"mono", {"fmodern", 0}},
        {"consolas", {"fmodern", 0}},
        {"lucida console", {"fmodern", 0}},
        {"fixed", {"fmodern", 0}},
        {"comic", {"fscript", 0}},
        {"script", {"fscript", 0}},
        {"sans", {"fswiss", 0}},
        {"arial", {"fswiss", 0}},
        {"helvetica", {"fswiss", 0}},
        {"verdana", {"fswiss", 0}},
        {"tahoma", {"fswiss", 0}},
        {"calibri", {"fswiss", 0}},
        {"segoe", {"fswiss", 0}},
        {"serif", {"froman", 0}},
        {"times", {"froman", 0}},
        {"georgia", {"froman", 0}},
    }};
    for (const auto &[part, fontClass] : known) {
        if (name.contains(QLatin1String(part)))
            return fontClass;
    }
    return {"fnil", 0};
}

} // namespace

RtfFontTable::RtfFontTable(const QString &defaultFamily)
{
    indexOf(defaultFamily);
}

int RtfFontTable::indexOf(const QString &family)
{
    const auto found = m_indexes.constFind(family);
    if (found != m_indexes.constEnd())
        return *found;
    // a kept group's font of this family may already be what this font is written as
    const int charset = m_declaredCharsets.value(family, classify(family).charset);
    for (auto kept = m_keptFonts.constBegin(); kept != m_keptFonts.constEnd(); ++kept) {
        if (m_families[kept.key()] == family && kept->charset == charset) {
            m_indexes.insert(family, kept.key());
            return kept.key();
        }
    }
    const int index = int(m_families.size());
    m_families.append(family);
    m_indexes.insert(family, index);
    return index;
}

int RtfFontTable::indexOf(const QString &family, int charset, const QByteArray &familyClass)
{
    if (charset < 0)
        charset = classify(family).charset;
    for (int i = 0; i < m_families.size(); ++i) {
        if (m_families[i] == family && charsetOf(i) == charset)
            return i;
    }
    const int index = int(m_families.size());
    m_families.append(family);
    m_keptFonts.insert(index, {charset, familyClass});
    return index;
}

int RtfFontTable::lettersIndexOf(const QString &family)
{
    const int index = indexOf(family);
    if (SymbolFonts::mapOf(family, charsetOf(index)) == SymbolFonts::Map::None)
        return index;
    return indexOf(family, 0, {});
}

int RtfFontTable::charsetOf(int index) const
{
    const auto kept = m_keptFonts.constFind(index);
    if (kept != m_keptFonts.constEnd())
        return kept->charset;
    return m_declaredCharsets.value(m_families[index], classify(m_families[index]).charset);
}

RtfOutput::AsciiSet RtfFontTable::asciiReadOtherwise(int index)
{
    const auto known = m_asciiReadOtherwise.constFind(index);
    if (known != m_asciiReadOtherwise.constEnd())
        return *known;
    RtfOutput::AsciiSet set = codePageReadsOtherwise(index);
    const SymbolFonts::Map symbols = SymbolFonts::mapOf(m_families[index], charsetOf(index));
    for (char16_t c = 0x20; c < 0x7f; ++c) {
        if (SymbolFonts::characterAt(uchar(c), symbols))
            set[c] = true;
    }
    m_asciiReadOtherwise.insert(index, set);
    return set;
}

RtfOutput::AsciiSet RtfFontTable::codePageReadsOtherwise(int index) const
{
    // The character set's code page decides; one that names none is read in the file's, which
    // is 1252 or, where kept groups are written, theirs.
    int codePage = CodePages::codePageForCharset(charsetOf(index));
    if (codePage <= 0 || !CodePages::isSupported(codePage))
        codePage = m_keptCodePage;
    if (codePage == 1252 || !CodePages::isSupported(codePage))
        return {};
    // a file has many fonts and few code pages
    const auto known = m_codePageReadsOtherwise.constFind(codePage);
    if (known != m_codePageReadsOtherwise.constEnd())
        return *known;
    RtfOutput::AsciiSet set;
    for (char16_t c = 0x20; c < 0x7f; ++c) {
        const char byte = char(c);
        set[c] = CodePages::toUnicode(QByteArrayView(&byte, 1), codePage) != QString(QChar(c));
    }
    m_codePageReadsOtherwise.insert(codePage, set);
    return set;
}

void RtfFontTable::write(RtfOutput &out) const
{
    out.raw("{\\fonttbl");
    for (int i = 0; i < m_families.size(); ++i) {
        const auto kept = m_keptFonts.constFind(i);
        out.raw("{");
        out.controlWord("f", i);
        const QByteArray declared = m_declaredClasses.value(m_families[i]);
        if (kept != m_keptFonts.constEnd() && !kept->familyClass.isEmpty())
            out.controlWord(kept->familyClass.constData());
        else if (!declared.isEmpty())
            out.controlWord(declared.constData());
        else
            out.controlWord(classify(m_families[i]).family);
        out.controlWord("fcharset", charsetOf(i));
        if (const auto pitch = m_declaredPitches.constFind(m_families[i]); pitch != m_declaredPitches.constEnd())
            out.controlWord("fprq", *pitch);
        out.fontName(m_families[i], codePageReadsOtherwise(i));   // names are never symbols
        out.raw(";}");
    }
    out.raw("}\r\n");
}

int RtfColorTable::indexOf(QColor color)
{
    const QRgb rgb = color.rgb() & RGB_MASK;
    const auto found = m_indexes.constFind(rgb);
    if (found != m_indexes.constEnd())
        return *found;
    m_colors.append(rgb);
    const int index = int(m_colors.size());
    m_indexes.insert(rgb, index);
    return index;
}

void RtfColorTable::write(RtfOutput &out) const
{
    out.raw("{\\colortbl;");
    for (QRgb rgb : m_colors) {
        out.controlWord("red", qRed(rgb));
        out.controlWord("green", qGreen(rgb));
        out.controlWord("blue", qBlue(rgb));
        out.raw(";");
    }
    out.raw("}\r\n");
}
