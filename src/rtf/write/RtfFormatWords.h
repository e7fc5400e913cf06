#pragma once

class QFont;
class QTextBlockFormat;
class QTextCharFormat;
class RtfColorTable;
class RtfFontTable;
class RtfOutput;

// The control words of character and paragraph formats. Each writes the whole format, never a
// difference from the previous one, so that every run and paragraph reads the same on its own.

// A run is written as it is shown: what its format leaves unset (font, size, bold, italic,
// underline, strike-out), the document's default font supplies, as it does on the screen. A
// colour left unset is the automatic one, which readers take for the default. Gives the
// number of the font the run is written in.
int writeRtfCharFormat(const QTextCharFormat &format, const QFont &defaultFont,
                        RtfFontTable &fonts, RtfColorTable &colors, RtfOutput &out);

// Starts with \pard; `indentWidth` is the document's width of one indent level, in pixels.
void writeRtfParagraphFormat(const QTextBlockFormat &format, double indentWidth, RtfOutput &out);
