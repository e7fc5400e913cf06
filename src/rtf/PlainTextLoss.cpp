#include "rtf/PlainTextLoss.h"

#include "rtf/KeptRtfParts.h"

#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

namespace {

// What a run shows, with the document's default font filling in what the run does not set.
bool charFormatIsPlain(const QTextCharFormat &format, const QFont &defaultFont)
{
    if (format.isImageFormat() || format.objectType() != QTextFormat::NoObject || format.isAnchor())
        return false;
    const QFont shown = format.font().resolve(defaultFont);
    if (shown.family() != defaultFont.family() || shown.pointSizeF() != defaultFont.pointSizeF()
        || shown.bold() != defaultFont.bold() || shown.italic() != defaultFont.italic()
        || shown.underline() != defaultFont.underline() || shown.strikeOut() != defaultFont.strikeOut())
        return false;
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush
        && format.foreground().color() != QColor(Qt::black))
        return false;
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        return false;
    if (format.verticalAlignment() != QTextCharFormat::AlignNormal)
        return false;
    // Footnotes and comments ride on the character they follow.
    return !format.hasProperty(AnchoredGroups::after) && !format.hasProperty(AnchoredGroups::before);
}

bool blockFormatIsPlain(const QTextBlockFormat &format)
{
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    const bool leftAligned = !format.hasProperty(QTextFormat::BlockAlignment) || horizontal == Qt::AlignLeft
                             || horizontal == Qt::AlignLeading;
    return leftAligned && format.indent() == 0 && format.textIndent() == 0 && format.leftMargin() == 0
           && format.rightMargin() == 0 && format.topMargin() == 0 && format.bottomMargin() == 0
           && format.lineHeightType() == QTextBlockFormat::SingleHeight && format.tabPositions().isEmpty()
           && !format.hasProperty(QTextFormat::BackgroundBrush) && !format.hasProperty(QTextFormat::PageBreakPolicy);
}

} // namespace

bool plainTextLosesContent(const QTextDocument &document)
{
    if (!document.rootFrame()->childFrames().isEmpty())
        return true; // a table, or a frame of its own
    const KeptRtfParts kept = keptRtfParts(document);
    if (!kept.documentGroups.isEmpty() || !kept.laterSectionGroups.isEmpty())
        return true;
    const QFont defaultFont = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.textList() || !blockFormatIsPlain(block.blockFormat()))
            return true;
        // An empty paragraph shows its format only once text is typed into it.
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (!charFormatIsPlain(it.fragment().charFormat(), defaultFont))
                return true;
    }
    return false;
}
