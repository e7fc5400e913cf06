// The facade's case conversion and plain-text files.
#include "FacadeFixture.h"
#include "support/FileSizeLimit.h"
#include "support/FormattedSample.h"
#include "support/TestFiles.h"

#include "editor/CaseConversion.h"
#include "editor/PlainTextFile.h"
#include "base/Failure.h"

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
    // "a", a bold letter, a picture, "b"; converted whole, or the letter and the picture.
    struct Case { QString letter; int selStart, selLength; QString text; int convertedLength; };
    const Case cases[] = {
        {"x", 0, 0, "AX\uFFFCB", 0},
        {"\u00DF", 0, 0, "ASS\uFFFCB", 0},     // sharp s becomes two letters
        {"\u00DF", 1, 2, "aSS\uFFFCb", 3},
    };
    for (const Case &c : cases) {
        fillWithBoldLetterAndPicture(box, c.letter, Qt::red);
        select(c.selStart, c.selLength);
        facade.Convert(0);
        const std::string name = c.text.toStdString();
        EXPECT_EQ(box.Text(), c.text) << name;
        EXPECT_EQ(box.SelStart(), c.selStart) << name;
        EXPECT_EQ(box.SelLength(), c.convertedLength) << name;
        const int picture = int(c.text.indexOf(QChar::ObjectReplacementCharacter));
        QTextCursor cursor(box.document());
        for (int position = 1; position <= picture + 2; ++position) {
            cursor.setPosition(position);
            const bool bold = position >= 2 && position <= picture;
            EXPECT_EQ(cursor.charFormat().fontWeight(), bold ? QFont::Bold : QFont::Normal) << name << position;
            EXPECT_EQ(cursor.charFormat().isImageFormat(), position == picture + 1) << name << position;
        }
    }

    // A word that goes on across a change of format is still one word.
    box.setText(QStringLiteral("wORLD"));
    select(0, 2);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    box.textCursor().mergeCharFormat(bold);
    select(0, 0);
    facade.Convert(2);
    EXPECT_EQ(box.Text(), QStringLiteral("World"));
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

TEST_F(PlainTextFileTest, BytesTheCodePageCannotReadSurviveAnUnchangedSave)
{
    // Latin-1 text under a UTF-8 locale, with bytes Windows-1252 leaves undefined.
    const QByteArray latin1("na\xEFve caf\xE9 \x81\x8D\x8F\x90\x9D\xFF\nend");
    struct Case { QByteArray bytes; QString text; };
    const Case cases[] = {
        {latin1, QStringLiteral("na\u00EFve caf\u00E9 \u0081\u008D\u008F\u0090\u009D\u00FF\nend")},
        {"caf\xC3\xA9 \xE2\x82\xAC", QStringLiteral("caf\u00E9 \u20AC")},
    };
    facade.CodePage = 65001;
    for (const Case &c : cases) {
        const QString in = path(QStringLiteral("in.txt")), out = path(QStringLiteral("out.txt"));
        writeBytes(in, c.bytes);
        facade.LoadFromFile(in);
        EXPECT_EQ(box.Text(), c.text);
        facade.SaveToFile(out);
        EXPECT_EQ(readBytes(out), c.bytes) << c.bytes.toStdString();
    }

    // A character the file's encoding can't hold is saved in the user's encoding instead of
    // being lost.
    writeBytes(path(QStringLiteral("in.txt")), "caf\xE9");
    facade.LoadFromFile(path(QStringLiteral("in.txt")));
    box.setSelStart(box.TextLength());
    box.setSelText(QStringLiteral(" \u65E5"));
    facade.SaveToFile(path(QStringLiteral("out.txt")));
    EXPECT_EQ(readBytes(path(QStringLiteral("out.txt"))), QByteArray("caf\xC3\xA9 \xE6\x97\xA5"));
}

TEST_F(PlainTextFileTest, SavesLeavePicturesOut)
{
    fillWithBoldLetterAndPicture(box, QStringLiteral("x"), Qt::red);
    select(1, 3);
    for (int codePage : {1252, 65001}) {
        facade.CodePage = codePage;
        facade.SaveToFile(path(QStringLiteral("all.txt")));
        facade.SaveSelection(path(QStringLiteral("selection.txt")));
        EXPECT_EQ(readBytes(path(QStringLiteral("all.txt"))), QByteArray("axb")) << codePage;
        EXPECT_EQ(readBytes(path(QStringLiteral("selection.txt"))), QByteArray("xb")) << codePage;
    }
}

TEST_F(PlainTextFileTest, AFailedSaveLeavesTheOldFile)
{
    box.setText(QStringLiteral("new"));
    writeBytes(path(QStringLiteral("file")), "a file, not a folder");
    // Failures that don't depend on permissions, so that they fail for root too.
    for (const QString &target : {path(QStringLiteral("no/such/dir.txt")), path(QStringLiteral("file/below.txt")), dir.path()}) {
        EXPECT_THROW(facade.SaveToFile(target), Failure) << target.toStdString();
        EXPECT_THROW(facade.SaveSelection(target), Failure) << target.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    EXPECT_EQ(readBytes(path(QStringLiteral("file"))), QByteArray("a file, not a folder"));

    // A write that fails half-way, as on a full disk: the old file stays, and no temporary
    // file is left beside it.
    const QString file = path(QStringLiteral("kept.txt"));
    writeBytes(file, "old");
    box.setText(QString(1000, u'x'));
    {
        FileSizeLimit limit(64);
        EXPECT_THROW(facade.SaveToFile(file), Failure);
    }
    EXPECT_EQ(readBytes(file), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("file"), QStringLiteral("kept.txt")}));
}
