#include "rtf/SymbolFonts.h"

#include <array>

namespace SymbolFonts {

bool isSymbolFamily(const QString &family)
{
    static const std::array<QLatin1String, 3> names{
        QLatin1String("symbol"), QLatin1String("wingdings"), QLatin1String("webdings")};
    return std::any_of(names.begin(), names.end(),
                       [&family](QLatin1String name) { return family.contains(name, Qt::CaseInsensitive); });
}

Map mapOf(const QString &family, int charset)
{
    // LibreOffice's own symbol font, whatever character set the file gives it
    if (family.compare(QLatin1String("OpenSymbol"), Qt::CaseInsensitive) == 0)
        return Map::OpenSymbol;
    // A font declared without a character set is a symbol font when its name is one's: word
    // processors draw its text as symbols, and Save As declares it so.
    if (charset != 2 && !(charset < 0 && isSymbolFamily(family)))
        return Map::None;
    return family.contains(QLatin1String("Wingdings"), Qt::CaseInsensitive) ? Map::Wingdings : Map::Symbol;
}

// The bullets that lists use are the ones worth showing as their Unicode characters.
char16_t characterAt(unsigned char byte, Map map)
{
    if (map == Map::None)
        return 0;
    if (map == Map::Symbol)
        return byte == 0xB7 ? u'\u2022' : 0;
    if (map == Map::OpenSymbol)
        return byte == 0x96 ? u'\u2022' : 0;
    switch (byte) {
    case 0x6C: return u'\u25CF';
    case 0x6E: return u'\u25A0';
    case 0x71: return u'\u2751';
    case 0x76: return u'\u2756';
    case 0xA7: return u'\u25AA';
    case 0xA8: return u'\u25FB';
    case 0xD8: return u'\u27A2';
    case 0xFC: return u'\u2713';
    default: return 0;
    }
}

} // namespace SymbolFonts
