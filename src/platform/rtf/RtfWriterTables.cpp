#include "platform/rtf/RtfWriterTables.h"

#include "platform/rtf/RtfOutput.h"

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
    const QString name = family.toLower();
    static const std::array<std::pair<const char *, FontClass>, 20> known{{
        {"symbol", {"ftech", 2}},
        {"wingdings", {"ftech", 2}},
        {"webdings", {"ftech", 2}},
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
    const int index = int(m_families.size());
    m_families.append(family);
    m_indexes.insert(family, index);
    return index;
}

void RtfFontTable::write(RtfOutput &out) const
{
    out.raw("{\\fonttbl");
    for (int i = 0; i < m_families.size(); ++i) {
        const FontClass fontClass = classify(m_families[i]);
        out.raw("{");
        out.controlWord("f", i);
        out.controlWord(fontClass.family);
        out.controlWord("fcharset", m_declaredCharsets.value(m_families[i], fontClass.charset));
        out.text(m_families[i]);
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
