// Spelling in a shown editing area: what is underlined, the right-click items, and that the
// underline stays out of the document. Every case uses English and a word list of its own.
#include "../../support/TestFiles.h"
#include "base/Failure.h"
#include "editor/mTxtHelper.h"
#include "editor/spelling/InlineSpelling.h"
#include "editor/spelling/SpellChecker.h"
#include "editor/spelling/SpellingDictionary.h"
#include "editor/spelling/SpellingMenu.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class SpellingArea
{
public:
    SpellingArea(SpellChecker &checker)
    {
        window.resize(500, 300);
        box.resize(500, 300);
        spelling = new InlineSpelling(box, checker);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        box.setFocus();
    }

    QStringList underlinedWords()
    {
        spelling->checkNow();
        QStringList words;
        const QString text = box.Text();
        for (const auto &[start, length] : spelling->underlined())
            words << text.mid(start, length);
        return words;
    }

    // A point of the viewport on the character after `position`.
    QPoint pointAt(int position)
    {
        QTextCursor cursor(box.document());
        cursor.setPosition(position + 1);
        return box.cursorRect(cursor).center() - QPoint(2, 0);
    }

    QWidget window;
    RichTextBox box{&window};
    InlineSpelling *spelling = nullptr; // the area's
};

class InlineSpellingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        checker = makeChecker();
        if (!checker->isReady())
            GTEST_SKIP() << "no English dictionary installed (Debian's hunspell-en-us)";
        area = std::make_unique<SpellingArea>(*checker);
    }

    std::unique_ptr<SpellChecker> makeChecker(QStringList folders = SpellingDictionary::systemFolders())
    {
        return std::make_unique<SpellChecker>(SpellChecker::Places{QStringLiteral("en_US"), folders, wordList()},
                                              SpellChecker::Loading::AtOnce);
    }

    QString wordList() const { return home.filePath(QStringLiteral("data/corvala/words")); }

    QTemporaryDir home;
    std::unique_ptr<SpellChecker> checker;
    std::unique_ptr<SpellingArea> area;
};

struct UnderlineCase
{
    const char16_t *text;
    QStringList underlined;
};

class UnderlinedWordsTest : public InlineSpellingTest, public ::testing::WithParamInterface<UnderlineCase>
{
};

TEST_P(UnderlinedWordsTest, UnderlinesTheMisspelledWordsOnly)
{
    area->box.setText(QString::fromUtf16(GetParam().text));
    EXPECT_EQ(area->underlinedWords(), GetParam().underlined);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnderlinedWordsTest,
    ::testing::Values(UnderlineCase{u"This sentense is rong.", {"sentense", "rong"}},
                      UnderlineCase{u"This sentence is right.", {}},
                      UnderlineCase{u"Call 555-1234 frm B12x, mail bob@exmaple.org or www.exmaple.com",
                                    {"frm"}},
                      UnderlineCase{u"A wrod\nin a secnod paragraph", {"wrod", "secnod"}},
                      UnderlineCase{u"English only: \u0436\u0443\u043A, \u4E2D\u6587", {}}));

TEST_F(InlineSpellingTest, TheWordBeingTypedIsJudgedWhenTheCaretLeavesIt)
{
    // Checked empty first, as a new window is: typing starts where the checked band ends.
    EXPECT_EQ(area->underlinedWords(), QStringList());
    QTest::keyClicks(&area->box, QStringLiteral("This is rong"));
    EXPECT_EQ(area->underlinedWords(), QStringList());
    QTest::keyClick(&area->box, Qt::Key_Period);
    EXPECT_EQ(area->underlinedWords(), QStringList{"rong"});
    // Back into the word: it is being typed again.
    QTest::keyClick(&area->box, Qt::Key_Left);
    QTest::keyClick(&area->box, Qt::Key_Backspace);
    EXPECT_EQ(area->underlinedWords(), QStringList());
    QTest::keyClick(&area->box, Qt::Key_End);
    EXPECT_EQ(area->underlinedWords(), QStringList{"ron"});
}

TEST_F(InlineSpellingTest, ManyParagraphsChangedOneByOneBetweenChecksAreAllJudged)
{
    // As Replace All changes them: each paragraph an edit of its own, more of them than the
    // check keeps track of one by one before it runs.
    QStringList lines;
    for (int line = 0; line < 150; ++line)
        lines << QStringLiteral("%1 right").arg(line);
    area->box.setText(lines.join(u'\n'));
    EXPECT_EQ(area->underlinedWords(), QStringList());
    QTextCursor cursor(area->box.document());
    for (QTextBlock block = area->box.document()->begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position() + block.length() - 1);
        cursor.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("rihgt"));
    }
    // What a fresh check of the same text finds.
    SpellingArea fresh(*checker);
    fresh.box.setText(area->box.Text());
    const QStringList expected = fresh.underlinedWords();
    EXPECT_GT(expected.size(), 10);
    EXPECT_EQ(area->underlinedWords(), expected);
}

TEST_F(InlineSpellingTest, WordsInASymbolFontAreNotChecked)
{
    QTextCursor cursor(area->box.document());
    QTextCharFormat symbols;
    symbols.setFontFamilies({QStringLiteral("Wingdings")});
    cursor.insertText(QStringLiteral("wrod "), symbols);
    cursor.insertText(QStringLiteral("wrod"), QTextCharFormat());
    area->box.setSelStart(0);
    EXPECT_EQ(area->underlinedWords(), QStringList{"wrod"});
    EXPECT_EQ(area->spelling->underlined().value(0).first, 5);
}

TEST_F(InlineSpellingTest, IgnoreAllTakesTheWordAsRightForTheRun)
{
    area->box.setText(QStringLiteral("sentense and sentense are rong"));
    ASSERT_EQ(area->underlinedWords(), (QStringList{"sentense", "sentense", "rong"}));
    checker->ignoreAll(QStringLiteral("sentense"));
    EXPECT_EQ(area->underlinedWords(), QStringList{"rong"});
    EXPECT_FALSE(QFile::exists(wordList()));
}

TEST_F(InlineSpellingTest, AddToDictionaryLastsIntoANewEditingArea)
{
    area->box.setText(QStringLiteral("Corvalish is rong"));
    checker->addToDictionary(QStringLiteral("Corvalish"));
    EXPECT_EQ(area->underlinedWords(), QStringList{"rong"});
    EXPECT_EQ(TestFiles::readBytes(wordList()), QByteArray("Corvalish\n"));

    const auto nextRun = makeChecker();
    SpellingArea next(*nextRun);
    next.box.setText(QStringLiteral("Corvalish is rong"));
    EXPECT_EQ(next.underlinedWords(), QStringList{"rong"});
}

TEST_F(InlineSpellingTest, AChosenCorrectionIsOneUndoStepAndKeepsTheFormat)
{
    RichTextBox &box = area->box;
    box.setText(QStringLiteral("This sentense is rong."));
    box.setSelStart(5);
    box.setSelLength(8);
    box.setSelBold(true);
    box.setSelColor(0x0000FF);
    box.setSelStart(0);

    QMenu menu;
    menu.addAction(QStringLiteral("Undo"));
    SpellingMenu items(menu, *area->spelling, *checker, [](const std::function<void()> &work) { work(); });
    items.prepare(area->pointAt(7));
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    ASSERT_GE(texts.size(), 7);
    EXPECT_EQ(texts.first(), QStringLiteral("sentence"));
    EXPECT_EQ(texts.mid(texts.size() - 6),
              (QStringList{"Ignore All", "Add to Dictionary", "-", "Undo", "-", "Check Spelling"}));

    menu.actions().first()->trigger();
    EXPECT_EQ(box.Text(), QStringLiteral("This sentence is rong."));
    for (int position : {6, 11, 13}) { // the first letter, the new one and the last
        box.setSelStart(position);
        EXPECT_TRUE(box.SelBold()) << position;
        EXPECT_EQ(box.SelColor(), 0x0000FF) << position;
    }
    EXPECT_EQ(area->underlinedWords(), QStringList{"rong"});
    // One undo takes the whole correction back, and only it.
    box.document()->undo();
    EXPECT_EQ(box.Text(), QStringLiteral("This sentense is rong."));
    box.setSelStart(12);
    EXPECT_TRUE(box.SelBold());

    // A right word gets no spelling items.
    items.prepare(area->pointAt(1));
    EXPECT_EQ(menu.actions().size(), 3);
}

TEST_F(InlineSpellingTest, TheUnderlineIsNotSavedCopiedOrAnEdit)
{
    RichTextBox &box = area->box;
    mTxtHelper facade;
    facade.SetEditor(&box);
    box.setText(QStringLiteral("This sentense is rong."));
    box.document()->setModified(false);
    const int undoSteps = box.document()->availableUndoSteps();
    const auto saveAndCopy = [&](const QString &name) {
        box.SaveFile(home.filePath(name));
        facade.SelectAll();
        facade.Copy();
        box.setSelStart(0);
        return std::pair(TestFiles::readBytes(home.filePath(name)),
                         QApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf")));
    };
    ASSERT_EQ(area->underlinedWords(), (QStringList{"sentense", "rong"}));
    const auto underlined = saveAndCopy(QStringLiteral("on.rtf"));
    area->spelling->setEnabled(false);
    EXPECT_EQ(area->underlinedWords(), QStringList());
    const auto plain = saveAndCopy(QStringLiteral("off.rtf"));
    EXPECT_EQ(underlined.first, plain.first);
    EXPECT_EQ(underlined.second, plain.second);
    EXPECT_FALSE(underlined.first.contains("\\ul"));
    EXPECT_FALSE(box.document()->isModified());
    EXPECT_EQ(box.document()->availableUndoSteps(), undoSteps);
}

// The underline is drawn, red, over the text, and goes when spelling is turned off.
TEST_F(InlineSpellingTest, TheUnderlineIsDrawnInRed)
{
    area->box.setText(QStringLiteral("This sentense is rong."));
    const auto redPixels = [&] {
        area->spelling->checkNow();
        const QImage shown = area->box.viewport()->grab().toImage();
        int red = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QColor colour = shown.pixelColor(x, y);
                red += colour.red() > 160 && colour.green() < 120 && colour.blue() < 120;
            }
        return red;
    };
    EXPECT_GT(redPixels(), 20);
    area->spelling->setEnabled(false);
    EXPECT_EQ(redPixels(), 0);
}

TEST_F(InlineSpellingTest, HostileTextNeitherCrashesNorHangs)
{
    const QString huge(1 << 20, QLatin1Char('w'));
    const QString broken = QStringLiteral("ab") + QChar(0xD800) + QStringLiteral("cd ") + QChar(0xDC00) + QStringLiteral("x");
    const QString privateUse(8, QChar(0xE123));
    // Unwrapped, as the window shows text: Qt's own wrapping of a megabyte without a break
    // takes minutes, spelling or not.
    area->box.setLineWrapMode(QTextEdit::NoWrap);
    area->box.setText(QStringLiteral("rong\n") + huge + QStringLiteral(" tial\n") + broken + QLatin1Char('\n') + privateUse);
    EXPECT_EQ(area->underlinedWords().value(0), QStringLiteral("rong"));
    area->box.setSelStart(4 + (1 << 20));
    EXPECT_TRUE(area->spelling->misspelledWordAt(area->pointAt(5 + (1 << 10))).text.isEmpty());
}

TEST_F(InlineSpellingTest, NoDictionaryGivesNoUnderlineAndNoMessage)
{
    const auto none = makeChecker({home.filePath(QStringLiteral("no-dictionaries"))});
    EXPECT_FALSE(none->isReady());
    SpellingArea bare(*none);
    bare.box.setText(QStringLiteral("This sentense is rong."));
    EXPECT_EQ(bare.underlinedWords(), QStringList());
    EXPECT_FALSE(bare.spelling->misspelledWordAt(bare.pointAt(7)).isValid());
    EXPECT_EQ(none->takeWordListProblem(), QString());
}

TEST_F(InlineSpellingTest, ABrokenWordListIsToldOnceAndIgnored)
{
    QDir().mkpath(QFileInfo(wordList()).absolutePath());
    const QByteArray broken("rong\n\xff\xfe\0sentense\n", 17);
    TestFiles::writeBytes(wordList(), broken);
    const auto withBrokenList = makeChecker();
    const QString problem = withBrokenList->takeWordListProblem();
    EXPECT_TRUE(problem.contains(QStringLiteral("personal word list"))) << problem.toStdString();
    EXPECT_EQ(withBrokenList->takeWordListProblem(), QString());
    EXPECT_TRUE(withBrokenList->isMisspelled(u"rong"));
    EXPECT_THROW(withBrokenList->addToDictionary(QStringLiteral("rong")), Failure);
    EXPECT_EQ(TestFiles::readBytes(wordList()), broken);
}

TEST_F(InlineSpellingTest, CheckSpellingIsKeptInTheUsersSettings)
{
    ASSERT_TRUE(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QDir::tempPath()));
    SpellingMenu::saveCheckSpelling(false);
    EXPECT_FALSE(SpellingMenu::savedCheckSpelling());
    SpellingMenu::saveCheckSpelling(true);
    EXPECT_TRUE(SpellingMenu::savedCheckSpelling());
}

} // namespace
