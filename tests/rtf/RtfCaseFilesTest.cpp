// Small files written the ways real ones are: each reads as LibreOffice shows it, and reads the
// same again after Save As.
#include "ListTestDocuments.h"
#include "RtfReaderTestSupport.h"
#include "support/TestFiles.h"

#include "rtf/files/DocumentFiles.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

namespace {

struct CaseFile
{
    const char *file;         // under tests/data/rtf
    QStringList paragraphs;   // as describeLists gives them
    QStringList families;     // the fonts the text is shown in
    QList<QByteArray> saved = {};  // what Save As writes, among the rest
};

void PrintTo(const CaseFile &c, std::ostream *out) { *out << c.file; }

QStringList familiesOf(const QTextDocument &document)
{
    QStringList families;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString family = it.fragment().charFormat().fontFamilies().toStringList().value(0);
            if (!it.fragment().text().trimmed().isEmpty() && !families.contains(family))
                families << family;
        }
    }
    return families;
}

const QString picture(QChar::ObjectReplacementCharacter);

const CaseFile caseFiles[] = {
    {"cases/bullet-level-with-number-placeholder", {"0:disc|Apples", "0:disc|Pears", "|Done.", "|"}, {"Arial"}},
    {"cases/blank-stored-marker", {"0:1.|Preheat the oven", "0:2.|Bake the bread", "|Enjoy.", "|"}, {"Arial"}},
    {"cases/stored-marker-with-leading-tab", {"0:disc|Milk", "0:disc|Eggs", "0:1.|Mix", "0:2.|Stir", "|End.", "|"}, {"Arial"},
     {"\\li360\\fi-360\\ls1"}},   // the items' indents as read
    {"cases/associated-fonts",
     {"|Plain Latin words meant to be Arial.", "|Latin words in a Word-style run.", "|"}, {"Arial"}},
    {"cases/picture-in-shape-with-drawing-object", {"|Before the floating picture.", "|" + picture + "After it.", "|"}, {"Arial"}},
    {"cases/unclosed-object-group",
     {"|First paragraph Words inside the unclosed object group.", "|Words after its first paragraph mark.",
      "|Last words.", "|"}, {"Arial"}},
    {"cases/fields-kept", {"|Written on 3 March 2021, page 3 of 9.", "|See the example site for more.", "|"}, {"Arial"},
     {"{\\field{\\*\\fldinst{DATE \\\\@ \"d MMMM yyyy\"}}{\\fldrslt{", "{\\field{\\*\\fldinst{PAGE}}{\\fldrslt{",
      "{\\field{\\*\\fldinst{NUMPAGES}}{\\fldrslt{", "\\\\o \"A tip\"}}{\\fldrslt{"}},
    {"cases/picture-in-floating-shape", {"|Before the floating picture.", "|" + picture + "After it.", "|"}, {"Arial"},
     {"\\pict"}},
    // \* after other words in a group marks nothing: the link's text stays
    {"cases/ignorable-mark-inside-group", {"|Before the link text after.", "|"}, {"Times New Roman"},
     {"{\\field{\\*\\fldinst{HYPERLINK \"http://example.org/a\"}}{\\fldrslt"}},
    // a link whose result is a paragraph mark: no address glued to the next word
    {"cases/hyperlink-paragraph-result", {"|Light", "|Size 16", "|Last line", "|"}, {"Helvetica"}},
    {"cases/hyperlink-without-scheme", {"|Visit www.example.com or the page today.", "|"}, {"Times New Roman"},
     {"{\\field{\\*\\fldinst{HYPERLINK \"www.example.com\"}}{\\fldrslt",
      "{\\field{\\*\\fldinst{HYPERLINK \"example.org/page\"}}{\\fldrslt"}},
    // the paragraph Qt keeps in front of the table is none of the file's
    {"cases/table-at-start", {"|", "|One", "|Two", "|After.", "|"}, {"Times New Roman"}},
    // each font declared as the file declared it, not as its name suggests
    {"cases/font-family",
     {"|Comic Sans words, a sans-serif family.", "|Lucida Console words, a fixed-pitch family.",
      "|Words in a decorative font that is not installed.", "|"},
     {"Comic Sans MS", "Lucida Console", "Fancy Display Font Nobody Has"},
     {"\\fswiss\\fcharset0\\fprq2 Comic Sans MS;", "\\fmodern\\fcharset0\\fprq1 Lucida Console;",
      "\\fdecor\\fcharset0\\fprq2 Fancy Display Font Nobody Has;"}},
    {"cases/line-spacing",
     {"|This paragraph has 1.15 lines of spacing, as WordPad and Word write it. It runs long enough to wrap onto a "
      "second and a third line in a window of ordinary width, so that the spacing between its lines shows on the "
      "screen and on paper.",
      "|This paragraph is double spaced. It runs long enough to wrap onto a second and a third line in a window of "
      "ordinary width, so that the spacing between its lines shows on the screen and on paper.",
      "|This paragraph has lines exactly eighteen points apart. It runs long enough to wrap onto a second and a "
      "third line in a window of ordinary width, so that the spacing shows.",
      "|This paragraph has lines at least eighteen points apart. It runs long enough to wrap onto a second and a "
      "third line in a window of ordinary width, so that the spacing shows.",
      "|Single spaced last paragraph.", "|"},
     {"Times New Roman"},
     {"\\sl276\\slmult1", "\\sl480\\slmult1", "\\sl-360", "\\sl360"}},
    // hidden text is no text of the document, and Save As keeps it hidden
    {"cases/hidden-text", {"|Visible words and more visible words.", "|", "|Last visible line.", "|"}, {"Times New Roman"},
     {"{\\v hidden source sentence }", "{\\v A whole hidden paragraph.}"}},
    // tracked changes: deleted words stay, struck through; both kinds are written back as
    // revisions with their authors and times, never as ordinary text
    {"cases/tracked-changes", {"|The meeting is on MondayTuesday at noon.", "|Keep this sentence. Drop this sentence.", "|"},
     {"Times New Roman"},
     {"{\\*\\revtbl {Unknown;}{Ann Editor;}}", "\\deleted\\revauthdel1\\revdttmdel1175453376 Monday}",
      "\\revised\\revauth1\\revdttm1175453376 Tuesday}", "\\deleted\\revauthdel1\\revdttmdel1175453376  Drop this sentence.}"}},
    // a SYMBOL field without a result shows its character in the font the instruction names
    {"cases/symbol-field", {"|Alpha is a and beta is b.", "|"}, {"Times New Roman", "Symbol"},
     {"{\\field{\\*\\fldinst{SYMBOL 97 \\\\f \"Symbol\" \\\\s 12}}{\\fldrslt{"}},
    // paragraphs that name only their style have the style's list
    {"cases/style-list-numbering", {"|Steps:", "0:1.|Alpha", "0:2.|Beta", "0:3.|Gamma", "|End.", "|"}, {"Times New Roman"}},
    // the Symbol font's bullet as its private-use code, in a marker of an ordinary font
    {"cases/private-use-bullet", {"|Shopping:", "0:disc|Bread", "0:disc|Milk", "|Done.", "|"}, {"Times New Roman"}},
    // a section ends with its last paragraph, and Save As keeps each section's settings
    {"cases/section-breaks",
     {"|First section, portrait.", "|Second section, landscape, on a page of its own.",
      "|Third section in two columns. It has enough words to fill a few lines of each column when it is laid out on "
      "paper.", "|"},
     {"Times New Roman"},
     {"portrait.}\\sect\\sectd\\lndscpsxn\\pgwsxn15840\\pghsxn12240\\sbkpage",
      "of its own.}\\sect\\sectd\\cols2\\sbknone"}},
    // a text box is kept where it is anchored, its words not shown as the document's own
    {"cases/text-box", {"|Text before the box.", "|Text after the box.", "|"}, {"Times New Roman"},
     {"{\\shp{\\*\\shpinst", "{\\shptxt \\pard\\f1\\fs24 Words inside the text box.\\par}", "\\dptxbx"}},
    // markers no list style draws: text in items of their lists, written back as those lists
    {"regressions/lists-no-list-style-draws",
     {"0:text|3.\tThird", "0:text|4.\tFourth", "0:1.|Chapter", "1:text|1.1.\tSection", "1:text|1.2.\tAnother",
      "0:text|-\tDash", u"0:text|\u2713\tChecked"_qs, "|End.", "|"}, {"Arial"},
     {"\\levelstartat3{\\leveltext\\'02\\'00.;}", "{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}",
      "{\\leveltext\\'01-;}", "{\\leveltext\\'01\\u10003?;}", "\\ls2\\ilvl1{\\listtext\\pard\\plain\\f1\\fs24 1.2.\\tab}{\\f1\\fs24 Another}"}},
};

class CaseFiles : public testing::TestWithParam<CaseFile> {};

TEST_P(CaseFiles, ReadAsWordProcessorsShowThemAndTheSameAfterSaveAs)
{
    const CaseFile &c = GetParam();
    const auto opened = readRtf(TestFiles::readBytes(QStringLiteral(CORVALA_TEST_DATA "/rtf/")
                                                     + QLatin1String(c.file) + QStringLiteral(".rtf")));
    EXPECT_EQ(describeLists(*opened), c.paragraphs);
    EXPECT_EQ(familiesOf(*opened), c.families);
    const QByteArray rtf = rtfFromDocument(*opened);
    for (const QByteArray &words : c.saved)
        EXPECT_TRUE(rtf.contains(words)) << "Save As lacks " << words.toStdString();
    EXPECT_EQ(rtf.count("\\pict"), opened->toRawText().count(QChar::ObjectReplacementCharacter)) << "one picture each";
    const auto saved = readRtf(rtf);
    EXPECT_EQ(describeLists(*saved), c.paragraphs) << "after Save As";
    EXPECT_EQ(familiesOf(*saved), c.families) << "after Save As";
}

INSTANTIATE_TEST_SUITE_P(Cases, CaseFiles, testing::ValuesIn(caseFiles));

} // namespace
