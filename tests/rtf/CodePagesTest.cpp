// Windows code pages both ways.
#include "rtf/CodePages.h"

#include <gtest/gtest.h>

namespace {

struct CodePageCase
{
    int codePage;
    QByteArray bytes;
    const char16_t *text;
};

void PrintTo(const CodePageCase &c, std::ostream *out) { *out << "code page " << c.codePage; }

class CodePageRoundTrip : public testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageRoundTrip, DecodesAndEncodes)
{
    const CodePageCase &c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(CodePages::toUnicode(c.bytes, c.codePage), text);
    bool lossless = false;
    EXPECT_EQ(CodePages::fromUnicode(text, c.codePage, &lossless), c.bytes);
    EXPECT_TRUE(lossless);
    EXPECT_TRUE(CodePages::isSupported(c.codePage));
}

const CodePageCase roundTrips[] = {
    {1252, "caf\xe9 \x80 \x93q\x94", u"caf\u00e9 \u20ac \u201cq\u201d"},
    {1251, "\xcf\xf0\xe8\xe2\xe5\xf2", u"\u041f\u0440\u0438\u0432\u0435\u0442"},
    {1250, "\xa3\xf3\x9f", u"\u0141\u00f3\u017a"},
    {874, "\xa1\xd2", u"\u0e01\u0e32"},
    {10000, "\x8e\xa5", u"\u00e9\u2022"},
    {932, "\x93\xfa\x96\x7b a", u"\u65e5\u672c a"},
    {936, "\xd6\xd0\xce\xc4", u"\u4e2d\u6587"},
    {950, "\xa4\xa4\xa4\xe5", u"\u4e2d\u6587"},
    {65001, "\xc3\xa9\xe2\x82\xac", u"\u00e9\u20ac"},
};
INSTANTIATE_TEST_SUITE_P(Pages, CodePageRoundTrip, testing::ValuesIn(roundTrips));

TEST(CodePages, UnknownCodePageReadsAs1252)
{
    EXPECT_FALSE(CodePages::isSupported(12345));
    EXPECT_EQ(CodePages::toUnicode("\x80", 12345), QString(QChar(0x20AC)));
}

TEST(CodePages, UnencodableCharactersBecomeQuestionMarks)
{
    bool lossless = true;
    EXPECT_EQ(CodePages::fromUnicode(QString::fromUtf16(u"a\u4e2d\U0001F600b"), 1252, &lossless), "a??b");
    EXPECT_FALSE(lossless);
    lossless = true;
    EXPECT_EQ(CodePages::fromUnicode(QString::fromUtf16(u"\u4e2d\u0416"), 936, &lossless), "\xd6\xd0\xa7\xa8");
    EXPECT_EQ(CodePages::fromUnicode(QString::fromUtf16(u"x\u0e01"), 932, &lossless), "x?");
    EXPECT_FALSE(lossless);
}

TEST(CodePages, BrokenMultiByteTextCostsOneCharacterPerBadByte)
{
    EXPECT_EQ(CodePages::toUnicode("a\x93", 932), QString::fromUtf16(u"a\uFFFD"));
    EXPECT_EQ(CodePages::toUnicode("\xff" "a", 936), QString::fromUtf16(u"\uFFFDa"));
}

TEST(CodePages, UserDefinedPairsAreOnePrivateUseCharacterEach)
{
    struct Case { int codePage; QByteArray bytes; QString text; };
    const Case cases[] = {
        {936, "\xaa\xa1x", QString::fromUtf16(u"\uE000x")},
        {936, "\xaf\xfe", QString::fromUtf16(u"\uE233")},
        {936, "\xf8\xa1", QString::fromUtf16(u"\uE234")},
        {932, "\xf0\x40", QString::fromUtf16(u"\uE000")},
        {950, "\xfa\x40", QString::fromUtf16(u"\uE000")},
        {950, "\x81\x40", QString::fromUtf16(u"\uEEB8")},
        {949, "\xc9\xa1", QString::fromUtf16(u"\uE000")},
        {949, "\xfe\xa1", QString::fromUtf16(u"\uE05E")},
        {936, "\xa1\x41" "b", QString::fromUtf16(u"\uE4C7b")},
        // a pair that is no character at all is still one character, not a stray letter
        {949, "\xc9\x41" "b", QString::fromUtf16(u"\uFFFDb")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CodePages::toUnicode(c.bytes, c.codePage), c.text) << c.codePage << ' ' << c.bytes.toHex().constData();
}

TEST(CodePages, SingleBytePagesHaveATable)
{
    ASSERT_NE(CodePages::singleByteTable(1251), nullptr);
    EXPECT_EQ(CodePages::singleByteTable(1251)[0xC0], u'\u0410');
    EXPECT_EQ(CodePages::singleByteTable(932), nullptr);
    EXPECT_TRUE(CodePages::isLeadByte(932, 0x93));
    EXPECT_FALSE(CodePages::isLeadByte(932, 0x41));
    EXPECT_FALSE(CodePages::isLeadByte(1252, 0x93));
}

TEST(CodePages, CharacterSets)
{
    const std::pair<int, int> charsets[] = {{0, 1252}, {2, 0}, {77, 10000}, {128, 932}, {134, 936},
                                            {136, 950}, {204, 1251}, {222, 874}, {238, 1250}, {1, 0}};
    for (const auto &[charset, codePage] : charsets)
        EXPECT_EQ(CodePages::codePageForCharset(charset), codePage) << charset;
}

} // namespace
