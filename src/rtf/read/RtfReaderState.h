#pragma once

#include <QHashFunctions>

#include <QtGlobal>

#include <cstdint>

// The character properties a group carries; compared to decide where a run of text ends.
struct RtfCharProps
{
    int font = -1;          // index into the font table; -1 is the default font
    int halfPoints = 24;    // \fs: RTF's default is 12 pt
    int foreground = -1;    // index into the colour table; -1 is automatic
    int background = -1;
    int link = -1;          // index of a field's hyperlink target
    int field = -1;         // index of the kept field whose result this is
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    std::uint8_t vertical = 0;   // 0 normal, 1 superscript, 2 subscript
    // Tracked changes: \revised and \deleted, each with its author (\revauth, \revauthdel) and
    // time (\revdttm, \revdttmdel); index 0 the insertion, 1 the deletion
    bool revision[2] = {false, false};
    int revisionAuthor[2] = {0, 0};
    int revisionTime[2] = {0, 0};
    // The fonts of Word's character classes, as they resolve: Latin text of the code page's
    // lower and upper half, double-byte (Chinese, Japanese, Korean) text, right-to-left text.
    // `font` is the one the bytes are decoded in; each character is shown in its class's.
    int classFonts[4] = {-1, -1, -1, -1};

    bool operator==(const RtfCharProps &) const = default;
};

inline size_t qHash(const RtfCharProps &p, size_t seed = 0)
{
    return qHashMulti(seed, p.font, p.field, p.classFonts[0], p.classFonts[1], p.classFonts[2], p.classFonts[3],
                      p.halfPoints, p.foreground, p.background, p.link,
                      (p.bold << 0) | (p.italic << 1) | (p.underline << 2) | (p.strike << 3)
                          | (p.hidden << 4) | (p.vertical << 5) | (p.revision[0] << 7) | (p.revision[1] << 8));
}

struct RtfParaProps
{
    int leftIndent = 0;     // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;          // \sl: twips, at least, or exactly when negative; 0 single
    bool lineMultiple = false;    // \slmult1: \sl is in 240ths of a single line instead
    static constexpr int maxLineSpacing = 31680;   // 1584 points, as much as word processors allow
    std::uint8_t alignment = 0;   // 0 left, 1 centre, 2 right, 3 justify
    bool rightToLeft = false;     // \rtlpar
    bool inTable = false;
    std::uint8_t tableLevel = 0;  // \itap: the depth of nested tables the paragraph is in
    int list = -1;                // \ls: the list override the paragraph belongs to; -1 none
    std::uint8_t listLevel = 0;   // \ilvl
    int numbering = -1;           // \pn: the older numbering the paragraph has; -1 none

    bool operator==(const RtfParaProps &) const = default;
};

// Where the text of a group goes.
enum class RtfDestination : std::uint8_t {
    Body,
    Skip,
    FontTable,
    ColorTable,
    Picture,
    FieldInstruction,
    UnicodeAlternative,   // skipped, except for its \ud part
    Object,               // skipped, except for its \result part
    ListTable,            // \listtable and \listoverridetable
    ObjectData,           // an object's data: skipped
    ListLevelText,        // a list level's \leveltext
    ParagraphNumbering,   // \pn: a paragraph's numbering in the older way
    NumberingText,        // \pntxta, \pntxtb: the text after or before its number
    Shape,                // \shpinst: skipped, except for the picture of its pib property
    ShapePropertyName,    // \sn inside \shpinst
    StyleSheet,           // \stylesheet: only the lists of its paragraph styles are read
};

// One entry of the state stack: what a group inherits from its parent and may change.
struct RtfGroupState
{
    RtfCharProps chars;
    RtfParaProps para;
    int unicodeSkip = 1;    // \uc: fallback characters after each \u
    RtfDestination destination = RtfDestination::Body;
    bool ownsDestination = false;   // this group started the destination, its end ends it
    bool fieldGroup = false;        // a \field group: its end ends the field
    std::uint8_t keep = 0;          // 1 a document part, 2 a group anchored in the text
    bool nestedRowDefinition = false;   // in \nesttableprops: row words define a nested row
    qsizetype groupStart = 0;       // where its '{' is in the file
    std::uint64_t outputsAtStart = 0;   // the reader's body outputs when the group began
    // Associated fonts: \loch, \hich and \dbch say which class of characters the text that
    // follows is, and \af (or \f) after one of them names that class's font; \af after
    // \rtlch (until \ltrch) names the font of right-to-left text.
    std::uint8_t charClass = 0;     // 0 none, 1 low ANSI, 2 high ANSI, 3 double-byte
    bool rightToLeftFont = false;   // \rtlch: \af names the right-to-left font
    int plainFont = -1;             // the font \f set
    int classFonts[4] = {-1, -1, -1, -1};   // the three classes' and right-to-left text's

    // Gives the characters their fonts after a font word (RtfReaderFonts.cpp).
    void resolveFonts();

    // The font the text is shown in: its class's font where one was named, else \f's.
    int effectiveFont() const
    {
        return charClass > 0 && classFonts[charClass - 1] >= 0 ? classFonts[charClass - 1] : plainFont;
    }
};
