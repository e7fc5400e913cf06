// Writing and reading again gives back what was written: the same text, run by run in the same
// formats. First documents built here, one feature a row; then every file of the corpus.
#include "CorpusFiles.h"
#include "WriterTestDocuments.h"

#include "platform/Failure.h"
#include "platform/rtf/DocumentFiles.h"
#include "platform/rtf/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct RoundTripCase
{
    const char *name;
    std::function<std::unique_ptr<QTextDocument>()> document;
};

TestParagraph paragraph(const QString &text, QTextCharFormat format = {})
{
    return {{{text, format}}};
}

std::unique_ptr<QTextDocument> formatted(QTextFormat::Property property, const QVariant &value)
{
    return makeDocument({{{{QStringLiteral("plain ")},
                           {QStringLiteral("formatted"), charFormat({{property, value}})},
                           {QStringLiteral(" plain")}}}});
}

std::unique_ptr<QTextDocument> aligned(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    return makeDocument({{{{QStringLiteral("first")}}, format}, {{{QStringLiteral("second")}}, format}});
}

std::unique_ptr<QTextDocument> withFormattedEmptyParagraphs()
{
    const QTextCharFormat big = charFormat({{QTextFormat::FontPointSize, 20.0}, {QTextFormat::FontWeight, QFont::Bold}});
    auto document = makeDocument({paragraph(QStringLiteral("big"), big)});
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat(), big);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText(QStringLiteral("plain"));
    return document;
}

std::unique_ptr<QTextDocument> withPictures()
{
    auto document = makeDocument({paragraph(QStringLiteral("before "))});
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter),
                      pictureFormat(*document, QStringLiteral("own-size"), {12, 8}));
    cursor.insertText(QStringLiteral(" between "));
    cursor.insertText(QString(QChar::ObjectReplacementCharacter),
                      pictureFormat(*document, QStringLiteral("scaled"), {10, 10}, {40, 30}));
    cursor.insertText(QStringLiteral(" after"));
    return document;
}

const RoundTripCase roundTripCases[] = {
    {"Paragraphs", [] { return makeDocument({paragraph(QStringLiteral("one")), paragraph(QStringLiteral("two"))}); }},
    {"EmptyParagraphs", [] { return makeDocument({paragraph({}), paragraph(QStringLiteral("x")), paragraph({})}); }},
    {"FormattedEmptyParagraphs", [] { return withFormattedEmptyParagraphs(); }},
    {"Escapes", [] { return makeDocument({paragraph(QStringLiteral("\\par {braces} back\\slash"))}); }},
    {"TabsLineBreaksNoBreakSpaces",
     [] { return makeDocument({paragraph(QStringLiteral("a\tb\u2028c\u00a0d \u00a0\u00a0e"))}); }},
    {"Cyrillic", [] { return makeDocument({paragraph(QStringLiteral("Съешь же ещё этих мягких булок"))}); }},
    {"Cjk", [] { return makeDocument({paragraph(QStringLiteral("中文文本，日本語のテキスト、한국어"))}); }},
    {"Emoji", [] { return makeDocument({paragraph(QStringLiteral("smile \U0001F600 and \U0001F44D\U0001F3FD"))}); }},
    {"Bold", [] { return formatted(QTextFormat::FontWeight, QFont::Bold); }},
    {"Italic", [] { return formatted(QTextFormat::FontItalic, true); }},
    {"Underline", [] { return formatted(QTextFormat::TextUnderlineStyle, QTextCharFormat::SingleUnderline); }},
    {"Strike", [] { return formatted(QTextFormat::FontStrikeOut, true); }},
    {"Font", [] { return formatted(QTextFormat::FontFamilies, QStringList{QStringLiteral("Liberation Mono")}); }},
    {"Size", [] { return formatted(QTextFormat::FontPointSize, 20.0); }},
    {"HalfPointSize", [] { return formatted(QTextFormat::FontPointSize, 10.5); }},
    {"Colour", [] { return formatted(QTextFormat::ForegroundBrush, QBrush(QColor(0x12, 0x34, 0x56))); }},
    {"Background", [] { return formatted(QTextFormat::BackgroundBrush, QBrush(QColor(0xff, 0xff, 0x00))); }},
    {"Superscript", [] { return formatted(QTextFormat::TextVerticalAlignment, QTextCharFormat::AlignSuperScript); }},
    {"Subscript", [] { return formatted(QTextFormat::TextVerticalAlignment, QTextCharFormat::AlignSubScript); }},
    {"AllAtOnce",
     [] {
         return makeDocument({paragraph(QStringLiteral("everything"),
                                        charFormat({{QTextFormat::FontWeight, QFont::Bold},
                                                    {QTextFormat::FontItalic, true},
                                                    {QTextFormat::TextUnderlineStyle, QTextCharFormat::SingleUnderline},
                                                    {QTextFormat::FontStrikeOut, true},
                                                    {QTextFormat::FontFamilies, QStringList{QStringLiteral("Liberation Sans")}},
                                                    {QTextFormat::FontPointSize, 15.0},
                                                    {QTextFormat::ForegroundBrush, QBrush(QColor(0x80, 0, 0))}}))});
     }},
    {"AlignLeft", [] { return aligned(Qt::AlignLeft); }},
    {"AlignCenter", [] { return aligned(Qt::AlignHCenter); }},
    {"AlignRight", [] { return aligned(Qt::AlignRight); }},
    {"AlignJustify", [] { return aligned(Qt::AlignJustify); }},
    {"Pictures", [] { return withPictures(); }},
    {"Hyperlink",
     [] {
         return makeDocument({{{{QStringLiteral("see ")},
                                {QStringLiteral("the \"site\""),
                                 charFormat({{QTextFormat::IsAnchor, true},
                                             {QTextFormat::AnchorHref, QStringLiteral("https://example.com/a?b=1&c=\\")},
                                             {QTextFormat::TextUnderlineStyle, QTextCharFormat::SingleUnderline}})},
                                {QStringLiteral(" now")}}}});
     }},
    {"EverythingAtOnce", [] { return makeSampleDocument(SampleTable::Without); }},
};

std::unique_ptr<QTextDocument> readBack(const QByteArray &rtf)
{
    try {
        return documentFromRtf(rtf);
    } catch (const Failure &failure) {
        ADD_FAILURE() << "the reader refused the writer's output: " << failure.description().toStdString()
                      << "\n" << rtf.toStdString();
        return std::make_unique<QTextDocument>();
    }
}

class RtfRoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(RtfRoundTrip, ReadsBackTheSameTextAndFormats)
{
    const auto original = GetParam().document();
    const QByteArray rtf = rtfFromDocument(*original);
    const auto read = readBack(rtf);
    read->setDefaultFont(original->defaultFont());   // what a run does not set, the editor supplies
    EXPECT_EQ(read->toRawText(), original->toRawText()) << rtf.toStdString();
    EXPECT_EQ(lookOf(*read), lookOf(*original)) << rtf.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Features, RtfRoundTrip, ::testing::ValuesIn(roundTripCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RtfRoundTripTable, KeepsTheCellsText)
{
    auto original = makeDocument({paragraph(QStringLiteral("before"))});
    QTextCursor cursor(original.get());
    cursor.movePosition(QTextCursor::End);
    QTextTable *table = cursor.insertTable(2, 3);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column)
            table->cellAt(row, column).firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(row).arg(column));
    }
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("after"));
    const auto read = readBack(rtfFromDocument(*original));
    for (const char *cell : {"r0c0", "r0c2", "r1c1", "r1c2", "before", "after"})
        EXPECT_TRUE(read->toPlainText().contains(QLatin1String(cell))) << cell;
    EXPECT_TRUE(read->toPlainText().indexOf(QLatin1String("r0c0")) < read->toPlainText().indexOf(QLatin1String("r1c2")));
}

// The corpus: real files from many programs. Whatever the reader makes of a file, writing it and
// reading it again must give the same text.
class RtfCorpusRoundTrip : public ::testing::TestWithParam<std::string>
{
};

TEST_P(RtfCorpusRoundTrip, KeepsTheText)
{
    ASSERT_NE(GetParam(), CorpusFiles::missing) << "no RTF files in " << CorpusFiles::folder().toStdString();
    QFile file(CorpusFiles::folder() + u'/' + QString::fromStdString(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QTextDocument> first;
    try {
        first = documentFromRtf(file.readAll());
    } catch (const Failure &failure) {
        GTEST_SKIP() << "the reader refuses this file: " << failure.description().toStdString();
    }
    const QByteArray rtf = rtfFromDocument(*first);
    const auto second = readBack(rtf);
    EXPECT_EQ(second->toRawText(), first->toRawText());
    EXPECT_EQ(rtfFromDocument(*second).toStdString(), rtf.toStdString())
        << "writing what was read back must give the same file";
}

INSTANTIATE_TEST_SUITE_P(Corpus, RtfCorpusRoundTrip, ::testing::ValuesIn(CorpusFiles::names()),
                         [](const auto &info) { return CorpusFiles::testName(info.param); });

} // namespace
