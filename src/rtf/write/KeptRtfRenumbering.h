#pragma once

#include "rtf/KeptRtfNumbers.h"

#include <QByteArray>

class RtfColorTable;
class RtfFontTable;

// The index in `fonts` of the font that `number` names in `tables`: the file's default font
// for a number the file's table lacks; -1 when the tables say nothing about it.
int savedFontIndex(const KeptRtfTables &tables, int number, RtfFontTable &fonts);

// `groups` with every font and colour number replaced by the number the same font or colour
// has in the saved file's tables, which gain what they lack. Only the number of a control word
// changes: text, \'hh, picture and object data (hex or \bin) and every other word stay byte for
// byte. Style numbers (\s, \cs, ...) stay as they are: the saved file has no style sheet, so a
// reader takes them for the default style, and the groups' own words carry their look. A font
// the file's table lacks becomes the file's default font, a colour it lacks "automatic".
// Without tables (a group kept before they were known) the bytes are returned unchanged.
QByteArray renumberKeptGroups(const QByteArray &groups, const KeptRtfTables &tables,
                              RtfFontTable &fonts, RtfColorTable &colors);
