#pragma once

#include "rtf/lists/RtfListStyle.h"

#include <QString>
#include <QTextBlockFormat>

#include <cstdint>
#include <optional>

class RtfListItems;

// A list paragraph's marker as it stands in the text read so far: the one its file wrote
// (\listtext, \pntext), or the one its list level gave as text. Places are counted as
// RtfDocumentBuilder::position counts them.
struct RtfStoredMarker
{
    int start = -1;
    int end = -1;
    QString text;
    bool first = false;        // it begins its paragraph
    int groupsAfter = -1;      // where groups kept right after it went: the text after it
    bool levelDrawn = false;   // none is stored: the list draws the one its level defines

    bool isStored() const { return start >= 0 && end > start; }
};

// What a list level says of the markers of its items, for an item whose marker stays text:
// characters below U+0009 stand for the levels' numbers.
struct RtfLevelDefinition
{
    QString text;
    int numberFormat = 0;   // \levelnfc
    int startAt = 1;
};

// The list a paragraph belongs to, as its properties and the file's tables resolve it.
struct RtfParagraphList
{
    enum class Source : std::uint8_t {
        None,
        Level,                   // \ls with the list table
        Numbering,               // the older \pn
        NumberingContinuation,   // \pnlvlcont: a paragraph of an item, without a number
    };
    Source source = Source::None;
    int family = -1;       // \ls as the paragraph says
    int listLevel = 0;     // \ilvl
    int level = 0;         // the level its item is drawn at: \ilvl, or \pnlvlN less one
    // The style its level or numbering defines, where a list style draws it.
    std::optional<RtfListStyle> defined;
    // The level of its \ls, where the list table has that list.
    std::optional<RtfLevelDefinition> levelDefinition;
    int leftIndent = 0;    // \li and \fi, in twips
    int firstIndent = 0;
};

// What placing a paragraph in its list does: the format its paragraph takes, the text taken
// out, and where the groups kept after the marker go.
struct RtfListPlacement
{
    enum class Item : std::uint8_t {
        None,
        Drawn,    // of a list that draws its marker
        Marked,   // of a list that draws none: its marker stays text
    };
    Item item = Item::None;
    int list = -1;   // the list's object index
    // A drawn item: the margin it keeps beside its list's indent, and its own indents as read
    // with the left edge of the text they gave (pixels), written back while the text starts there.
    double leftMargin = 0;
    double leftIndent = 0;
    double firstIndent = 0;
    double textStart = 0;
    QString marker;   // a marked item's marker
    // The stored marker's text, taken out of the paragraph: from `removedFrom` up to `removedTo`.
    int removedFrom = -1;
    int removedTo = -1;
    // After the text is taken out, the groups kept at this place go with the character before
    // it; -1 leaves them where they are.
    int groupsBefore = -1;

    void applyTo(QTextBlockFormat &format) const;
};

// Makes a paragraph an item of its list where a list style draws its marker. A marker the
// file wrote decides the style and number (the list level may say otherwise: the file shows
// what its writer showed); one that no list style draws ("1.2.", "-", a picture) stays text at
// the paragraph's start, in an item of a list that draws none, so that Save As writes it back
// as an item of its list, with the level's own definition.
class RtfListMarkerPlacing
{
public:
    // A stored marker longer than any a list level can hold gives way to its level's own: as
    // one unbreakable word at the item's start, a megabyte takes the layout minutes to break.
    static constexpr qsizetype maxStoredMarkerLength = 255;

    // `indentWidth`: the indent, in pixels, of each level of the document's lists.
    RtfListMarkerPlacing(RtfListItems &items, double indentWidth) : m_items(items), m_indentWidth(indentWidth) {}

    // Joins the list the paragraph's item belongs to, if any, and says what that does to the
    // paragraph. The caller takes the text out, then moves the groups.
    RtfListPlacement place(const RtfStoredMarker &marker, const RtfParagraphList &paragraph);

private:
    void placeItem(RtfListPlacement &placement, const RtfStoredMarker &marker, const RtfParagraphList &paragraph);
    void placeAsMarkedItem(RtfListPlacement &placement, const RtfParagraphList &paragraph, const QString &marker);

    RtfListItems &m_items;
    double m_indentWidth;
};
