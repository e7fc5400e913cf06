// Placing a list paragraph's marker, on its own: the marker stored in the text so far and the
// paragraph's list as inputs; the item it becomes, the text taken out and where the groups
// kept after the marker go as outputs.
#include "rtf/lists/RtfListItems.h"
#include "rtf/read/RtfListMarkerPlacing.h"

#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Item = RtfListPlacement::Item;
using Source = RtfParagraphList::Source;

// A marker stored at 10 of the text, with groups kept right after it.
RtfStoredMarker stored(const QString &text, bool first = true)
{
    const int end = 10 + int(text.size());
    return {10, end, text, first, end, false};
}

const RtfStoredMarker levelDrawn{-1, -1, {}, false, -1, true};
const RtfStoredMarker noMarker{};
const QString overlong = QString(256, u'7') + u'.';
// Windows' private-use codes of symbol fonts: the Symbol font's bullet, and its "A"
const QString symbolBullet = QStringLiteral("\uF0B7\t");
const QString symbolLetter = QStringLiteral("\uF041\t");

RtfParagraphList levelList(std::optional<RtfListStyle> defined)
{
    return {Source::Level, 1, 0, 0, std::move(defined), RtfLevelDefinition{QStringLiteral("\x00."), 0, 1}, 720, -360};
}

const RtfListStyle decimal{QTextListFormat::ListDecimal, {}, QStringLiteral(".")};
const RtfParagraphList decimalLevel = levelList(decimal);
const RtfParagraphList bulletLevel = levelList(RtfListStyle{QTextListFormat::ListSquare, {}, {}});
const RtfParagraphList undrawnLevel = levelList(std::nullopt);   // "1.1.": no list style draws it
const RtfParagraphList numbering{Source::Numbering, -1, 0, 0, RtfListStyle{QTextListFormat::ListDecimal, {}, QStringLiteral(")")},
                                 std::nullopt, 720, -360};
const RtfParagraphList continuation{Source::NumberingContinuation, -1, 0, 0, std::nullopt, std::nullopt, 720, -360};
const RtfParagraphList noList{};

struct PlacingCase
{
    const char *name;
    RtfStoredMarker marker;
    RtfParagraphList paragraph;
    int itemsBefore;   // items of the level's own marker placed in the same list first
    QString item;      // "none", "drawn " and the list's marker for 1, or "marked " and the text
    int removedFrom, removedTo;
    int groupsBefore;
};

void PrintTo(const PlacingCase &c, std::ostream *out) { *out << c.name; }

const PlacingCase placingCases[] = {
    {"a paragraph of no list keeps its marker and the groups after it",
     stored("1.\t"), noList, 0, "none", -1, -1, 13},
    {"a written number its list draws is taken out, groups going with the text after it",
     stored("1.\t"), decimalLevel, 0, "drawn 1.", 10, 13, -1},
    {"a number taken out after other text leaves the groups after that text",
     stored("1.\t", false), decimalLevel, 0, "drawn 1.", 10, 13, 10},
    {"the level's own marker drawn by the list", levelDrawn, decimalLevel, 0, "drawn 1.", -1, -1, -1},
    {"a level list paragraph whose marker is neither written nor drawn is no item",
     noMarker, decimalLevel, 0, "none", -1, -1, -1},
    {"a written marker decides the style", stored("a)\t"), decimalLevel, 0, "drawn a)", 10, 13, -1},
    {"a symbol font's private-use bullet is its bullet level's bullet",
     stored(symbolBullet), bulletLevel, 0, "drawn bullet", 10, 12, -1},
    {"a symbol font's private-use bullet in a numbered level is the Symbol font's bullet",
     stored(symbolBullet), decimalLevel, 0, "drawn bullet", 10, 12, -1},
    {"a symbol font's private-use letter is no marker a list draws",
     stored(symbolLetter), decimalLevel, 0, "marked " + symbolLetter, -1, -1, -1},
    {"a blank written marker leaves the level's style", stored("\t"), decimalLevel, 0, "drawn 1.", 10, 11, -1},
    {"a written number that goes on with the list", stored("2.\t"), decimalLevel, 1, "drawn 1.", 10, 13, -1},
    {"a written number no list shows there stays text in an item that draws none",
     stored("5.\t"), decimalLevel, 0, "marked 5.\t", -1, -1, -1},
    {"a written number no list shows, after other text, stays ordinary text",
     stored("5.\t", false), decimalLevel, 0, "none", -1, -1, 13},
    {"a written marker of a level no style draws stays text in an item that draws none",
     stored("1.2.\t"), undrawnLevel, 0, "marked 1.2.\t", -1, -1, -1},
    {"a blank written marker of a level no style draws is no item",
     stored("\t"), undrawnLevel, 0, "none", -1, -1, 11},
    {"a written marker no style draws, without a list level, stays ordinary text",
     stored("-\t"), numbering, 0, "none", -1, -1, 12},
    {"older numbering draws its own style where none is written", noMarker, numbering, 0, "drawn 1)", -1, -1, -1},
    {"an overlong marker gives way to the level's own",
     stored(overlong, false), decimalLevel, 0, "drawn 1.", 10, 267, 10},
    {"an overlong marker of a level no style draws is taken out all the same",
     stored(overlong), undrawnLevel, 0, "none", 10, 267, -1},
    {"an overlong marker of a paragraph of an item is taken out, no item",
     stored(overlong), continuation, 0, "none", 10, 267, -1},
    {"an overlong marker outside any list stays", stored(overlong), noList, 0, "none", -1, -1, 267},
};

// What the placing made of the paragraph, as the table says it.
QString itemOf(const RtfListPlacement &placement, const QTextDocument &document)
{
    if (placement.item == Item::None)
        return placement.list < 0 ? QStringLiteral("none") : QStringLiteral("none, yet a list");
    const auto *list = qobject_cast<QTextList *>(document.object(placement.list));
    if (!list)
        return QStringLiteral("no such list");
    if (placement.item == Item::Marked)
        return QStringLiteral("marked ") + placement.marker;
    const RtfListStyle style = RtfListStyle::of(list->format());
    return QStringLiteral("drawn ")
        + (style.isBullet() ? QStringLiteral("bullet") : style.prefix + RtfListStyle::numberText(1, style.style) + style.suffix);
}

class RtfListMarkerPlacingCases : public ::testing::TestWithParam<PlacingCase>
{
};

TEST_P(RtfListMarkerPlacingCases, PlacesTheParagraphAndItsMarker)
{
    const PlacingCase &c = GetParam();
    QTextDocument document;
    RtfListItems items(document);
    RtfListMarkerPlacing placing(items, 40);
    for (int i = 0; i < c.itemsBefore; ++i)
        ASSERT_EQ(placing.place(levelDrawn, c.paragraph).item, Item::Drawn);
    const RtfListPlacement placement = placing.place(c.marker, c.paragraph);
    EXPECT_EQ(itemOf(placement, document).toStdString(), c.item.toStdString());
    EXPECT_EQ(placement.removedFrom, c.removedFrom);
    EXPECT_EQ(placement.removedTo, c.removedTo);
    EXPECT_EQ(placement.groupsBefore, c.groupsBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, RtfListMarkerPlacingCases, ::testing::ValuesIn(placingCases));

// A drawn item's list holds its marker in the list's indent: the paragraph keeps what its own
// indent adds, and remembers the indents it was read with.
TEST(RtfListMarkerPlacingFormat, ADrawnItemKeepsWhatItsIndentAddsToItsLists)
{
    QTextDocument document;
    RtfListItems items(document);
    RtfListMarkerPlacing placing(items, 40);
    RtfParagraphList paragraph = decimalLevel;
    paragraph.listLevel = paragraph.level = 1;
    paragraph.leftIndent = 1500;   // 100 pixels, 20 beyond the second level's 80
    QTextBlockFormat format;
    format.setTextIndent(-24);
    placing.place(levelDrawn, paragraph).applyTo(format);
    EXPECT_GE(format.objectIndex(), 0);
    EXPECT_EQ(format.leftMargin(), 20);
    EXPECT_FALSE(format.hasProperty(QTextFormat::TextIndent));
    EXPECT_EQ(format.doubleProperty(RtfListProperties::leftIndent), 100);
    EXPECT_EQ(format.doubleProperty(RtfListProperties::firstIndent), -24);
    EXPECT_EQ(format.doubleProperty(RtfListProperties::textStart), 100);
}

// A marked item's list draws nothing and keeps its level's definition; its paragraph keeps
// the marker it shows as text.
TEST(RtfListMarkerPlacingFormat, AMarkedItemsListKeepsItsLevelsDefinition)
{
    QTextDocument document;
    RtfListItems items(document);
    RtfListMarkerPlacing placing(items, 40);
    QTextBlockFormat format;
    placing.place(stored("5.\t"), decimalLevel).applyTo(format);
    EXPECT_EQ(format.stringProperty(RtfListProperties::marker), QStringLiteral("5.\t"));
    const auto *list = qobject_cast<QTextList *>(document.object(format.objectIndex()));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->format().style(), QTextListFormat::ListStyleUndefined);
    EXPECT_EQ(list->format().indent(), 0);
    EXPECT_EQ(list->format().stringProperty(RtfListProperties::levelText), QStringLiteral("\x00."));
    EXPECT_EQ(list->format().intProperty(RtfListProperties::startAt), 1);
}

} // namespace
