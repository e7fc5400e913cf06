// rtfconvert as a user runs it: exit status, messages and the file it writes.
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ConvertCase
{
    const char *name;
    QByteArray input;          // written to in.rtf; empty: no input file at all
    QString output;            // the name of the file to write, in the same folder
    int exitCode;
    QByteArray expectedOutput; // the start of what the output file holds
    QByteArray expectedError;  // a part of what goes to stderr
};

const ConvertCase convertCases[] = {
    {"RtfToText", "{\\rtf1\\ansi Hello\\par \\u1046? world}", QStringLiteral("out.txt"), 0,
     "Hello\n\xd0\x96 world", ""},
    {"ListItemsKeepTheirMarkersInText",
     "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid1}}"
     "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\pard\\ls1 A\\par\\pard\\ls1 B}",
     QStringLiteral("out.txt"), 0, "1.\tA\n2.\tB", ""},
    {"RtfToRtf", "{\\rtf1\\ansi {\\b bold}}", QStringLiteral("out.rtf"), 0, "{\\rtf1\\ansi\\ansicpg1252", ""},
    {"ExtensionInAnyCase", "{\\rtf1 x}", QStringLiteral("OUT.TXT"), 0, "x", ""},
    {"NotRtf", "just some text", QStringLiteral("out.txt"), 1, "", "cannot read"},
    {"MissingInput", "", QStringLiteral("out.txt"), 1, "", "File not found"},
    {"UnwritableOutput", "{\\rtf1 x}", QStringLiteral("no/such/folder/out.txt"), 1, "", "Path not found"},
    {"UnknownOutputType", "{\\rtf1 x}", QStringLiteral("out.doc"), 2, "", "usage:"},
};

class RtfConvert : public ::testing::TestWithParam<ConvertCase>
{
};

TEST_P(RtfConvert, ExitsAndWritesAsExpected)
{
    const ConvertCase &c = GetParam();
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.rtf"));
    if (!c.input.isEmpty())
        TestFiles::writeBytes(in, c.input);
    const QString out = dir.filePath(c.output);
    QProcess tool;
    tool.start(QStringLiteral(RTFCONVERT), {in, out});
    ASSERT_TRUE(tool.waitForFinished(30000));
    const QByteArray error = tool.readAllStandardError();
    EXPECT_EQ(tool.exitCode(), c.exitCode) << error.toStdString();
    EXPECT_TRUE(error.contains(c.expectedError)) << error.toStdString();
    QFile written(out);
    if (c.exitCode == 0) {
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().startsWith(c.expectedOutput));
    } else {
        EXPECT_FALSE(written.exists()) << "a failed conversion writes nothing";
    }
}

TEST(RtfConvertUsage, WrongArgumentCountIsAUsageError)
{
    QProcess tool;
    tool.start(QStringLiteral(RTFCONVERT), {QStringLiteral("only-one.rtf")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 2);
    EXPECT_TRUE(tool.readAllStandardError().contains("usage: rtfconvert IN.rtf OUT.rtf|OUT.txt"));
}

TEST(RtfConvertUsage, HelpGoesToStandardOutputAndSucceeds)
{
    for (const char *option : {"--help", "-h"}) {
        QProcess tool;
        tool.start(QStringLiteral(RTFCONVERT), {QString::fromLatin1(option)});
        ASSERT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 0) << option;
        EXPECT_TRUE(tool.readAllStandardOutput().startsWith("usage: rtfconvert IN.rtf OUT.rtf|OUT.txt")) << option;
        EXPECT_TRUE(tool.readAllStandardError().isEmpty()) << option;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RtfConvert, ::testing::ValuesIn(convertCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
