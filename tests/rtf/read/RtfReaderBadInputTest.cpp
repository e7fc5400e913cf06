// Bad input: a clear failure or a sensible reading, never a crash, a hang or unbounded memory.
#include "RtfReaderTestSupport.h"

#include "base/Failure.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

namespace {

class ReaderBadInput : public testing::TestWithParam<RtfTextCase> {};

TEST_P(ReaderBadInput, ReadsWhatIsThere)
{
    const RtfTextCase &c = GetParam();
    const auto document = readRtf(c.rtf);
    EXPECT_EQ(textOf(*document), c.text);
}

// Fields inside fields' results, deeper than the reader's stack holds groups.
QByteArray nestedFields(int depth)
{
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < depth; ++i)
        rtf += "{\\field{\\*\\fldinst HYPERLINK \"http://example.com/\"}{\\fldrslt ";
    rtf += "deep text";
    for (int i = 0; i < depth; ++i)
        rtf += "}}";
    return rtf + " after}";
}

const RtfTextCase badCases[] = {
    {"empty file is an empty document", "", ""},
    {"white space only is an empty document", " \r\n", ""},
    {"missing closing braces", "{\\rtf1 Hello {\\b world", "Hello world"},
    {"cut inside a control word", "{\\rtf1 a\\pa", "a"},
    {"cut after a backslash", "{\\rtf1 a\\", "a"},
    {"cut inside a hex byte", "{\\rtf1 a\\'4", "a"},
    {"bad hex digits", "{\\rtf1 a\\'zzb\\'00c}", "azzbc"},
    {"extra closing brace ends the document", "{\\rtf1 a}}b", "a"},
    {"text after the document is ignored", "{\\rtf1 a}{\\rtf1 b}", "a"},
    {"bin beyond the end: the rest is read, the damage marked", "{\\rtf1 a\\bin99999999 xyz {\\b b}\\bin3 {}}c}",
     QString::fromUtf16(u"a\uFFFDxyz bc")},
    {"damage is marked once", "{\\rtf1 a\\bin999 b\\bin999 c}", QString::fromUtf16(u"a\uFFFDbc")},
    {"damage in a picture is marked at the picture", "{\\rtf1 a{\\pict\\bin999 }b}",
     QString::fromUtf16(u"a\uFFFD\uFFFCb")},
    {"control characters are no text", "{\\rtf1 a\\'01b\\u2?c\\'0bd\\u127?e\\'0d\\'0af\\'09g}", "abcdef\tg"},
    {"a destination word in the document's own group", "{\\rtf1 Body\\par More \\header text\\par\\*\\x y}",
     "Body\nMore text\ny"},
    {"fields nested past the shared depth keep their text", nestedFields(100000), "deep text after"},
    {"cell edges at the largest value",
     "{\\rtf1\\trowd\\cellx2147483647\\cellx2147483647\\pard\\intbl a\\cell b\\cell\\row\\pard END}", "\na\tb\nEND"},
    {"cell edges past 32 bits",
     "{\\rtf1\\trowd\\cellx2147483648\\cellx4294967296\\pard\\intbl a\\cell b\\cell c\\cell\\row\\pard END}",
     "\na\tb\tc\nEND"},
    {"negative cell edges", "{\\rtf1\\trowd\\cellx-5\\cellx-2147483648\\pard\\intbl a\\cell b\\cell\\row\\pard END}",
     "\na\tb\nEND"},
    {"tables nested past the deepest level keep their cells as text",
     "{\\rtf1\\trowd\\cellx1000\\pard\\intbl\\itap12 a\\nestcell b\\nestcell\\nestrow c\\nestcell\\nestrow"
     "\\pard\\intbl\\itap1 x\\cell\\row\\pard END}",
     "\n\n\n\n\n\n\n\na\tb\u2028c\n\n\n\n\n\n\nx\nEND"},
    {"negative bin", "{\\rtf1 a\\bin-5 b}", "ab"},
    {"overlong number saturates", "{\\rtf1 \\fs999999999999999999999 a\\u99999999999 b}",
     QString::fromUtf16(u"a\uFFFD")},
    {"huge uc skips to the group end", "{\\rtf1 {\\uc2147483647 \\u1046 gone}kept}", QString::fromUtf16(u"\u0416kept")},
    {"truncated picture", "{\\rtf1 a{\\pict\\pngblip 89504e", "a"},
    {"font table never closed", "{\\rtf1{\\fonttbl{\\f0 Arial;", ""},
    {"unknown destinations nested", "{\\rtf1 {\\*\\x{\\y{\\z deep}}}a}", "a"},
};
INSTANTIATE_TEST_SUITE_P(Cases, ReaderBadInput, testing::ValuesIn(badCases));

struct NotRtfCase
{
    const char *name;
    QByteArray data;
};

void PrintTo(const NotRtfCase &c, std::ostream *out) { *out << c.name; }

class ReaderNotRtf : public testing::TestWithParam<NotRtfCase> {};

// Open then leaves the current document as it was and tells the user.
TEST_P(ReaderNotRtf, FailsWithAClearDescription)
{
    try {
        readRtf(GetParam().data);
        FAIL() << "read as rich text";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.description(), "Not a rich text file");
    }
}

const NotRtfCase notRtfCases[] = {
    {"plain text", "Hello world"},
    {"leading garbage", "/{\\rtf1 Hello}"},
    {"a group that is not rtf", "{\\html1 x}"},
    {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)},
};
INSTANTIATE_TEST_SUITE_P(Cases, ReaderNotRtf, testing::ValuesIn(notRtfCases));

TEST(ReaderNesting, HundredThousandNestedGroupsReadFine)
{
    const int depth = 100000;
    const QByteArray rtf = "{\\rtf1 " + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " after}";
    const auto document = readRtf(rtf);
    EXPECT_EQ(textOf(*document), "deep after");
    EXPECT_NE(formatAt(*document, 0).fontWeight(), formatAt(*document, 5).fontWeight());
}

TEST(ReaderNesting, MillionsOfOpenGroupsStayBounded)
{
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 1000000; ++i)
        rtf += "{\\b ";
    rtf += "x";
    const auto document = readRtf(rtf);
    EXPECT_EQ(textOf(*document), "x");
}

TEST(ReaderNesting, BeyondTheSharedDepthTheOuterFormatComesBack)
{
    // Past 200,000 levels groups share one state; leaving them still restores the outer one.
    const int depth = 250000;
    const QByteArray rtf = "{\\rtf1 " + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " after}";
    const auto document = readRtf(rtf);
    EXPECT_EQ(textOf(*document), "deep after");
    EXPECT_EQ(formatAt(*document, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(*document, 6).fontWeight(), QFont::Normal);
}

// Inputs that went wrong once, or stand for a decision about bad input, kept as files. Each
// must load or fail cleanly; those listed here must read as shown. Crash inputs the fuzzer
// finds go into the folder as they are.
TEST(ReaderRegressions, EveryFileLoadsOrFailsCleanly)
{
    const QMap<QString, QString> readings = {
        {"damaged-pngblip.rtf", "a\uFFFCb"},
        {"extra-closing-brace.rtf", "a"},
        {"hex-zero-and-empty-hex.rtf", "ab"},
        {"hostile-font-table.rtf", "abcde"},
        {"list-marker-of-many-letters.rtf", "zzzzzzzzzzzzzzz)\titem\n"},
        {"huge-numbers.rtf", "abc\nde"},
        {"oversized-picture.rtf", "a\uFFFCb"},
        {"picture-in-the-outermost-group.rtf", "\uFFFC\n"},
        {"text-after-document.rtf", "first"},
        {"truncated.rtf", "Hello wor"},
        {"u65532-without-picture.rtf", "a\uFFFDb\uFFFDc"},
        {"wmetafile8.rtf", "a\uFFFCb"},
    };
    const QDir dir(QStringLiteral(CORVALA_TEST_DATA "/rtf/regressions"));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << "no files in " << dir.path().toStdString();
    for (const QString &name : readings.keys())
        EXPECT_TRUE(files.contains(name)) << name.toStdString() << " is missing";
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        try {
            const auto document = readRtf(file.readAll());
            if (readings.contains(name)) {
                EXPECT_EQ(textOf(*document), readings[name]) << name.toStdString();
            }
        } catch (const Failure &) {
            EXPECT_FALSE(readings.contains(name)) << name.toStdString() << " no longer reads";
        }
    }
}

} // namespace
