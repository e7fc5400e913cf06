// Which character and paragraph formats the text of a snippet carries. Every run must say
// its family, size, weight, slant, underline and strike-out, so that the editing area's own
// default font never shows through.
#include "RtfReaderTestSupport.h"

#include "rtf/files/DocumentFiles.h"

#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

const QByteArray fonts = "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman{\\*\\panose 02}Times New Roman{\\*\\falt TNR};}"
                         "{\\f2\\fmodern\\fcharset204 Courier New Cyr;}}";
const QByteArray colours = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";

QByteArray rtf(const QByteArray &body) { return "{\\rtf1\\ansi\\deff0" + fonts + colours + body + "}"; }

struct CharCase
{
    const char *name;
    QByteArray rtf;
    QString family;
    double points;
    bool bold, italic, underline, strike;
};

void PrintTo(const CharCase &c, std::ostream *out) { *out << c.name; }

class ReaderCharFormat : public testing::TestWithParam<CharCase> {};

// The format of the marker character "x".
TEST_P(ReaderCharFormat, CarriesEveryFontProperty)
{
    const CharCase &c = GetParam();
    const auto document = readRtf(c.rtf);
    const int marker = int(textOf(*document).indexOf(QLatin1Char('x')));
    ASSERT_GE(marker, 0);
    const QTextCharFormat format = formatAt(*document, marker);
    ASSERT_TRUE(format.hasProperty(QTextFormat::FontFamilies));
    ASSERT_TRUE(format.hasProperty(QTextFormat::FontPointSize));
    ASSERT_TRUE(format.hasProperty(QTextFormat::FontWeight));
    ASSERT_TRUE(format.hasProperty(QTextFormat::FontItalic));
    ASSERT_TRUE(format.hasProperty(QTextFormat::TextUnderlineStyle));
    ASSERT_TRUE(format.hasProperty(QTextFormat::FontStrikeOut));
    EXPECT_EQ(format.fontFamilies().toStringList().value(0), c.family);
    EXPECT_DOUBLE_EQ(format.fontPointSize(), c.points);
    EXPECT_EQ(format.fontWeight() == QFont::Bold, c.bold);
    EXPECT_EQ(format.fontItalic(), c.italic);
    EXPECT_EQ(format.fontUnderline(), c.underline);
    EXPECT_EQ(format.fontStrikeOut(), c.strike);
}

const CharCase charCases[] = {
    {"defaults: deff font, 12 pt", rtf("x"), "Arial", 12, false, false, false, false},
    {"no font table at all", "{\\rtf1 x}", "Times New Roman", 12, false, false, false, false},
    {"font, panose and falt skipped", rtf("\\f1 x"), "Times New Roman", 12, false, false, false, false},
    {"font size", rtf("\\fs19 x"), "Arial", 9.5, false, false, false, false},
    {"bold italic", rtf("\\b\\i x"), "Arial", 12, true, true, false, false},
    {"b0 switches off", rtf("\\b\\b0 x"), "Arial", 12, false, false, false, false},
    {"underline", rtf("\\ul x"), "Arial", 12, false, false, true, false},
    {"double underline", rtf("\\uldb x"), "Arial", 12, false, false, true, false},
    {"ulnone", rtf("\\ul\\ulnone x"), "Arial", 12, false, false, false, false},
    {"ul0", rtf("\\ul\\ul0 x"), "Arial", 12, false, false, false, false},
    {"strike", rtf("\\strike x"), "Arial", 12, false, false, false, true},
    {"double strike", rtf("\\striked1 x"), "Arial", 12, false, false, false, true},
    {"plain resets", rtf("\\f1\\fs40\\b\\i\\ul\\strike\\plain x"), "Arial", 12, false, false, false, false},
    {"group restores", rtf("{\\b\\f1 a}x"), "Arial", 12, false, false, false, false},
    {"alternative names without star", "{\\rtf1{\\fonttbl{\\f0{\\falt Helv}{\\fname Arial MT}Arial;}} x}",
     "Arial", 12, false, false, false, false},
    {"Latin text in the loch font, whichever class was named last", rtf("\\f0\\loch\\af0\\hich\\af0\\dbch\\af1 x"),
     "Arial", 12, false, false, false, false},
    {"af after rtlch leaves left-to-right text alone", rtf("\\loch\\af0\\hich\\af0 {\\rtlch\\af1\\ltrch x}"),
     "Arial", 12, false, false, false, false},
    {"low text in the font after loch", rtf("\\f1\\hich\\af1\\dbch\\af1\\loch\\f0 x"), "Arial", 12, false, false, false, false},
    {"af without a class changes nothing", rtf("\\af1 x"), "Arial", 12, false, false, false, false},
    {"font without braces around entries",
     "{\\rtf1\\deff1{\\fonttbl\\f0\\fnil Monospaced;\\f1\\fnil Dialog;}\\f0 x}", "Monospaced", 12, false, false, false, false},
};
INSTANTIATE_TEST_SUITE_P(Fonts, ReaderCharFormat, testing::ValuesIn(charCases));

// Word names the fonts of all its character classes before a run: each character takes its
// own class's font (Arial is f0 here, Times New Roman f1).
TEST(ReaderCharFormat, EachCharacterTakesTheFontOfItsClass)
{
    const struct { QByteArray rtf; QStringList families; } cases[] = {
        {rtf("\\loch\\af0\\hich\\af0\\dbch\\af1 a\\u26085?b"), {"Arial", "Times New Roman", "Arial"}},
        {rtf("\\loch\\af0\\hich\\af1\\dbch\\af1 a\\'e9"), {"Arial", "Times New Roman"}},
        {rtf("\\loch\\af0 {\\rtlch\\af1\\ltrch a\\u1488?}"), {"Arial", "Times New Roman"}},
    };
    for (const auto &c : cases) {
        const auto document = readRtf(c.rtf);
        QStringList families;
        for (int i = 0; i < c.families.size(); ++i)
            families << formatAt(*document, i).fontFamilies().toStringList().value(0);
        EXPECT_EQ(families, c.families) << c.rtf.toStdString();
    }
}

TEST(ReaderCharFormat, EmptyParagraphsCarryTheFontToo)
{
    const auto document = readRtf(rtf("\\f1\\fs32 a\\par\\par"));
    const QTextBlock last = document->lastBlock();
    EXPECT_EQ(last.charFormat().fontFamilies().toStringList().value(0), "Times New Roman");
    EXPECT_DOUBLE_EQ(last.charFormat().fontPointSize(), 16);
    const auto empty = readRtf("{\\rtf1}");
    EXPECT_DOUBLE_EQ(empty->firstBlock().charFormat().fontPointSize(), 12);
}

TEST(ReaderCharFormat, Colours)
{
    const auto document = readRtf(rtf("\\cf1 a\\cf2\\highlight1 b\\cf0\\highlight0 c{\\cb2 d}"));
    EXPECT_EQ(formatAt(*document, 0).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(*document, 1).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(*document, 1).background().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatAt(*document, 2).hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(formatAt(*document, 2).hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_EQ(formatAt(*document, 3).background().color(), QColor(0, 0, 255));
}

// Tracked changes show as LibreOffice shows them, deletions struck through and insertions
// underlined in their author's colour; Save As writes the text's own look with the change.
TEST(ReaderCharFormat, TrackedChangesShowInTheirAuthorsColourAndSaveInTheirOwnLook)
{
    const auto document = readRtf(rtf("{\\deleted\\revauthdel1 a}{\\revised\\revauth2\\cf1\\ul b}{\\revised\\revauth1 c}d"));
    const QTextCharFormat deleted = formatAt(*document, 0), inserted = formatAt(*document, 1),
                          sameAuthor = formatAt(*document, 2), ordinary = formatAt(*document, 3);
    EXPECT_TRUE(deleted.fontStrikeOut());
    EXPECT_FALSE(deleted.fontUnderline());
    EXPECT_TRUE(inserted.fontUnderline());
    EXPECT_FALSE(sameAuthor.fontStrikeOut());
    EXPECT_TRUE(sameAuthor.fontUnderline());
    EXPECT_EQ(sameAuthor.foreground().color(), deleted.foreground().color()) << "one colour per author";
    EXPECT_NE(inserted.foreground().color(), deleted.foreground().color());
    EXPECT_FALSE(ordinary.fontStrikeOut() || ordinary.fontUnderline() || ordinary.hasProperty(QTextFormat::ForegroundBrush));
    const QByteArray saved = rtfFromDocument(*document);
    EXPECT_TRUE(saved.contains("\\fs24\\deleted\\revauthdel1\\revdttmdel0 a}")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\\fs24\\ul\\cf1\\revised\\revauth2\\revdttm0 b}")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\\fs24\\revised\\revauth1\\revdttm0 c}")) << saved.toStdString();
}

TEST(ReaderCharFormat, SuperscriptAndSubscript)
{
    const auto document = readRtf(rtf("{\\super a}{\\sub b}c"));
    EXPECT_EQ(formatAt(*document, 0).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatAt(*document, 1).verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(formatAt(*document, 2).verticalAlignment(), QTextCharFormat::AlignNormal);
}

TEST(ReaderCharFormat, HyperlinkResultIsAnAnchorAndNothingElseIsLinked)
{
    const auto document = readRtf(rtf("{\\field{\\*\\fldinst HYPERLINK \"https://example.org/\"}{\\fldrslt go}}"
                                       "{\\field{\\*\\fldinst HYPERLINK \"file:///etc/passwd\"}{\\fldrslt no}}"
                                       "{\\field{\\*\\fldinst HYPERLINK \\\\l \"Top\"}{\\fldrslt up}}"));
    EXPECT_EQ(textOf(*document), "gonoup");
    EXPECT_EQ(formatAt(*document, 0).anchorHref(), "https://example.org/");
    EXPECT_FALSE(formatAt(*document, 2).isAnchor());
    EXPECT_EQ(formatAt(*document, 4).anchorHref(), "#Top");
}

struct ParagraphCase
{
    const char *name;
    QByteArray rtf;
    Qt::Alignment alignment;
    double left, right, first, before, after;   // pixels: 15 twips each
};

void PrintTo(const ParagraphCase &c, std::ostream *out) { *out << c.name; }

class ReaderParagraphFormat : public testing::TestWithParam<ParagraphCase> {};

TEST_P(ReaderParagraphFormat, AppliesToTheFirstParagraph)
{
    const ParagraphCase &c = GetParam();
    const auto document = readRtf(c.rtf);
    const QTextBlockFormat format = document->firstBlock().blockFormat();
    EXPECT_EQ(format.alignment() & Qt::AlignHorizontal_Mask, c.alignment);
    EXPECT_DOUBLE_EQ(format.leftMargin(), c.left);
    EXPECT_DOUBLE_EQ(format.rightMargin(), c.right);
    EXPECT_DOUBLE_EQ(format.textIndent(), c.first);
    EXPECT_DOUBLE_EQ(format.topMargin(), c.before);
    EXPECT_DOUBLE_EQ(format.bottomMargin(), c.after);
}

const ParagraphCase paragraphCases[] = {
    {"left by default", rtf("a\\par"), Qt::AlignLeft, 0, 0, 0, 0, 0},
    {"centred", rtf("\\qc a\\par"), Qt::AlignHCenter, 0, 0, 0, 0, 0},
    {"right", rtf("\\qr a\\par"), Qt::AlignRight, 0, 0, 0, 0, 0},
    {"justified", rtf("\\qj a\\par"), Qt::AlignJustify, 0, 0, 0, 0, 0},
    {"the last setting before par counts", rtf("\\qc a\\qr\\par"), Qt::AlignRight, 0, 0, 0, 0, 0},
    {"pard resets", rtf("\\qc\\li300\\pard a\\par"), Qt::AlignLeft, 0, 0, 0, 0, 0},
    {"indents", rtf("\\li720\\ri360\\fi-360 a\\par"), Qt::AlignLeft, 48, 24, -24, 0, 0},
    {"spacing", rtf("\\sb120\\sa240 a\\par"), Qt::AlignLeft, 0, 0, 0, 8, 16},
    {"last paragraph without par", rtf("\\qc a"), Qt::AlignHCenter, 0, 0, 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Paragraphs, ReaderParagraphFormat, testing::ValuesIn(paragraphCases));

TEST(ReaderParagraphFormat, EachParagraphKeepsItsOwn)
{
    const auto document = readRtf(rtf("\\qc a\\par\\pard\\qr b\\par\\pard c"));
    ASSERT_EQ(document->blockCount(), 3);
    EXPECT_EQ(document->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(document->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(document->findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

// Paragraphs run left to right unless the file says \rtlpar; \pard and \ltrpar end it.
TEST(ReaderParagraphFormat, RightToLeftParagraphsKeepTheirDirection)
{
    const auto document = readRtf(rtf("\\rtlpar\\qr a\\par\\pard b\\par\\rtlpar\\ltrpar c\\par\\pard\\rtlpar d"));
    ASSERT_EQ(document->blockCount(), 4);
    const Qt::LayoutDirection expected[] = {Qt::RightToLeft, Qt::LayoutDirectionAuto,
                                            Qt::LayoutDirectionAuto, Qt::RightToLeft};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(document->findBlockByNumber(i).blockFormat().layoutDirection(), expected[i]) << i;
}

} // namespace
