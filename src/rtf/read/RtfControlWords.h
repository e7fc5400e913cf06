#pragma once

#include <QByteArrayView>

// What the reader does with each control word it knows: one table from name to action, so
// that adding a word is adding a line.
namespace RtfControlWords {

enum class Action : unsigned char {
    Ignore,
    // destinations
    SkipDestination,    // header, footer, footnote, document information and the like
    FontTable,
    ColorTable,
    Picture,
    Field,              // \field: a group whose result shows, or what its instruction displays
    FieldInstruction,
    FieldResult,
    ShapePicture,       // \shppict: a picture that a \nonshppict repeats for old readers
    NonShapePicture,
    UnicodeAlternative, // \upr: its first part is for readers without Unicode
    UnicodeDestination, // \ud: the Unicode part of \upr
    Object,             // embedded objects: only their \result is shown
    KeptDocumentGroup,  // \info, headers, footers: kept for saving, not shown
    KeptAnchoredGroup,  // footnotes, comments: kept at their place for saving, not shown
    KeptAnchoredWord,   // \chftn, \chatn: the reference mark of a footnote or comment
    KeptDocumentWord,   // \titlepg, \facingp: which of the kept headers a page shows
    SectionWord,        // a section's orientation, page size, columns, kind of break: kept
    ObjectData,         // \objdata: never read
    ObjectResult,
    ShapeInstructions,  // \shpinst: a floating shape's properties, its picture among them
    ShapeResult,        // \shprslt: the shape again, for readers that do not know shapes
    Shape,              // \shp: a text box among shapes is kept at its place for saving
    ListText,           // the number or bullet that the file wrote out for a list paragraph
    NestedTableProperties, // holds a nested row's definition; some writers put cells in it
    ListTable,          // \listtable, \listoverridetable
    ListProperty,       // value: a ListProperty
    ParagraphNumbering, // \pn
    StyleSheet,         // \stylesheet: read for the lists paragraph styles give
    // a picture's words
    PictureType,        // value: an OriginalPicture::Type; the word's parameter goes with it
    PictureProperty,    // value: a PictureProperty
    // document
    CharacterSet,       // \ansi, \mac, \pc, \pca: value is the code page
    AnsiCodePage,
    DefaultFont,
    // font and colour tables
    FontNumber,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // character formatting
    CharacterClass,     // \loch \hich \dbch: value 1, 2, 3
    AssociatedFont,     // \af
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Hidden,
    Revision,           // \revised, \deleted: value 0, 1
    RevisionAuthor,     // \revauth, \revauthdel: value 0, 1
    RevisionTime,       // \revdttm, \revdttmdel: value 0, 1
    FontSize,
    Foreground,
    Background,
    VerticalAlignment,  // value: 0 normal, 1 superscript, 2 subscript
    UnicodeSkipCount,
    Unicode,
    // paragraph formatting
    ParagraphDefault,
    Alignment,          // value: 0 left, 1 centre, 2 right, 3 justify
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineSpacingMultiple,
    InTable,
    ParagraphDirection, // value: 0 left to right (\ltrpar), 1 right to left (\rtlpar)
    // text
    Character,          // value: the character
    Paragraph,
    Cell,
    Row,
    NestedCell,
    NestedRow,
    TableProperty,      // value: a TableProperty
    Binary,
};

// What a picture's size and bitmap words set.
enum PictureProperty : int {
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    PictureCropLeft,
    PictureCropTop,
    PictureCropRight,
    PictureCropBottom,
    PictureBitsPerPixel,
    PicturePlanes,
    PictureWidthBytes,
};

// \loch, \hich and \dbch are character classes 1 to 3; \rtlch and \ltrch say whether \af names
// the font of right-to-left text.
enum CharacterDirection : int { RightToLeftCharacters = 4, LeftToRightCharacters = 5 };

// What ends a paragraph: \par and \page, or \sect, which ends a section too.
enum ParagraphEnd : int { EndsParagraph, EndsSection };

// The words of the list tables, and of a paragraph's place in a list.
enum ListProperty : int {
    ListStart,          // \list
    ListId,
    ListLevel,
    LevelText,
    LevelNumbers,
    ListName,
    LevelFormat,
    LevelStartAt,
    LevelFollow,
    ListOverride,
    ListNumber,         // \ls
    ListLevelNumber,    // \ilvl
    // inside \pn
    NumberingBullet,    // \pnlvlblt
    NumberingBody,      // \pnlvlbody
    NumberingContinue,  // \pnlvlcont: a paragraph inside an item, without a number of its own
    NumberingLevel,     // \pnlvlN
    NumberingDecimal,   // \pndec
    NumberingUpperRoman,
    NumberingLowerRoman,
    NumberingUpperLetter,
    NumberingLowerLetter,
    NumberingOther,     // \pnord, \pncard, ...: counting that no list style draws
    NumberingStart,     // \pnstart
    NumberingFont,      // \pnf
    NumberingTextAfter, // \pntxta
    NumberingTextBefore,
    // a style's number, and the style a style is based on
    ParagraphStyle,     // \s
    OtherStyle,         // \cs, \ds, \ts: a character, section or table style
    StyleBasedOn,       // \sbasedon
};

// The words of a table row's definition, and a paragraph's table nesting level.
enum TableProperty : int {
    RowDefaults,        // \trowd
    RowGap,             // \trgaph
    CellRight,          // \cellx: ends a cell's definition
    CellMergeFirst,     // \clmgf
    CellMerged,         // \clmrg
    CellVerticalMergeFirst,
    CellVerticalMerged,
    CellAlignTop,
    CellAlignCentre,
    CellAlignBottom,
    CellBorderTop,      // \clbrdrt ...: the \brdr words that follow describe that side
    CellBorderLeft,
    CellBorderBottom,
    CellBorderRight,
    OtherBorder,        // a row's, a paragraph's or a character's border
    BorderNone,
    BorderSolid,
    BorderDouble,
    BorderDotted,
    BorderDashed,
    BorderWidth,
    BorderColor,
    CellPatternColor,   // \clcfpat
    CellBackground,     // \clcbpat
    CellShading,        // \clshdng
    NestingLevel,       // \itap
};

struct Entry
{
    Action action = Action::Ignore;
    int value = 0;
};

// The action for a control word's name; unknown words are ignored.
Entry lookup(QByteArrayView name);

} // namespace RtfControlWords
