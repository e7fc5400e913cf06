#include "rtf/write/RtfFormatWords.h"

#include "rtf/KeptRtfParts.h"
#include "rtf/RtfRevisions.h"

#include "rtf/write/RtfOutput.h"
#include "rtf/write/RtfWriterUnits.h"
#include "rtf/write/RtfWriterTables.h"

#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <cmath>

namespace {

QString familyOf(const QTextCharFormat &format, const QFont &defaultFont)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    const QString family = format.stringProperty(QTextFormat::FontFamily);
    return family.isEmpty() ? defaultFont.family() : family;
}

double pointSizeOf(const QTextCharFormat &format, const QFont &defaultFont)
{
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        return format.fontPointSize();
    if (format.hasProperty(QTextFormat::FontPixelSize) && format.intProperty(QTextFormat::FontPixelSize) > 0)
        return format.intProperty(QTextFormat::FontPixelSize) * 0.75;   // 96 pixels an inch
    if (defaultFont.pointSizeF() > 0)
        return defaultFont.pointSizeF();
    if (defaultFont.pixelSize() > 0)
        return defaultFont.pixelSize() * 0.75;
    return 12;
}

bool isBold(const QTextCharFormat &format, const QFont &defaultFont)
{
    const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() : defaultFont.weight();
    return weight >= QFont::DemiBold;
}

const char *underlineWord(const QTextCharFormat &format, const QFont &defaultFont)
{
    if (!format.hasProperty(QTextFormat::TextUnderlineStyle) && !format.hasProperty(QTextFormat::FontUnderline))
        return defaultFont.underline() ? "ul" : nullptr;
    switch (format.underlineStyle()) {
    case QTextCharFormat::NoUnderline: return format.fontUnderline() ? "ul" : nullptr;
    case QTextCharFormat::SingleUnderline: return "ul";
    case QTextCharFormat::DashUnderline: return "uldash";
    case QTextCharFormat::DotLine: return "uld";
    case QTextCharFormat::DashDotLine: return "uldashd";
    case QTextCharFormat::DashDotDotLine: return "uldashdd";
    case QTextCharFormat::WaveUnderline: return "ulwave";
    case QTextCharFormat::SpellCheckUnderline: return nullptr;   // a marking, not a format
    }
    return nullptr;
}

bool hasColor(const QTextFormat &format, QTextFormat::Property property)
{
    return format.hasProperty(property) && format.brushProperty(property).style() != Qt::NoBrush;
}

const char *alignmentWord(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return "qc";
    if (alignment & Qt::AlignJustify)
        return "qj";
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        return "qr";
    return "ql";
}

void writeLength(const char *word, double pixels, RtfOutput &out)
{
    const int twips = RtfWriterUnits::twipsFromPixels(pixels);
    if (twips != 0)
        out.controlWord(word, twips);
}

void writeLineHeight(const QTextBlockFormat &format, RtfOutput &out)
{
    const double height = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (height > 0 && height != 100) {
            out.controlWord("sl", int(std::lround(240 * height / 100)));
            out.controlWord("slmult", 1);
        }
        break;
    // \pard has already said \slmult0: files with the spacing on every paragraph stay their size
    case QTextBlockFormat::FixedHeight:
        out.controlWord("sl", -RtfWriterUnits::twipsFromPixels(height));
        break;
    case QTextBlockFormat::MinimumHeight:
        out.controlWord("sl", RtfWriterUnits::twipsFromPixels(height));
        break;
    default:
        break;
    }
}

void writeTabStops(const QTextBlockFormat &format, RtfOutput &out)
{
    for (const QTextOption::Tab &tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            out.controlWord("tqr");
        else if (tab.type == QTextOption::CenterTab)
            out.controlWord("tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            out.controlWord("tqdec");
        out.controlWord("tx", RtfWriterUnits::twipsFromPixels(tab.position));
    }
}

// A tracked change: the text's own look, then the change with its author and time.
void writeRevision(const QTextCharFormat &format, RtfOutput &out)
{
    if (format.hasProperty(RtfRevision::insertedBy)) {
        out.controlWord("revised");
        out.controlWord("revauth", format.intProperty(RtfRevision::insertedBy));
        out.controlWord("revdttm", format.intProperty(RtfRevision::insertedAt));
    }
    if (format.hasProperty(RtfRevision::deletedBy)) {
        out.controlWord("deleted");
        out.controlWord("revauthdel", format.intProperty(RtfRevision::deletedBy));
        out.controlWord("revdttmdel", format.intProperty(RtfRevision::deletedAt));
    }
}

} // namespace

int writeRtfCharFormat(const QTextCharFormat &format, const QFont &defaultFont,
                        RtfFontTable &fonts, RtfColorTable &colors, RtfOutput &out)
{
    if (RtfRevision::isRevision(format)) {
        const int font = writeRtfCharFormat(RtfRevision::withoutRevision(format), defaultFont, fonts, colors, out);
        writeRevision(format, out);
        return font;
    }
    const QString family = familyOf(format, defaultFont);
    int font = 0;
    if (!family.isEmpty()) {
        const bool ownCharset = format.hasProperty(DeclaredFontCharset::charset)
            && format.stringProperty(DeclaredFontCharset::family) == family;
        font = ownCharset ? fonts.indexOf(family, format.intProperty(DeclaredFontCharset::charset), QByteArray())
                          : fonts.indexOf(family);
    }
    out.controlWord("f", font);
    out.controlWord("fs", int(std::lround(pointSizeOf(format, defaultFont) * 2)));
    if (isBold(format, defaultFont))
        out.controlWord("b");
    if (format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic())
        out.controlWord("i");
    if (const char *underline = underlineWord(format, defaultFont))
        out.controlWord(underline);
    if (format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : defaultFont.strikeOut())
        out.controlWord("strike");
    const QFont::Capitalization capitals = format.hasProperty(QTextFormat::FontCapitalization)
        ? format.fontCapitalization() : defaultFont.capitalization();
    if (capitals == QFont::AllUppercase)
        out.controlWord("caps");
    else if (capitals == QFont::SmallCaps)
        out.controlWord("scaps");
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out.controlWord("super");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out.controlWord("sub");
    if (hasColor(format, QTextFormat::ForegroundBrush))
        out.controlWord("cf", colors.indexOf(format.foreground().color()));
    if (hasColor(format, QTextFormat::BackgroundBrush))
        out.controlWord("highlight", colors.indexOf(format.background().color()));
    return font;
}

void writeRtfParagraphFormat(const QTextBlockFormat &format, double indentWidth, RtfOutput &out)
{
    out.controlWord("pard");
    if (format.layoutDirection() == Qt::RightToLeft)
        out.controlWord("rtlpar");
    out.controlWord(alignmentWord(format.alignment()));
    writeLength("li", format.leftMargin() + format.indent() * indentWidth, out);
    writeLength("ri", format.rightMargin(), out);
    writeLength("fi", format.textIndent(), out);
    writeLength("sb", format.topMargin(), out);
    writeLength("sa", format.bottomMargin(), out);
    writeLineHeight(format, out);
    writeTabStops(format, out);
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out.controlWord("pagebb");
}
