// Plain text in and out: what a document becomes as a .txt file, and what a file becomes.
#include "WriterTestDocuments.h"

#include "rtf/files/DocumentFiles.h"
#include "rtf/files/PlainText.h"
#include "rtf/DocumentText.h"
#include "rtf/read/RtfReader.h"
#include "support/TestFiles.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

struct SaveCase
{
    const char *name;
    QList<QString> paragraphs;
    QByteArray file;
};

const SaveCase saveCases[] = {
    {"Empty", {QString()}, ""},
    {"ParagraphsSeparatedByNewline", {QStringLiteral("one"), QStringLiteral("two")}, "one\ntwo"},
    {"EmptyParagraphsKept", {QStringLiteral("a"), QString(), QString()}, "a\n\n"},
    {"NoBreakSpaceStays", {QStringLiteral("10\u00a0km")}, "10\xc2\xa0km"},
    {"LineBreakBecomesNewline", {QStringLiteral("a\u2028b")}, "a\nb"},
    {"TabsStay", {QStringLiteral("a\tb")}, "a\tb"},
    {"Utf8", {QStringLiteral("Жу 中 \U0001F600")}, "\xd0\x96\xd1\x83 \xe4\xb8\xad \xf0\x9f\x98\x80"},
};

class PlainTextSave : public ::testing::TestWithParam<SaveCase>
{
};

TEST_P(PlainTextSave, WritesUtf8Paragraphs)
{
    QList<TestParagraph> paragraphs;
    for (const QString &paragraph : GetParam().paragraphs)
        paragraphs.append({{{paragraph}}});
    EXPECT_EQ(plainTextFromDocument(*makeDocument(paragraphs)), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlainTextSave, ::testing::ValuesIn(saveCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Plain text carries the markers that the lists draw, which the document's characters don't
// hold: a numbered procedure keeps its "1. 2. 3.". A range copies the marker of each item that
// starts inside it.
TEST(PlainTextSave, ListItemsStartWithTheirMarkers)
{
    const auto document = documentFromRtf(
        TestFiles::readBytes(QStringLiteral(CORVALA_TEST_DATA "/rtf/cases/list-markers.rtf")));
    const QString text = QString::fromUtf8(plainTextFromDocument(*document));
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "Steps:\n1.\tBoil water\n2.\tAdd tea\nNotes:\n\u2022\tUse fresh leaves\nEnd.")))
        << text.toStdString();

    const int item = document->findBlockByNumber(2).position();   // "Add tea"
    const struct { int from, to; QString text; } ranges[] = {
        {item, item + 3, QStringLiteral("2.\tAdd")},
        {item + 1, item + 3, QStringLiteral("dd")},
        {item - 3, item + 3, QStringLiteral("er\n2.\tAdd")},
    };
    for (const auto &range : ranges)
        EXPECT_EQ(plainTextOfRange(*document, DocumentText::between(*document, range.from, range.to), range.from),
                  range.text) << range.from;
}

TEST(PlainTextSave, PicturesLeaveNothingBehind)
{
    auto document = makeDocument({{{{QStringLiteral("a")}}}});
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter),
                      pictureFormat(*document, QStringLiteral("p"), {2, 2}));
    cursor.insertText(QStringLiteral("b"));
    EXPECT_EQ(plainTextFromDocument(*document), "ab");
}

struct LoadCase
{
    const char *name;
    QByteArray file;
    QString text;   // paragraphs separated by U+2029, as the document holds them
};

const LoadCase loadCases[] = {
    {"Utf8", "\xd0\x96 \xf0\x9f\x98\x80", QStringLiteral("Ж \U0001F600")},
    {"Utf8ByteOrderMarkDropped", "\xef\xbb\xbfx", QStringLiteral("x")},
    {"Utf16LittleEndian", QByteArray("\xff\xfe" "A\0\x16\x04", 6), QStringLiteral("AЖ")},
    {"Utf16BigEndian", QByteArray("\xfe\xff\0A\x04\x16", 6), QStringLiteral("AЖ")},
    {"NotUtf8ReadAsWindows1252", "caf\xe9 \x80", QStringLiteral("café €")},
    {"LineEndsOfEveryKind", "a\r\nb\rc\nd", QStringLiteral("a\u2029b\u2029c\u2029d")},
    {"NoBreakSpaceStays", "a\xc2\xa0" "b", QStringLiteral("a\u00a0b")},
};

class PlainTextLoad : public ::testing::TestWithParam<LoadCase>
{
};

TEST_P(PlainTextLoad, DecodesIntoParagraphs)
{
    EXPECT_EQ(documentFromPlainText(GetParam().file)->toRawText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlainTextLoad, ::testing::ValuesIn(loadCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
