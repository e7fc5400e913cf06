// The facade's case conversion and plain-text files.
#include "FacadeFixture.h"
#include "support/FormattedSample.h"
#include "support/TestFiles.h"

#include "editor/CaseConversion.h"
#include "editor/PlainTextFile.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

namespace {

using TestFiles::readBytes;
using TestFiles::writeBytes;

} // namespace

TEST_F(FacadeTest, ConvertTheSelectionOrTheWholeText)
{
    struct Case { QString text; int selStart, selLength, op; QString result; bool focusMoves; };
    const Case cases[] = {
        {"xx abc yy", 3, 3, 0, "xx ABC yy", true},
        {"xx abc yy", 0, 0, 0, "XX ABC YY", false},
        {"Hello World", 0, 11, 1, "hello world", true},
        {"hELLO wORLD", 0, 0, 2, "Hello World", false},
        {"one\ttwo\nthree four", 0, 0, 2, "One\tTwo\nThree Four", false},
        {"Hello World", 0, 0, 3, "hELLO wORLD", false},
        {"aBc 1", 0, 5, 3, "AbC 1", true},
        {"xx abc yy", 3, 3, 7, "xx abc yy", true},
        {"xx abc yy", 3, 0, 7, "xx abc yy", false},
        {"", 0, 0, 0, "", false},
    };
    for (const Case &c : cases) {
        box.setText(c.text);
        select(c.selStart, c.selLength);
        elsewhere.setFocus();
        facade.Convert(c.op);
        const std::string name = c.text.toStdString() + " op " + std::to_string(c.op);
        EXPECT_EQ(box.Text(), c.result) << name;
        EXPECT_EQ(box.SelStart(), c.selStart) << name;
        EXPECT_EQ(box.SelLength(), c.selLength) << name;
        EXPECT_EQ(boxHasFocus(), c.focusMoves) << name;
    }
}

TEST_F(FacadeTest, ConvertKeepsFormattingAndPictures)
{
    fillWithBoldLetterAndPicture(box, QStringLiteral("x"), Qt::red);
    QTextCursor cursor = box.textCursor();
    select(0, 0);

    facade.Convert(0);
    EXPECT_EQ(box.Text(), QStringLiteral("AX\uFFFCB"));
    cursor.setPosition(2);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    cursor.setPosition(3);
    EXPECT_TRUE(cursor.charFormat().isImageFormat());

    // A conversion that changes the length replaces the text.
    box.setText(QStringLiteral("straße"));
    facade.Convert(0);
    EXPECT_EQ(box.Text(), QStringLiteral("STRASSE"));
}

TEST(CaseConversion, ToggleStaysWithinASingleBytePage)
{
    struct Case { QString text; int codePage; QString toggled; };
    const Case cases[] = {
        {"a, B, c 1", 1252, "A, b, C 1"},
        {"\u00E9\u00FF\u00C0", 1252, "\u00C9\u0178\u00E0"}, // é ÿ À: Ÿ is 0x9F in 1252
        {"\u00B5", 1252, "\u00B5"},                          // µ: 1252 has no capital for it
        {"\u00B5", 65001, "\u039C"},
        {"\u0436\u0416", 65001, "\u0416\u0436"},
        {"", 1252, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CaseConversion::toggle(c.text, c.codePage), c.toggled) << c.text.toStdString();
}

class PlainTextFileTest : public FacadeTest
{
protected:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

TEST_F(PlainTextFileTest, LoadDecodesTheCodePageOrAUtf16Mark)
{
    struct Case { QByteArray bytes; int codePage; QString text; };
    const Case cases[] = {
        {QByteArray(), 1252, ""},
        {QByteArray("\xFF\xFEH\0i\0", 6), 1252, "Hi"},
        {QByteArray("\xFE\xFF\0H\0i", 6), 1252, "Hi"},
        {QByteArray("H\0i\0", 4), 1252, QStringLiteral("H") + QChar(0) + QStringLiteral("i") + QChar(0)},
        {QByteArray("\xFF\xFE\xE9\0\x16\x04", 6), 1252, "\u00E9\u0416"}, // é Ж kept whole
        {QByteArray("\xFE\xFF\0\xE9", 4), 65001, "\u00E9"},
        {QByteArray("caf\xE9", 4), 1252, "caf\u00E9"},
        {QByteArray("caf\xC3\xA9\r\nx"), 65001, "caf\u00E9\nx"},
    };
    for (const Case &c : cases) {
        facade.CodePage = c.codePage;
        writeBytes(path(QStringLiteral("in.txt")), c.bytes);
        box.setText(QStringLiteral("old"));
        facade.LoadFromFile(path(QStringLiteral("in.txt")));
        EXPECT_EQ(box.Text(), c.text) << c.bytes.toHex().toStdString();
    }
}

TEST_F(PlainTextFileTest, LoadOfAMissingFileCreatesItAndEmptiesTheArea)
{
    box.setText(QStringLiteral("old"));
    facade.LoadFromFile(path(QStringLiteral("new.txt")));
    EXPECT_EQ(box.Text(), QString());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("new.txt"))));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("new.txt"))).size(), 0);

    // A path that can't be opened fails and leaves the area as it was.
    box.setText(QStringLiteral("old"));
    EXPECT_THROW(facade.LoadFromFile(path(QStringLiteral("no/such/dir.txt"))), Failure);
    EXPECT_THROW(facade.LoadFromFile(dir.path()), Failure);
    EXPECT_EQ(box.Text(), QStringLiteral("old"));
}

TEST_F(PlainTextFileTest, SaveWritesTheTextOrTheSelectionInTheCodePage)
{
    struct Case { int codePage; bool selectionOnly; QByteArray bytes; };
    const Case cases[] = {
        {1252, false, "caf\xE9\nline"},
        {65001, false, "caf\xC3\xA9\nline"},
        {1252, true, "f\xE9\nl"},
        {65001, true, "f\xC3\xA9\nl"},
    };
    box.setText(QStringLiteral("caf\u00E9\nline"));
    select(2, 4);
    for (const Case &c : cases) {
        facade.CodePage = c.codePage;
        const QString file = path(QStringLiteral("out.txt"));
        writeBytes(file, "a longer old content that must go");
        if (c.selectionOnly)
            facade.SaveSelection(file);
        else
            facade.SaveToFile(file);
        EXPECT_EQ(readBytes(file), c.bytes) << c.codePage << c.selectionOnly;
    }

    // Saved and loaded again, the text comes back as it was.
    facade.CodePage = 65001;
    facade.SaveToFile(path(QStringLiteral("round.txt")));
    box.setText(QString());
    facade.LoadFromFile(path(QStringLiteral("round.txt")));
    EXPECT_EQ(box.Text(), QStringLiteral("caf\u00E9\nline"));
}

TEST_F(PlainTextFileTest, AFailedSaveLeavesTheOldFile)
{
    box.setText(QStringLiteral("new"));
    EXPECT_THROW(facade.SaveToFile(path(QStringLiteral("no/such/dir.txt"))), Failure);
    EXPECT_THROW(facade.SaveToFile(dir.path()), Failure);
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());

    // The new content goes to a file beside the old one, which is replaced only at the end.
    const QString file = path(QStringLiteral("kept.txt"));
    writeBytes(file, "old");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool directoryRefusesWrites = !QFile(path(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
    if (directoryRefusesWrites) {
        EXPECT_THROW(facade.SaveToFile(file), Failure);
        EXPECT_EQ(readBytes(file), QByteArray("old"));
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
