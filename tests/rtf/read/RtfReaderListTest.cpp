// List paragraphs read as items of the editing area's lists: their styles from the list table
// (\ls) or the older numbering (\pn), or from the marker the file wrote; markers that no list
// style draws stay text.
#include "ListTestDocuments.h"
#include "RtfReaderTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A list table with a numbered list (1. then a)) and a bulleted one (Symbol's bullet), and a
// level that shows two levels' numbers (1.1.).
const QByteArray header =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}{\\f1\\fcharset2 Symbol;}}"
    "{\\*\\listtable"
    "{\\list{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}"
    "{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}\\fi-360\\li1440}"
    "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}\\fi-360\\li2160}"
    "\\listid7}"
    "{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\'b7;}{\\levelnumbers;}\\f1\\fi-360\\li720}\\listid8}}"
    "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid8\\listoverridecount0\\ls2}}";

// Paragraph styles with lists: 36 numbered, 37 based on it, 38 with none; a character
// style's list numbers no paragraph.
const QByteArray styles = "{\\stylesheet{\\s0 Normal;}{\\s36\\ls1\\ilvl0 List;}{\\s37\\sbasedon36 Sub list;}"
                          "{\\cs10\\ls2 Character;}{\\s38\\sbasedon36\\ls0 No list;}}";

QByteArray item(int ls, int level, const char *marker, const char *text)
{
    QByteArray rtf;
    if (marker)
        rtf += QByteArray("{\\listtext ") + marker + "\\tab}";
    return rtf + "\\pard\\ls" + QByteArray::number(ls) + "\\ilvl" + QByteArray::number(level)
        + "\\fi-360\\li" + QByteArray::number(720 * (level + 1)) + " " + text + "\\par ";
}

struct ListCase
{
    const char *name;
    QByteArray rtf;
    QStringList lists;
};

const ListCase listCases[] = {
    {"numbers as the file writes them",
     header + item(1, 0, "1.", "One") + item(1, 1, "a)", "One-a") + item(1, 0, "2.", "Two")
         + "\\pard Between\\par " + item(1, 0, "3.", "Three") + item(1, 1, "a)", "Three-a") + "}",
     {"0:1.|One", "1:a)|One-a", "0:2.|Two", "|Between", "0:3.|Three", "1:a)|Three-a", "|"}},
    {"numbers from the level, none written",
     header + item(1, 0, nullptr, "One") + item(1, 1, nullptr, "One-a") + item(1, 1, nullptr, "One-b")
         + item(1, 0, nullptr, "Two") + "}",
     {"0:1.|One", "1:a)|One-a", "1:b)|One-b", "0:2.|Two", "|"}},
    {"bullets of a symbol font, written and not",
     header + item(2, 0, "{\\f1\\'b7}", "Dot") + item(2, 0, nullptr, "Dot too") + "}",
     {"0:disc|Dot", "0:disc|Dot too", "|"}},
    {"a written marker decides the style",
     header + item(1, 0, "a)", "Letter") + item(1, 0, "(i)", "Roman") + "}",
     {"0:a)|Letter", "0:(i)|Roman", "|"}},
    {"a list starts again at a written 1; other numbers stay text",
     header + item(1, 0, "1.", "A") + item(1, 0, "2.", "B") + item(1, 0, "1.", "C") + item(1, 0, "5.", "E") + "}",
     {"0:1.|A", "0:2.|B", "0:1.|C", "0:text|5.\tE", "|"}},
    {"markers no list style draws stay text, in items of their lists",
     header + item(1, 2, nullptr, "Legal") + item(1, 2, "1.2.", "Written") + item(2, 0, "-", "Dash") + "}",
     {"2:text|1.a.\tLegal", "2:text|1.2.\tWritten", "0:text|-\tDash", "|"}},
    {"list override 0, as LibreOffice numbers them",
     "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid1}}"
     "{\\*\\listoverridetable{\\listoverride\\listid1\\ls0}}\\pard\\ls0 One\\par\\pard\\ls0 Two}",
     {"0:1.|One", "0:2.|Two"}},
    {"a written marker longer than any level holds gives way to the level's",
     header + item(1, 0, QByteArray(256, '7').append('.').constData(), "Long") + item(1, 0, "2.", "Two") + "}",
     {"0:1.|Long", "0:2.|Two", "|"}},
    {"a paragraph has its style's list unless it names its own",
     header + styles + "\\pard\\s36 One\\par\\pard\\s37 Two\\par\\pard\\s36\\ilvl1 Two-a\\par"
         "\\pard\\s36\\ls2 Dot\\par\\pard\\s0 Plain\\par\\pard\\s10 Character\\par\\pard\\s38 None\\par}",
     {"0:1.|One", "0:2.|Two", "1:a)|Two-a", "0:disc|Dot", "|Plain", "|Character", "|None", "|"}},
    {"a written marker without a list stays text",
     "{\\rtf1 {\\listtext 10.\\tab}Ten}", {"|10.\tTen"}},
    {"older numbering with its written marker",
     "{\\rtf1 {\\pntext 1)\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta )}}\\fi-360\\li720 First\\par "
     "{\\pntext 2)\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta )}}\\fi-360\\li720 Second\\par\\pard After}",
     {"0:1)|First", "0:2)|Second", "|After"}},
    {"older numbering without a written marker",
     "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}Dot\\par "
     "\\pard{\\*\\pn\\pnlvlbody\\pnlcltr\\pnstart1{\\pntxtb (}{\\pntxta )}}Letter}",
     {"0:disc|Dot", "0:(a)|Letter"}},
};

void PrintTo(const ListCase &c, std::ostream *out) { *out << c.name; }

class RtfReaderLists : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(RtfReaderLists, ReadsListParagraphsAsListItems)
{
    const auto document = readRtf(GetParam().rtf);
    EXPECT_EQ(describeLists(*document), GetParam().lists);
}

INSTANTIATE_TEST_SUITE_P(Cases, RtfReaderLists, ::testing::ValuesIn(listCases));

} // namespace

namespace {

// The editing area renumbers a whole list at each item added: a list's items beyond its
// thousandth show their numbers as text, so opening a long list stays quick.
TEST(RtfReaderLongLists, ShowTheNumbersBeyondTheThousandthItemAsText)
{
    QByteArray rtf = header;
    for (int i = 0; i < 1002; ++i)
        rtf += item(1, 0, nullptr, "x");
    const auto document = readRtf(rtf + "}");
    const QStringList lists = describeLists(*document);
    EXPECT_EQ(lists.value(999), QStringLiteral("0:1000.|x"));
    EXPECT_EQ(lists.value(1000), QStringLiteral("0:text|1001.\tx"));
    EXPECT_EQ(lists.value(1001), QStringLiteral("0:text|1002.\tx"));
}

} // namespace
