// Which text a snippet of RTF brings into the document.
#include "RtfReaderTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TextCase
{
    const char *name;
    QByteArray rtf;
    QString text;
};

void PrintTo(const TextCase &c, std::ostream *out) { *out << c.name; }

QString u(const char16_t *text) { return QString::fromUtf16(text); }

class ReaderText : public testing::TestWithParam<TextCase> {};

TEST_P(ReaderText, ReadsTheExpectedText)
{
    const TextCase &c = GetParam();
    const auto document = readRtf(c.rtf);
    EXPECT_EQ(textOf(*document), c.text);
}

const TextCase plainCases[] = {
    {"plain text", "{\\rtf1 Hello world}", "Hello world"},
    {"delimiting space belongs to the word", "{\\rtf1\\b Bold\\b0  x}", "Bold x"},
    {"line ends are not text", "{\\rtf1 Hel\r\nlo}", "Hello"},
    {"paragraphs", "{\\rtf1 One\\par Two\\par}", "One\nTwo\n"},
    {"backslash before line end is a paragraph", "{\\rtf1 One\\\nTwo}", "One\nTwo"},
    {"escaped braces and backslash", "{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d"},
    {"rtf without version", "{\\rtf Hi}", "Hi"},
    {"leading white space and BOM", "\xEF\xBB\xBF \r\n{\\rtf1 Hi}", "Hi"},
    {"unknown words are ignored", "{\\rtf1 a\\foobar12 b}", "ab"},
    {"overlong word", "{\\rtf1 a\\" + QByteArray(5000, 'x') + "99999999999999999999 b}", "ab"},
    {"section and page break end paragraphs", "{\\rtf1 a\\sect b\\page c}", "a\nb\nc"},
};
INSTANTIATE_TEST_SUITE_P(Plain, ReaderText, testing::ValuesIn(plainCases));

const TextCase symbolCases[] = {
    {"tab and line", "{\\rtf1 a\\tab b\\line c}", u(u"a\tb\u2028c")},
    {"dashes", "{\\rtf1 \\emdash\\endash}", u(u"\u2014\u2013")},
    {"quotes", "{\\rtf1 \\lquote\\rquote\\ldblquote\\rdblquote}", u(u"\u2018\u2019\u201C\u201D")},
    {"bullet", "{\\rtf1 \\bullet}", u(u"\u2022")},
    {"no-break space", "{\\rtf1 a\\~b}", u(u"a\u00A0b")},
    {"optional hyphen", "{\\rtf1 a\\-b}", u(u"a\u00ADb")},
    {"non-breaking hyphen", "{\\rtf1 a\\_b}", u(u"a\u2011b")},
};
INSTANTIATE_TEST_SUITE_P(Symbols, ReaderText, testing::ValuesIn(symbolCases));

const TextCase unicodeCases[] = {
    {"one fallback by default", "{\\rtf1 \\u1046?x}", u(u"\u0416x")},
    {"negative value", "{\\rtf1 \\u-3913?}", u(u"\uF0B7")},
    {"uc0 has no fallback", "{\\rtf1\\uc0 \\u8804 x}", u(u"\u2264x")},
    {"uc2 skips two bytes", "{\\rtf1\\uc2 \\u26085\\'93\\'fa!}", u(u"\u65E5!")},
    {"fallback as a control word", "{\\rtf1 \\u8220\\ldblquote x}", u(u"\u201Cx")},
    {"fallback ends at the group", "{\\rtf1\\uc3 {\\u1046}ab}", u(u"\u0416ab")},
    {"uc is scoped to its group", "{\\rtf1 {\\uc2 \\u1046??}\\u1046?}", u(u"\u0416\u0416")},
    {"surrogate pair", "{\\rtf1 \\u-10240?\\u-8392?}", u(u"\U00010338")},
    {"lone high surrogate", "{\\rtf1 \\u-10187?x}", u(u"\uFFFDx")},
    {"lone low surrogate", "{\\rtf1 \\u-8904?x}", u(u"\uFFFDx")},
    {"fallback with bin", "{\\rtf1 \\u1046\\bin3 {}\\x}", u(u"\u0416x")},
};
INSTANTIATE_TEST_SUITE_P(Unicode, ReaderText, testing::ValuesIn(unicodeCases));

const TextCase codePageCases[] = {
    {"1252 by default", "{\\rtf1\\ansi caf\\'e9 \\'80}", u(u"caf\u00E9 \u20AC")},
    {"ansicpg 1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", u(u"\u041F\u0440\u0438")},
    {"font charset 204",
     "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f1 \\'c4\\f0 \\'c4}",
     u(u"\u0414\u00C4")},
    {"raw 8-bit bytes", "{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0}", u(u"\u041F\u0440")},
    {"cp932 pair as two hex bytes", "{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b}", u(u"\u65E5\u672C")},
    {"cp932 hex lead with raw trail", "{\\rtf1\\ansi\\ansicpg932 \\'83@}", u(u"\u30A1")},
    {"cp936 font charset 134",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0\\'ce\\'c4}", u(u"\u4E2D\u6587")},
    {"mac roman", "{\\rtf1\\mac \\'8e}", u(u"\u00E9")},
    {"pc code page", "{\\rtf1\\pc \\'82}", u(u"\u00E9")},
    {"utf-8 code page", "{\\rtf1\\ansi\\ansicpg65001 \\'c3\\'a9}", u(u"\u00E9")},
    {"unknown ansicpg keeps 1252", "{\\rtf1\\ansi\\ansicpg0 \\'e9}", u(u"\u00E9")},
    {"symbol font bullet", "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\f1 \\'b7}}", u(u"\u2022")},
};
INSTANTIATE_TEST_SUITE_P(CodePages, ReaderText, testing::ValuesIn(codePageCases));

const TextCase destinationCases[] = {
    {"tables and info kept out",
     "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
     "{\\info{\\title T}{\\author A}}body}", "body"},
    {"ignorable destination", "{\\rtf1 a{\\*\\unknowndest hidden}b}", "ab"},
    {"ignorable known word", "{\\rtf1 a{\\*\\generator Writer;}b}", "ab"},
    {"header, footer and footnote", "{\\rtf1 {\\header H}{\\footerl F}a{\\footnote N}b}", "ab"},
    {"comment", "{\\rtf1 a{\\*\\atnid X}{\\*\\annotation C}b}", "ab"},
    {"theme data and lists tables", "{\\rtf1 {\\*\\themedata 0102}{\\*\\listtable{\\list x}}a}", "a"},
    {"hidden text", "{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", "abd"},
    {"bin data never text", "{\\rtf1 a{\\*\\blob\\bin4 }{x}}b}", "ab"},
    {"bin in body is skipped", "{\\rtf1 a\\bin2 xyb}", "ab"},
    {"upr shows the unicode part", "{\\rtf1 {\\upr{ansi}{\\*\\ud{\\u20013?}}}}", u(u"\u4E2D")},
    {"object shows its result", "{\\rtf1 {\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result R}}}", "R"},
    {"object parts without a star are no body text",
     "{\\rtf1 {\\object\\objemb{\\objclass Paint}{\\objname N}{\\objalias A} {\\*\\objdata 0102}{\\result R}}}", "R"},
    {"a shape's picture once, its result skipped, a text box kept apart, another shape's result shown",
     "{\\rtf1 {\\shp{\\*\\shpinst{\\sp{\\sn fillBlip}{\\sv {\\pict\\pngblip 00}}}{\\sp{\\sn pib}{\\sv {\\pict\\wmetafile8 0102}}}}"
     "{\\shprslt{\\pict\\wmetafile8 0102}}}a{\\shp{\\*\\shpinst{\\shptxt Box}}{\\shprslt Copy}}"
     "{\\shp{\\*\\shpinst}{\\shprslt Shown}}}", u(u"\uFFFCaShown")},
    {"a section break right after a paragraph mark adds no paragraph", "{\\rtf1 a\\par\\sect\\sectd b\\par\\pard\\sect c}",
     "a\nb\n\nc"},
    {"pn kept out, pntext drawn by its list", "{\\rtf1 {\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody{\\pntxta .}}Item}", "Item"},
    {"listtext", "{\\rtf1 {\\listtext\\'b7\\tab}Item}", u(u"\u00B7\tItem")},
    {"nested rtf group", "{\\rtf1 a{\\rtf1 b}c}", "abc"},
};
INSTANTIATE_TEST_SUITE_P(Destinations, ReaderText, testing::ValuesIn(destinationCases));

const TextCase fieldAndTableCases[] = {
    {"field result", "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"http://x.org\"}{\\fldrslt link}}}", "link"},
    {"field without result", "{\\rtf1 a{\\field{\\*\\fldinst PAGE}}b}", "ab"},
    {"macro button without result shows its text",
     "{\\rtf1 a{\\field{\\*\\fldinst MACROBUTTON NoMacro [Click here]}{\\fldrslt }}b}", "a[Click here]b"},
    {"hyperlink without result shows its address",
     "{\\rtf1 {\\field{\\*\\fldinst {HYPERLINK \"http://x.org/\" \\\\o \"tip\"}}{\\fldrslt}}}", "http://x.org/"},
    {"symbol without result", "{\\rtf1 {\\field{\\*\\fldinst SYMBOL 74 \\\\f \"Wingdings\"}{\\fldrslt }}}", "J"},
    {"field in a result", "{\\rtf1 {\\field{\\*\\fldinst IF}{\\fldrslt {\\field{\\*\\fldinst PAGE}{\\fldrslt 3}} here}}}", "3 here"},
    {"field in an instruction gives its result",
     "{\\rtf1 {\\field{\\*\\fldinst MACROBUTTON m {\\field{\\*\\fldinst SYMBOL 75}{\\fldrslt J}} go}{\\fldrslt }}}", "J go"},
    {"include picture loads nothing",
     "{\\rtf1 {\\field{\\*\\fldinst INCLUDEPICTURE \"file:///etc/passwd\"}{\\fldrslt old}}}", "old"},
    // A table is a QTextTable, and a table has a paragraph before it: the document's first,
    // empty one when the table comes first.
    {"table row", "{\\rtf1 \\trowd\\cellx100\\cellx200\\pard\\intbl A\\cell B\\cell\\row\\pard after}", "\nA\tB\nafter"},
    {"empty cells keep their place", "{\\rtf1 \\trowd\\pard\\intbl A\\cell\\cell C\\cell\\row}", "\nA\t\tC\n"},
    {"paragraph inside a cell", "{\\rtf1 \\pard\\intbl a\\par b\\cell\\row}", "\na\nb\n"},
    {"nested table",
     "{\\rtf1 \\pard\\intbl A\\cell\\itap2 x\\nestcell y\\nestcell{\\*\\nesttableprops\\nestrow}\\cell\\row}",
     "\nA\t\nx\ty\n\n"},
    {"nested rows",
     "{\\rtf1 \\pard\\intbl\\itap2 a\\nestcell b\\nestcell\\nestrow c\\nestcell\\nestrow\\itap1 D\\cell\\row}",
     "\n\na\tb\nc\nD\n"},
    {"cells without intbl are tabs", "{\\rtf1 a\\cell b\\cell\\row c}", "a\tb\nc"},
};
INSTANTIATE_TEST_SUITE_P(FieldsAndTables, ReaderText, testing::ValuesIn(fieldAndTableCases));

} // namespace
