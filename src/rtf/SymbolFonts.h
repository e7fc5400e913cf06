#pragma once

#include <QString>

// Symbol fonts draw their own glyphs at byte positions rather than letters: Wingdings shows a
// black circle at "l". The reader shows the bullets such fonts draw as the Unicode characters
// they look like, and the writer writes the fonts and their text so that they read back so.
namespace SymbolFonts {

// How a font's bytes are read: as letters, or as the symbols of one of these fonts.
enum class Map { None, Symbol, Wingdings, OpenSymbol };

// Whether a family is one of the symbol fonts that Windows draws by byte, whatever character
// set a file gives it ("Wingdings", "Symbol", "Webdings").
bool isSymbolFamily(const QString &family);

// How the text of a font of this family and character set (\fcharset; -1 when the file
// declares none, and its name decides) is read.
Map mapOf(const QString &family, int charset);

// The Unicode character a symbol font shows at a byte, or 0 where its text keeps the byte's
// own character.
char16_t characterAt(unsigned char byte, Map map);

} // namespace SymbolFonts
