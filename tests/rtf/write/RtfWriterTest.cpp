// What the writer puts in the file for each kind of content, one case a row.
#include "WriterTestDocuments.h"

#include "rtf/files/DocumentFiles.h"

#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct WriterCase
{
    const char *name;
    std::function<std::unique_ptr<QTextDocument>()> document;
    QList<QByteArray> contains;
    QList<QByteArray> lacks = {};
};

TestParagraph text(const QString &text, QTextCharFormat format = {})
{
    return {{{text, format}}};
}

std::unique_ptr<QTextDocument> withPicture(QSize pixels, QSizeF drawn)
{
    auto document = makeDocument({text(QStringLiteral("a"))});
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter),
                      pictureFormat(*document, QStringLiteral("picture1"), pixels, drawn));
    return document;
}

std::unique_ptr<QTextDocument> withTable()
{
    auto document = makeDocument({text(QStringLiteral("before"))});
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::End);
    insertSampleTable(cursor);
    cursor.insertText(QStringLiteral("after"));
    return document;
}

QTextBlockFormat aligned(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    return format;
}

const WriterCase writerCases[] = {
    {"Header", [] { return makeDocument({text(QStringLiteral("x"))}); },
     {"{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1", "{\\fonttbl{\\f0", "{\\colortbl;"}},
    {"Escapes", [] { return makeDocument({text(QStringLiteral("a\\b{c}d"))}); },
     {"a\\\\b\\{c\\}d"}},
    {"TabLineBreakNoBreakSpace",
     [] { return makeDocument({text(QStringLiteral("a\tb\u2028c\u00a0d"))}); },
     {"a\\tab b\\line c\\~d"}},
    {"Cyrillic", [] { return makeDocument({text(QStringLiteral("Жу"))}); },
     {"\\u1046?\\u1091?"}},
    {"CjkAboveSignedRange", [] { return makeDocument({text(QStringLiteral("中\uff01"))}); },
     {"\\u20013?\\u-255?"}},
    {"EmojiAsSurrogatePair", [] { return makeDocument({text(QStringLiteral("\U0001F600"))}); },
     {"\\u-10179?\\u-8704?"}},
    {"ParagraphsSeparatedNotTerminated",
     [] { return makeDocument({text(QStringLiteral("one")), text(QStringLiteral("two"))}); },
     {"one}\\par\r\n\\pard\\ql{"}, {"two}\\par"}},
    {"EmptyParagraphKeepsItsFormatInItsMark",
     [] {
         auto document = makeDocument({text(QStringLiteral("a"))});
         QTextCursor cursor(document.get());
         cursor.movePosition(QTextCursor::End);
         cursor.insertBlock(QTextBlockFormat(), charFormat({{QTextFormat::FontPointSize, 8.0}}));
         cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
         cursor.insertText(QStringLiteral("b"));
         return document;
     },
     {"\\pard\\ql\\f0\\fs16\\par\r\n\\pard\\ql\\plain{\\f0\\fs24 b}"}},
    {"BoldItalicUnderlineStrike",
     [] {
         return makeDocument({text(QStringLiteral("x"),
                                   charFormat({{QTextFormat::FontWeight, QFont::Bold},
                                               {QTextFormat::FontItalic, true},
                                               {QTextFormat::TextUnderlineStyle, QTextCharFormat::SingleUnderline},
                                               {QTextFormat::FontStrikeOut, true}}))});
     },
     {"\\b\\i\\ul\\strike x"}},
    {"FontAndHalfPointSize",
     [] {
         return makeDocument({text(QStringLiteral("x"),
                                   charFormat({{QTextFormat::FontFamilies, QStringList{QStringLiteral("Courier New")}},
                                               {QTextFormat::FontPointSize, 10.5}}))});
     },
     {"{\\f1\\fmodern\\fcharset0 Courier New;}", "{\\f1\\fs21 x}"}},
    {"WhatARunLeavesUnsetIsTheDefaultFontAsShown",
     [] {
         auto document = makeDocument({{{{QStringLiteral("typed")},
                                          {QStringLiteral("plain"), charFormat({{QTextFormat::FontWeight, QFont::Normal}})}}}});
         document->setDefaultFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
         return document;
     },
     {"{\\f0\\fswiss\\fcharset0 Arial;}", "{\\f0\\fs18\\b typed}{\\f0\\fs18 plain}"}},
    {"DefaultItalicUnderlineStrike",
     [] {
         auto document = makeDocument({text(QStringLiteral("typed"))});
         QFont font = document->defaultFont();
         font.setItalic(true);
         font.setUnderline(true);
         font.setStrikeOut(true);
         document->setDefaultFont(font);
         return document;
     },
     {"{\\f0\\fs24\\i\\ul\\strike typed}"}},
    {"ColoursInOrderOfUse",
     [] {
         return makeDocument({text(QStringLiteral("x"),
                                   charFormat({{QTextFormat::ForegroundBrush, QBrush(QColor(255, 0, 0))},
                                               {QTextFormat::BackgroundBrush, QBrush(QColor(0, 255, 0))}}))});
     },
     {"{\\colortbl;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}", "\\cf1\\highlight2 x"}},
    {"Alignments",
     [] {
         return makeDocument({{{{QStringLiteral("c")}}, aligned(Qt::AlignHCenter)},
                              {{{QStringLiteral("r")}}, aligned(Qt::AlignRight)},
                              {{{QStringLiteral("j")}}, aligned(Qt::AlignJustify)}});
     },
     {"\\pard\\qc{", "\\pard\\qr{", "\\pard\\qj{"}},
    {"IndentsAndSpacingInTwips",
     [] {
         QTextBlockFormat format;
         format.setLeftMargin(48);
         format.setRightMargin(24);
         format.setTextIndent(-12);
         format.setTopMargin(8);
         format.setBottomMargin(4);
         return makeDocument({{{{QStringLiteral("x")}}, format}});
     },
     {"\\li720\\ri360\\fi-180\\sb120\\sa60"}},
    {"PictureAtItsDrawnSize", [] { return withPicture({4, 2}, {80, 40}); },
     {"{\\pict\\pngblip\\picw4\\pich2\\picwgoal1200\\pichgoal600 \n89504e47"}},
    {"PictureAtItsOwnSize", [] { return withPicture({6, 3}, {}); },
     {"\\picw6\\pich3\\picwgoal90\\pichgoal45"}},
    {"HyperlinkAsField",
     [] {
         return makeDocument({text(QStringLiteral("link"),
                                   charFormat({{QTextFormat::IsAnchor, true},
                                               {QTextFormat::AnchorHref, QStringLiteral("https://example.com/\"q\"")}}))});
     },
     {"{\\field{\\*\\fldinst{HYPERLINK \"https://example.com/%22q%22\"}}{\\fldrslt{\\f0\\fs24 link}}}"}},
    {"Table", [] { return withTable(); },
     {"before}\\par\r\n\\trowd\\trgaph108", "\\cellx4680", "\\cellx9360",
      "\\intbl{\\f0\\fs24 a1}\\cell", "b2}\\cell\\row", "\\row\r\n\r\n\\pard\\ql{\\f0\\fs24 after}"}},
};

class RtfWriterTest : public ::testing::TestWithParam<WriterCase>
{
};

TEST_P(RtfWriterTest, WritesTheExpectedControlWords)
{
    const WriterCase &c = GetParam();
    const auto document = c.document();
    const QByteArray rtf = rtfFromDocument(*document);
    for (const QByteArray &expected : c.contains)
        EXPECT_TRUE(rtf.contains(expected)) << "missing " << expected.toStdString() << " in\n" << rtf.toStdString();
    for (const QByteArray &unexpected : c.lacks)
        EXPECT_FALSE(rtf.contains(unexpected)) << "unexpected " << unexpected.toStdString() << " in\n" << rtf.toStdString();
    // Readers of every age take the file: nothing but 7-bit ASCII.
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }));
    EXPECT_TRUE(rtf.endsWith("}\r\n"));
    EXPECT_EQ(rtf, rtfFromDocument(*c.document())) << "the same document must give the same bytes";
}

INSTANTIATE_TEST_SUITE_P(Features, RtfWriterTest, ::testing::ValuesIn(writerCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
