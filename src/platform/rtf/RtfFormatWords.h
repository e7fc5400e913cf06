#pragma once

class QTextBlockFormat;
class QTextCharFormat;
class RtfColorTable;
class RtfFontTable;
class RtfOutput;

// The control words of character and paragraph formats. Each writes the whole format, never a
// difference from the previous one, so that every run and paragraph reads the same on its own.
struct RtfCharDefaults
{
    double pointSize = 12;   // for runs whose format sets no size
};

void writeRtfCharFormat(const QTextCharFormat &format, const RtfCharDefaults &defaults,
                        RtfFontTable &fonts, RtfColorTable &colors, RtfOutput &out);

// Starts with \pard; `indentWidth` is the document's width of one indent level, in pixels.
void writeRtfParagraphFormat(const QTextBlockFormat &format, double indentWidth, RtfOutput &out);
