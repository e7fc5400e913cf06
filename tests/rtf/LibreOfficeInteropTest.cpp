// What the writer produces, LibreOffice reads as Corvala does: the same text, the formats in
// place. Runs where LibreOffice is installed (it is too big to be a build dependency: `make
// test-interop` installs it); elsewhere it skips, but fails under CI (CI=true), which must run it.
#include "ListTestDocuments.h"
#include "WriterTestDocuments.h"

#include "rtf/files/DocumentFiles.h"
#include "rtf/read/RtfReader.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFont>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

class LibreOfficeInterop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (m_soffice.isEmpty()) {
            if (qgetenv("CI") == "true")
                FAIL() << "LibreOffice (soffice) is not installed, and CI must run this test (make test-interop)";
            GTEST_SKIP() << "LibreOffice (soffice) is not installed";
        }
        m_document = makeSampleDocument();
        QFile rtf(m_dir.filePath(QStringLiteral("sample.rtf")));
        ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
        rtf.write(rtfFromDocument(*m_document));
    }

    // soffice --headless --convert-to FILTER, with a profile of its own so that it neither
    // meets a running LibreOffice nor leaves anything in the home folder.
    QByteArray convert(const QString &filter, const QString &extension)
    {
        QProcess soffice;
        soffice.start(m_soffice, {QStringLiteral("-env:UserInstallation=file://") + m_dir.filePath(QStringLiteral("profile")),
                                  QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                                  QStringLiteral("--outdir"), m_dir.filePath(QStringLiteral("out")),
                                  m_dir.filePath(QStringLiteral("sample.rtf"))});
        EXPECT_TRUE(soffice.waitForFinished(120000));
        QFile converted(m_dir.filePath(QStringLiteral("out/sample.") + extension));
        EXPECT_TRUE(converted.open(QIODevice::ReadOnly)) << soffice.readAllStandardError().toStdString();
        return converted.readAll();
    }

    // LibreOffice's HTML of a test file (under tests/data/rtf) opened and saved again.
    QByteArray htmlOfSavedAgain(const QString &name)
    {
        return savedAgainAs(name, QStringLiteral("html"), QStringLiteral("html"));
    }

    QByteArray savedAgainAs(const QString &name, const QString &filter, const QString &extension)
    {
        const auto opened = documentFromRtf(TestFiles::readBytes(QStringLiteral(CORVALA_TEST_DATA "/rtf/") + name));
        QFile rtf(m_dir.filePath(QStringLiteral("sample.rtf")));
        EXPECT_TRUE(rtf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        rtf.write(rtfFromDocument(*opened));
        rtf.close();
        return convert(filter, extension);
    }

    QString m_soffice;
    QTemporaryDir m_dir;
    std::unique_ptr<QTextDocument> m_document;
};

TEST_F(LibreOfficeInterop, ReadsTheSameTextAndFormats)
{
    QByteArray text = convert(QStringLiteral("txt:Text"), QStringLiteral("txt"));
    // LibreOffice's text export starts with a byte-order mark and ends every paragraph.
    if (text.startsWith("\xef\xbb\xbf"))
        text.remove(0, 3);
    if (text.endsWith('\n'))
        text.chop(1);
    // LibreOffice's text export writes each table cell's paragraph as a line of its own.
    QStringList paragraphs;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
        paragraphs << block.text().remove(QChar::ObjectReplacementCharacter).replace(QChar::LineSeparator, u'\n');
    EXPECT_EQ(text.toStdString(), paragraphs.join(u'\n').toStdString());

    const QByteArray html = convert(QStringLiteral("html"), QStringLiteral("html"));
    for (const char *expected : {"<b>bold", "<i>italic", "<u>underlined", "<strike>", "color=\"#ff0000\"",
                                 "Liberation Mono", "font-size: 20pt", "align=\"center\"", "align=\"right\"",
                                 "align=\"justify\"", "width=\"80\" height=\"40\"", "<td"}) {
        EXPECT_TRUE(html.contains(expected)) << "LibreOffice's HTML lacks " << expected;
    }
}

TEST_F(LibreOfficeInterop, ReadsTypedTextInTheFontTheEditingAreaShowsItIn)
{
    // Typed text has no format of its own: the editing area shows it in its default font.
    auto typed = makeDocument({{{{QStringLiteral("typed")}}}});
    typed->setDefaultFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
    QFile rtf(m_dir.filePath(QStringLiteral("sample.rtf")));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rtf.write(rtfFromDocument(*typed));
    rtf.close();
    const QByteArray html = convert(QStringLiteral("html"), QStringLiteral("html"));
    for (const char *expected : {"Arial", "font-size: 9pt", "<b>typed</b>"})
        EXPECT_TRUE(html.contains(expected)) << "LibreOffice's HTML lacks " << expected;
}

TEST_F(LibreOfficeInterop, ReadsTablesWithTheirMergedAndNestedCells)
{
    QFile rtf(m_dir.filePath(QStringLiteral("sample.rtf")));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rtf.write(rtfFromDocument(*makeTableDocument()));
    rtf.close();
    const QByteArray html = convert(QStringLiteral("html"), QStringLiteral("html"));
    EXPECT_EQ(html.count("<table"), 2);
    EXPECT_EQ(html.count("<td"), 14);
    EXPECT_TRUE(html.contains("colspan=")) << "the cell over two columns";
    EXPECT_TRUE(html.contains("rowspan=\"2\"")) << "the cell over two rows";
    for (const char *cell : {"r0c0", "r0c2", "r2c3", "second", "n3", "after"})
        EXPECT_TRUE(html.contains(cell)) << "LibreOffice's HTML lacks " << cell;
}

TEST_F(LibreOfficeInterop, ReadsTheHeaderFooterFootnotesCommentsAndInformationSavedAgain)
{
    const QByteArray html = htmlOfSavedAgain(QStringLiteral("kept/header_footer_footnote_info.rtf"));
    // (LibreOffice's HTML breaks lines between words)
    for (const char *expected : {"Quarterly report", "Page header text", "Page footer text", "The footnote text.",
                                 "sdfootnote2sym", "start.", "A comment.", "here."})
        EXPECT_TRUE(html.contains(expected)) << "LibreOffice's HTML lacks " << expected;
}

TEST_F(LibreOfficeInterop, ReadsTheHeaderFooterAndFootnoteInTheirFontsAndColours)
{
    const QByteArray html = htmlOfSavedAgain(QStringLiteral("kept/fonts_colours.rtf"));
    struct Case { const char *part, *face, *color; };
    for (const Case &c : {Case{"<div title=\"header\"", "Courier New", "#ff0000"},
                          Case{"<div title=\"footer\"", "Times New Roman", "#0000ff"},   // the default font
                          Case{"<div id=\"sdfootnote1\"", "Courier New", "#008000"}}) {
        const qsizetype start = html.indexOf(c.part);
        ASSERT_GE(start, 0) << "LibreOffice's HTML lacks " << c.part;
        const QByteArray part = html.sliced(start, html.indexOf("</div>", start) - start);
        EXPECT_TRUE(part.contains(QByteArray("face=\"") + c.face)) << c.part << " is not in " << c.face;
        EXPECT_TRUE(part.contains(QByteArray("color=\"") + c.color)) << c.part << " is not in " << c.color;
    }
}

// Its own document format shows tracked changes, which its HTML leaves out: the deletions and
// the insertion, each with its author and time, around the words they were in the file.
TEST_F(LibreOfficeInterop, ReadsTrackedChangesSavedAgainAsChanges)
{
    QString document = QString::fromUtf8(savedAgainAs(QStringLiteral("cases/tracked-changes.rtf"), QStringLiteral("fodt"),
                                                       QStringLiteral("fodt")));
    document.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    EXPECT_EQ(document.count(QStringLiteral("<text:deletion>")), 2);
    EXPECT_EQ(document.count(QStringLiteral("<text:insertion>")), 1);
    EXPECT_EQ(document.count(QStringLiteral("<dc:creator>Ann Editor</dc:creator>")), 3);
    EXPECT_EQ(document.count(QStringLiteral("<dc:date>1996-15-31T27:00:00</dc:date>")), 3) << "the file's own times";
    for (const char *words : {">Monday</text:span><text:change-end", ">Tuesday</text:span><text:change-end",
                              "> Drop this sentence.</text:span><text:change-end"})
        EXPECT_TRUE(document.contains(QLatin1String(words))) << words;
}

TEST_F(LibreOfficeInterop, ReadsSavedListsAsListsWithTheSameMarkers)
{
    QFile rtf(m_dir.filePath(QStringLiteral("sample.rtf")));
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rtf.write(rtfFromDocument(*makeListDocument()));
    rtf.close();
    QString html = QString::fromUtf8(convert(QStringLiteral("html"), QStringLiteral("html")));
    html.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    EXPECT_EQ(html.count(QStringLiteral("<ol")), 2) << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<ul")), 2) << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<li")), 7) << html.toStdString();
    EXPECT_TRUE(html.contains(QLatin1String("<ol type=\"a\">"))) << html.toStdString();

    // LibreOffice's text export writes each item's marker and a space before its text
    QStringList lines;
    for (const QString &line : QString::fromUtf8(convert(QStringLiteral("txt:Text"), QStringLiteral("txt"))).split(u'\n'))
        lines << line.trimmed().remove(QChar(0xFEFF));
    lines.removeAll(QString());
    EXPECT_EQ(lines, QStringList({"1. One", "a) One-a", "b) One-b", "2. Two", "Between", u"\u2022 Dot"_qs,
                                  u"\u25E6 Circle"_qs, u"\u2022 Dot again"_qs}));
}

// The small files written the ways real ones are: LibreOffice reads each, saved again by
// Corvala, as it reads the file itself.
struct SavedCase
{
    const char *file;
    QStringList html;   // in LibreOffice's HTML, white space made single spaces
};

void PrintTo(const SavedCase &c, std::ostream *out) { *out << c.file; }

class LibreOfficeReadsSavedCases : public LibreOfficeInterop, public ::testing::WithParamInterface<SavedCase> {};

TEST_P(LibreOfficeReadsSavedCases, AsItReadsTheFileItself)
{
    QString html = QString::fromUtf8(htmlOfSavedAgain(QStringLiteral("cases/") + QLatin1String(GetParam().file)
                                                      + QStringLiteral(".rtf")));
    html.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    for (const QString &expected : GetParam().html)
        EXPECT_TRUE(html.contains(expected)) << "LibreOffice's HTML lacks " << expected.toStdString() << "\n" << html.toStdString();
}

const SavedCase savedCases[] = {
    {"bullet-level-with-number-placeholder", {"<ul><li>", "Apples", "Pears", "</ul>"}},
    {"blank-stored-marker", {"<ol><li>", "Preheat the oven", "Bake the bread", "</ol>"}},
    {"stored-marker-with-leading-tab", {"<ul><li>", "Milk", "</ul> <ol> <li>", "Stir</font></font></p> </ol>"}},
    {"associated-fonts", {"<font face=\"Arial, serif\"><font size=\"3\" style=\"font-size: 12pt\">Plain Latin words",
                          "<font face=\"Arial, serif\"><font size=\"3\" style=\"font-size: 12pt\">Latin words"}},
    {"picture-in-floating-shape", {"<img src=", "width=\"96\" height=\"96\""}},
    {"picture-in-shape-with-drawing-object", {"<img src=", "width=\"96\" height=\"96\""}},
    {"unclosed-object-group", {"First paragraph Words inside the unclosed object group.", "Words after its first paragraph mark."}},
    {"fields-kept", {"<sdfield type=DATETIME sdnum=\"1033;0;D MMMM YYYY\">", "<sdfield type=PAGE", "<sdfield type=DOCSTAT",
                     "<a href=\"http://example.org/\" target=\"A tip\">the example site</a>"}},
    {"ignorable-mark-inside-group", {">Before <", "<a href=\"http://example.org/a\">", "<u>the link text</u>", "> after.<"}},
    // (LibreOffice's HTML writes an address without a scheme as one relative to its file)
    {"hyperlink-without-scheme", {"www.example.com\"><", "example.org/page\"><", "<u>the page</u>"}},
    // each character once, in the Symbol font
    {"symbol-field", {"<font face=\"Symbol, serif\"><font size=\"3\" style=\"font-size: 12pt\">a</font>",
                      "12pt\"> and beta is </font>", "12pt\">.</font>"}},
    {"table-at-start", {"dir=\"ltr\"> <table"}},   // no paragraph above the table
    {"line-spacing", {"style=\"line-height: 115%; margin-bottom: 0in\"> <font face=\"Times New Roman, serif\"><font size=\"3\" style=\"font-size: 12pt\">This paragraph has 1.15",
                      "style=\"line-height: 200%", "style=\"line-height: 0.25in"}},
    {"hidden-text", {"<span style=\"display: none\">hidden source sentence </span>",
                     "<span style=\"display: none\">A whole hidden paragraph.</span>"}},
    // the changes' words in their own look, not the strike-out and underline they are shown in
    {"tracked-changes", {"12pt\">The meeting is on MondayTuesday at noon.</font>", "12pt\">Keep this sentence. Drop this sentence.</font>"}},
    {"style-list-numbering", {"<ol> <li>", "Alpha", "Beta", "Gamma", "</ol>"}},
    {"private-use-bullet", {"<ul> <li>", "Bread", "Milk", "</ul>"}},
    // the second section on a page of its own, the third in two columns
    {"section-breaks", {"portrait.</font></font></p> <p align=\"left\" style=\"line-height: 100%; margin-bottom: 0in; "
                        "page-break-before: always\"> <font face=\"Times New Roman, serif\"><font size=\"3\" "
                        "style=\"font-size: 12pt\">Second section", "style=\"column-count: 2\"><p", "Third section"}},
    {"text-box", {"<span id=\"Frame1\"", "Words inside the text box.</font></font></p> </span>"}},
    {"../regressions/lists-no-list-style-draws",
     {"<ol start=\"3\"><li>", "Third", "</ol> <ol> <li>", "Chapter", "Section", "</ol> </ol> <ul> <li>", "Dash", "Checked"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, LibreOfficeReadsSavedCases, ::testing::ValuesIn(savedCases));

} // namespace
