// What the editing area does not show (headers, footers, footnotes, comments, the document's
// information, the character set each font was declared with) is saved again as the file had
// it, and stays out of the text.
#include "RtfReaderTestSupport.h"
#include "support/TestFiles.h"

#include "rtf/files/DocumentFiles.h"
#include "rtf/KeptRtfParts.h"

#include <QTextCursor>

#include <gtest/gtest.h>

namespace {

const QByteArray sample =
    TestFiles::readBytes(QStringLiteral(CORVALA_TEST_DATA "/rtf/kept/header_footer_footnote_info.rtf"));

const char *const keptGroups[] = {
    "{\\info{\\title Quarterly report}{\\author Ann Example}{\\creatim\\yr2024\\mo3\\dy5\\hr10\\min20}}",
    "{\\header \\pard\\plain\\qc Page header text\\par}",
    "{\\footer \\pard\\plain\\qr Page footer text\\par}",
    "{\\footnote \\pard\\plain {\\super\\chftn} The footnote text.}",
    "{\\*\\atnid AE}",
    "{\\*\\atnauthor Ann Example}",
    "{\\*\\annotation \\pard\\plain A comment.}",
    "{\\footnote \\pard\\plain Note at the start.}",
};

const QString bodyText = QStringLiteral("Body with a notehere.\nSecond paragraph\nThird abc");

TEST(KeptRtfParts, StayOutOfTheText)
{
    const auto document = readRtf(sample);
    EXPECT_EQ(textOf(*document), bodyText);
    EXPECT_EQ(QString::fromUtf8(plainTextFromDocument(*document)), bodyText);
}

TEST(KeptRtfParts, AreSavedByteForByteAndAgainAfterReadingTheSave)
{
    const QByteArray saved = rtfFromDocument(*readRtf(sample));
    for (const char *group : keptGroups)
        EXPECT_TRUE(saved.contains(group)) << group;
    // document parts go before the body, anchored ones where they were
    EXPECT_LT(saved.indexOf("{\\info"), saved.indexOf("Body"));
    EXPECT_LT(saved.indexOf("{\\header"), saved.indexOf("Body"));
    EXPECT_LT(saved.indexOf("Body with a note"), saved.indexOf("{\\footnote \\pard\\plain {"));
    EXPECT_LT(saved.indexOf("{\\footnote \\pard\\plain {"), saved.indexOf("here."));
    EXPECT_LT(saved.indexOf("{\\*\\annotation"), saved.indexOf("Second"));
    EXPECT_LT(saved.indexOf("Note at the start."), saved.indexOf("Third"));
    EXPECT_EQ(saved.count("{\\footnote"), 2);

    const auto reread = readRtf(saved);
    EXPECT_EQ(textOf(*reread), bodyText);
    EXPECT_EQ(rtfFromDocument(*reread), saved);
}

TEST(KeptRtfParts, AFootnoteIsWrittenOnceWhenTextIsTypedBesideItsAnchor)
{
    const auto document = readRtf(sample);
    QTextCursor cursor(document.get());
    cursor.setPosition(int(bodyText.indexOf(QStringLiteral("here."))));
    cursor.insertText(QStringLiteral("typed "));
    const QByteArray saved = rtfFromDocument(*document);
    EXPECT_EQ(saved.count("{\\footnote"), 2);
    EXPECT_LT(saved.indexOf("The footnote text."), saved.indexOf("typed"));
}

// Footnotes kept where no character of their own is written as text: at a paragraph mark,
// or at a list item's marker that goes out as the item's \listtext.
TEST(KeptRtfParts, AFootnoteAtACharacterNotWrittenAsTextIsSavedOnce)
{
    const QByteArray literalList = "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'01.;}}\\listid1}}"
                                   "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}";
    for (const QByteArray &body : {QByteArray("First\\par {\\footnote Note.}"),
                                   QByteArray("First\\par\\par {\\footnote Note.}\\par"),
                                   QByteArray("First\\par\\trowd\\cellx900 a\\cell\\row {\\footnote Note.}"),
                                   literalList + "\\ls1 {\\footnote Note.}Item\\par",
                                   literalList + "\\ls1 {\\footnote Note.}{\\listtext .\\tab}\\par\\pard Next"}) {
        const QByteArray saved = rtfFromDocument(*readRtf("{\\rtf1 " + body + "}"));
        EXPECT_EQ(saved.count("{\\footnote Note.}"), 1) << body.constData();
        EXPECT_EQ(rtfFromDocument(*readRtf(saved)), saved) << body.constData();
    }
}

TEST(KeptRtfParts, TheSavedFileDeclaresTheCodePageOfTheKeptBytes)
{
    const QByteArray cyrillic = "{\\rtf1\\ansi\\ansicpg1251{\\header \\'cf\\'f0\\'e8}\\'cf\\'f0\\'e8}";
    const QByteArray saved = rtfFromDocument(*readRtf(cyrillic));
    EXPECT_TRUE(saved.startsWith("{\\rtf1\\ansi\\ansicpg1251\\deff0")) << saved.left(40).constData();
    EXPECT_TRUE(saved.contains("{\\header \\'cf\\'f0\\'e8}"));
    EXPECT_EQ(textOf(*readRtf(saved)), QString::fromUtf16(u"\u041F\u0440\u0438"));
    // without kept groups the writer's own page stays
    EXPECT_TRUE(rtfFromDocument(*readRtf("{\\rtf1\\ansi\\ansicpg1251 \\'cf}")).startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
}

// The kept groups' text read as if it were the body's, so that their font and colour numbers
// are looked up in the file's tables as the body's are.
std::unique_ptr<QTextDocument> readWithKeptGroupsInTheBody(QByteArray rtf)
{
    for (const char *word : {"{\\header ", "{\\footer ", "{\\footnote "})
        rtf.replace(word, "{");
    return readRtf(rtf);
}

TEST(KeptRtfParts, KeepTheirFontsAndColoursThroughTheSavedFilesTables)
{
    const QByteArray original =
        TestFiles::readBytes(QStringLiteral(CORVALA_TEST_DATA "/rtf/kept/fonts_colours.rtf"));
    const QByteArray saved = rtfFromDocument(*readRtf(original));
    struct Case { const char *text; std::string family, color, highlight; };
    const Case cases[] = {
        {"Header in Courier", "Courier New", "#ff0000", "none"},
        {"Blue footer", "Times New Roman", "#0000ff", "#008000"},   // in the file's default font
        {"Green note", "Courier New", "#008000", "none"},
    };
    for (const QByteArray &file : {original, saved}) {
        const auto document = readWithKeptGroupsInTheBody(file);
        const QString text = textOf(*document);
        for (const Case &c : cases) {
            const qsizetype at = text.indexOf(QLatin1String(c.text));
            ASSERT_GE(at, 0) << c.text;
            const QTextCharFormat format = formatAt(*document, int(at));
            const bool isSaved = &file == &saved;
            const std::string highlight = format.hasProperty(QTextFormat::BackgroundBrush)
                ? format.background().color().name().toStdString() : "none";
            EXPECT_EQ(format.fontFamilies().toStringList().value(0).toStdString(), c.family) << c.text << isSaved;
            EXPECT_EQ(format.foreground().color().name().toStdString(), c.color) << c.text << isSaved;
            EXPECT_EQ(highlight, c.highlight) << c.text << isSaved;
        }
    }
    EXPECT_TRUE(saved.contains("{\\*\\corvalatest\\bin3 \\f0}")) << "binary data is never renumbered";
    EXPECT_EQ(rtfFromDocument(*readRtf(saved)), saved);
}

// Other readers show the first section's headers, on the pages the first section shows them on;
// the later sections' are kept where those readers skip them, and their settings at their breaks.
TEST(KeptRtfParts, TheFirstSectionsHeadersAreTheOnesOtherReadersShow)
{
    const QByteArray rtf = "{\\rtf1\\facingp\\titlepg{\\headerf First}{\\header Other}One"
                           "\\sect\\sectd\\titlepg{\\header Second}{\\footer Foot}Two}";
    const auto document = readRtf(rtf);
    EXPECT_EQ(textOf(*document), QStringLiteral("One\nTwo"));
    const QByteArray saved = rtfFromDocument(*document);
    const qsizetype first = saved.indexOf("{\\headerf First}\r\n{\\header Other}");
    EXPECT_GE(first, 0);
    EXPECT_GT(saved.indexOf("{\\*\\corvalasections {\\header Second}{\\footer Foot}}"), first);
    EXPECT_EQ(saved.count("\\facingp\\titlepg"), 1);
    EXPECT_EQ(saved.count("titlepg"), 2) << "the second section's own, at its break";
    EXPECT_TRUE(saved.contains("One}\\sect\\sectd\\titlepg"));
    EXPECT_EQ(rtfFromDocument(*readRtf(saved)), saved);
}

TEST(KeptRtfParts, FontsKeepTheCharacterSetTheyWereDeclaredWith)
{
    struct Case { const char *name; QByteArray rtf; QByteArray written; };
    const Case cases[] = {
        {"symbol-like name with a text character set",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset0 Wingdings;}}\\f1 abc}", "\\fcharset0 Wingdings;"},
        {"symbol font declared as one", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f1 abc}",
         "\\fcharset2 Symbol;"},
        {"Cyrillic font", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f1 abc}",
         "\\fcharset204 Arial Cyr;"},
        {"undeclared symbol font is written as one", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Wingdings;}}\\f1 abc}",
         "\\fcharset2 Wingdings;"},
    };
    for (const Case &c : cases)
        EXPECT_TRUE(rtfFromDocument(*readRtf(c.rtf)).contains(c.written)) << c.name;
}

} // namespace
