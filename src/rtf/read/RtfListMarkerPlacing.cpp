#include "rtf/read/RtfListMarkerPlacing.h"

#include "rtf/SymbolFonts.h"
#include "rtf/lists/RtfListItems.h"

#include <QTextList>

#include <algorithm>

namespace {

constexpr double twipsPerPixel = 15.0;

// The lists of items whose markers are text draw none.
const RtfListStyle markedStyle{QTextListFormat::ListStyleUndefined, {}, {}};

// A written marker as a list draws it. Word writes a symbol font's bullet as the private-use
// code Windows gives that font's character (U+F0B7 is the Symbol font's bullet), even in a
// marker of an ordinary font, where it would show as an empty box: it is the bullet its level
// draws, or else the one the Symbol font draws there, as Word's bullets are.
std::optional<RtfListMarker> parseWritten(const QString &text, const std::optional<RtfListStyle> &defined)
{
    if (auto parsed = RtfListMarker::parse(text, defined))
        return parsed;
    const QString shown = text.trimmed();
    if (shown.size() != 1 || shown[0].unicode() < 0xF020 || shown[0].unicode() > 0xF0FF)
        return std::nullopt;
    if (defined && defined->isBullet())
        return RtfListMarker{*defined, 0};
    const char16_t symbol = SymbolFonts::characterAt(uchar(shown[0].unicode() & 0xFF), SymbolFonts::Map::Symbol);
    return symbol ? RtfListMarker::parse(QString(QChar(symbol)), defined) : std::nullopt;
}

} // namespace

void RtfListPlacement::applyTo(QTextBlockFormat &format) const
{
    if (item == Item::None)
        return;
    format.setObjectIndex(list);
    if (item == Item::Marked) {
        format.setProperty(RtfListProperties::marker, marker);
        return;
    }
    format.setLeftMargin(leftMargin);
    format.clearProperty(QTextFormat::TextIndent);
    format.setProperty(RtfListProperties::leftIndent, leftIndent);
    format.setProperty(RtfListProperties::firstIndent, firstIndent);
    format.setProperty(RtfListProperties::textStart, textStart);
}

RtfListPlacement RtfListMarkerPlacing::place(const RtfStoredMarker &marker, const RtfParagraphList &paragraph)
{
    using Source = RtfParagraphList::Source;
    RtfListPlacement placement;
    const bool overlong = marker.isStored() && marker.text.size() > maxStoredMarkerLength;
    if (overlong && paragraph.source != Source::None) {
        placement.removedFrom = marker.start;
        placement.removedTo = marker.end;
    }
    if (paragraph.source == Source::Level || paragraph.source == Source::Numbering)
        placeItem(placement, marker, paragraph);
    // Groups kept right after the marker went with the text after it, in case the list draws the
    // marker in its place, or writes it as its item's marker. A marker that stays ordinary text
    // keeps them after itself, where the file Save As writes has them; one removed after other
    // text leaves them after that text.
    const bool removed = placement.removedFrom >= 0;
    if (marker.groupsAfter >= 0 && !removed && placement.item != RtfListPlacement::Item::Marked)
        placement.groupsBefore = marker.groupsAfter;
    else if (marker.groupsAfter >= 0 && removed && !marker.first)
        placement.groupsBefore = marker.start;
    return placement;
}

void RtfListMarkerPlacing::placeItem(RtfListPlacement &placement, const RtfStoredMarker &marker,
                                     const RtfParagraphList &paragraph)
{
    const bool byLevel = paragraph.source == RtfParagraphList::Source::Level;
    const bool overlong = marker.isStored() && marker.text.size() > maxStoredMarkerLength;
    const bool written = marker.isStored() && !overlong;
    const bool levelDrawn = marker.levelDrawn || overlong;
    const QString writtenText = written ? marker.text : QString();
    // A marker stays text where it is; only one that begins its paragraph marks it as an item.
    const bool markerFirst = written && marker.first;

    RtfListStyle style;
    std::optional<int> number;
    // A written marker that says nothing a list shows (blank, or only tabs) leaves the
    // paragraph to its level's own numbering, as word processors that ignore \listtext do.
    const auto parsed = written ? parseWritten(writtenText, paragraph.defined) : std::nullopt;
    if (parsed) {
        style = parsed->style;
        if (!style.isBullet())
            number = parsed->number;
    } else if (written && paragraph.defined && writtenText.trimmed().isEmpty()) {
        style = *paragraph.defined;
    } else if (written) {
        if (markerFirst)
            placeAsMarkedItem(placement, paragraph, writtenText);
        return;
    } else if (paragraph.defined && (levelDrawn || !byLevel)) {
        style = *paragraph.defined;
    } else {
        return;
    }
    QTextList *list = m_items.join(byLevel ? paragraph.family : -1, paragraph.level, style, number);
    if (!list) {
        if (byLevel && !levelDrawn && markerFirst)
            placeAsMarkedItem(placement, paragraph, writtenText);
        return;
    }
    if (written) {
        placement.removedFrom = marker.start;
        placement.removedTo = marker.end;
    }
    placement.item = RtfListPlacement::Item::Drawn;
    placement.list = list->objectIndex();
    // The list's indent holds the marker; the paragraph keeps what its own indent adds.
    const double listIndent = (paragraph.level + 1) * m_indentWidth;
    placement.leftMargin = std::max(paragraph.leftIndent / twipsPerPixel - listIndent, 0.0);
    placement.leftIndent = paragraph.leftIndent / twipsPerPixel;
    placement.firstIndent = paragraph.firstIndent / twipsPerPixel;
    placement.textStart = placement.leftMargin + listIndent;
}

// The marker stays text at the paragraph's start, and the paragraph is an item of a list that
// draws no marker of its own: its level's own definition is what Save As writes for it.
void RtfListMarkerPlacing::placeAsMarkedItem(RtfListPlacement &placement, const RtfParagraphList &paragraph,
                                             const QString &marker)
{
    if (marker.trimmed().isEmpty() || !paragraph.levelDefinition
        || !m_items.accepts(paragraph.family, paragraph.listLevel, markedStyle))
        return;
    QTextList *list = m_items.join(paragraph.family, paragraph.listLevel, markedStyle, std::nullopt);
    if (!list)
        return;
    QTextListFormat listFormat = list->format();
    if (!listFormat.hasProperty(RtfListProperties::levelText)) {
        // the paragraph's own indents place the marker and the text, as they did as text
        listFormat.setIndent(0);
        listFormat.setProperty(RtfListProperties::levelText, paragraph.levelDefinition->text);
        listFormat.setProperty(RtfListProperties::numberFormat, paragraph.levelDefinition->numberFormat);
        listFormat.setProperty(RtfListProperties::startAt, paragraph.levelDefinition->startAt);
        list->setFormat(listFormat);
    }
    placement.item = RtfListPlacement::Item::Marked;
    placement.list = list->objectIndex();
    placement.marker = marker;
}
