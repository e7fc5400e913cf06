#include "MainWindowFixture.h"

#include "support/FormattedSample.h"
#include "support/PdfText.h"

#include <QFileInfo>
#include <QImage>
#include <QTextImageFormat>

namespace {

class PrintTest : public MainWindowTest
{
public:
    // Two paragraphs around a bold letter and a picture: "ab" becomes "a", bold "X", picture, "b".
    void fillDocument()
    {
        fillWithBoldLetterAndPicture(*form->txtEdit, QStringLiteral("X"), Qt::red);
        QTextCursor cursor = form->txtEdit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        cursor.insertText(QStringLiteral("Heading line\nsecond paragraph "));
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral(" closing words"));
    }

    QString pdf() const { return path("printed.pdf"); }
};

TEST_F(PrintTest, PrintWithNothingSelectedPrintsTheWholeDocumentWithItsPicture)
{
    fillDocument();
    dialogs.answerPrinterToPdf(pdf());
    form->mnuPrint_Click();

    ASSERT_EQ(dialogs.printerRequests.size(), 1);
    EXPECT_EQ(dialogs.printerRequests[0].title, QStringLiteral("Print"));
    EXPECT_EQ(form->CD1.Flags, 264);
    EXPECT_FALSE(dialogs.printerRequests[0].selectionChosen);
    EXPECT_FALSE(dialogs.printerRequests[0].pageRangeAllowed);
    // The picture stands between the bold letter and "b".
    EXPECT_EQ(PdfText::words(pdf()).toStdString(), "Heading line second paragraph aX b closing words");
    EXPECT_EQ(PdfText::pictures(pdf()), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PrintTest, PrintWithASelectionPrintsOnlyTheSelection)
{
    fillDocument();
    const struct {
        int start, length;
        const char *words;
        int pictures;
    } cases[] = {
        {13, 6, "second", 0},
        {30, 9, "aX b clos", 1}, // the bold letter and the picture come along
    };
    for (const auto &c : cases) {
        form->txtEdit->setSelStart(c.start);
        form->txtEdit->setSelLength(c.length);
        dialogs.answerPrinterToPdf(pdf());
        form->mnuPrint_Click();
        EXPECT_EQ(form->CD1.Flags, 265);
        EXPECT_TRUE(dialogs.printerRequests.last().selectionChosen);
        EXPECT_EQ(PdfText::words(pdf()).toStdString(), c.words);
        EXPECT_EQ(PdfText::pictures(pdf()), c.pictures) << c.words;
    }
}

TEST_F(PrintTest, ALongDocumentRunsOverSeveralPages)
{
    QString text;
    for (int line = 1; line <= 200; ++line)
        text += QStringLiteral("line %1\n").arg(line);
    form->txtEdit->setText(text);
    dialogs.answerPrinterToPdf(pdf());
    form->mnuPrint_Click();
    EXPECT_GT(PdfText::pages(pdf()), 2);
    const QString words = PdfText::words(pdf());
    EXPECT_TRUE(words.startsWith(QStringLiteral("line 1 line 2 ")));
    EXPECT_TRUE(words.endsWith(QStringLiteral("line 199 line 200")));
}

// A document of `paragraphs` numbered lines with the given document words and header and
// footer groups.
QByteArray documentWithParts(const char *words, const char *parts, int paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}";
    rtf += words;
    rtf += parts;
    for (int line = 1; line <= paragraphs; ++line)
        rtf += "\\pard body line " + QByteArray::number(line) + "\\par\n";
    return rtf + "}";
}

TEST_F(PrintTest, EveryPageHasItsHeaderAndFooterWithThePageNumberAndCount)
{
    const struct {
        const char *words, *parts;
        // what the header and footer of pages 1, 2 and 3 read, "" for none
        const char *pageParts[3];
    } cases[] = {
        {"", "{\\header\\pard\\f1 Report page {\\field{\\*\\fldinst PAGE}{\\fldrslt 9}} of "
             "{\\field{\\*\\fldinst{ NUMPAGES \\\\* MERGEFORMAT}}{\\fldrslt 9}}\\par}"
             "{\\footer\\pard\\qc Foot \\chpgn\\par}",
         {"Report page 1 of 3", "Foot 1"}},
        {"\\titlepg\\facingp",
         "{\\headerf\\pard Cover\\par}{\\headerl\\pard Left \\chpgn\\par}{\\headerr\\pard Right \\chpgn\\par}"
         "{\\footerl\\pard Even foot\\par}{\\footerr\\pard Odd foot\\par}",
         {"Cover", "Left 2", "Right 3"}},
        {"", "{\\headerr\\pard Only right given\\par}", {"Only right given", "Only right given", "Only right given"}},
    };
    for (const auto &c : cases) {
        writeFile(path("parts.rtf"), documentWithParts(c.words, c.parts, 120));
        form->txtEdit->LoadFile(path("parts.rtf"));
        dialogs.answerPrinterToPdf(pdf());
        form->mnuPrint_Click();
        ASSERT_EQ(PdfText::pages(pdf()), 3) << c.parts;
        for (int page = 1; page <= 3; ++page) {
            const QString words = PdfText::pageWords(pdf(), page);
            EXPECT_TRUE(words.contains(QStringLiteral("body line"))) << page;
            if (c.pageParts[0] == QByteArray("Report page 1 of 3")) {
                EXPECT_TRUE(words.startsWith(QStringLiteral("Report page %1 of 3 ").arg(page))) << words.toStdString();
                EXPECT_TRUE(words.endsWith(QStringLiteral(" Foot %1").arg(page))) << words.toStdString();
            } else {
                EXPECT_TRUE(words.startsWith(QString::fromUtf8(c.pageParts[page - 1]) + QLatin1Char(' ')))
                    << words.toStdString();
            }
        }
        if (QByteArray(c.words).contains("facingp")) {
            EXPECT_FALSE(PdfText::pageWords(pdf(), 1).contains(QStringLiteral("foot"))); // \titlepg, no \footerf
            EXPECT_TRUE(PdfText::pageWords(pdf(), 2).endsWith(QStringLiteral("Even foot")));
            EXPECT_TRUE(PdfText::pageWords(pdf(), 3).endsWith(QStringLiteral("Odd foot")));
        }
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PrintTest, APictureLargerThanThePageIsPrintedWholeOnOnePage)
{
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QTextCursor cursor = form->txtEdit->textCursor();
    cursor.insertText(QStringLiteral("Above "));
    QTextImageFormat picture;
    picture.setName(QStringLiteral("photo"));
    picture.setWidth(4000);
    picture.setHeight(3000);
    form->txtEdit->document()->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("photo")), photo);
    cursor.insertImage(picture);
    dialogs.answerPrinterToPdf(pdf());
    form->mnuPrint_Click();
    EXPECT_EQ(PdfText::pages(pdf()), 1);
    EXPECT_EQ(PdfText::pictures(pdf()), 1);
    EXPECT_EQ(PdfText::words(pdf()), QStringLiteral("Above"));
}

// Whether every word of `words` is in `printed`, in their order. The text of a PDF holds the
// line before a page break twice, the second time clipped away at the top of the next page.
bool holdsInOrder(const QString &printed, const QString &words)
{
    const QStringList expected = words.split(QLatin1Char(' '));
    qsizetype found = 0;
    for (const QString &word : printed.split(QLatin1Char(' '))) {
        if (found < expected.size() && word == expected[found])
            ++found;
    }
    return found == expected.size();
}

// Word Wrap is the screen's: on paper every line breaks at the page's width, with Word Wrap on
// or off (as the window starts), and in the headers too, so every word is printed, on as many
// pages either way.
TEST_F(PrintTest, LongLinesBreakAtThePageWidthWhateverWordWrapSays)
{
    QString body, header;
    for (int paragraph = 1; paragraph <= 40; ++paragraph) {
        for (int word = 1; word <= 60; ++word)
            body += QStringLiteral("p%1w%2 ").arg(paragraph).arg(word);
        body += QLatin1Char('\n');
    }
    for (int word = 1; word <= 40; ++word)
        header += QStringLiteral("head%1 ").arg(word);
    writeFile(path("long lines.rtf"), "{\\rtf1\\ansi{\\header\\pard " + header.toLatin1() + "\\par}\\pard "
                                          + body.toLatin1().replace("\n", "\\par\n") + "}");
    dialogs.answerFile(path("long lines.rtf"), 1);
    form->mnuOpen->trigger();
    ASSERT_EQ(form->txtEdit->Text(), body);
    const QString headerWords = header.simplified() + QLatin1Char(' ');
    const int from = int(body.indexOf(QStringLiteral("p2w1 "))), to = int(body.indexOf(QStringLiteral("p4w1 ")));
    const struct {
        bool wordWrap, selection;
        QString words;
    } cases[] = {
        {false, false, body.simplified()},
        {true, false, body.simplified()},
        {false, true, body.mid(from, to - from).simplified()},
    };
    int pages[2] = {};
    for (const auto &c : cases) {
        if (form->mnuWordWrap->isChecked() != c.wordWrap)
            form->mnuWordWrap_Click();
        form->txtEdit->setSelStart(c.selection ? from : 0);
        form->txtEdit->setSelLength(c.selection ? to - from : 0);
        dialogs.answerPrinterToPdf(pdf());
        form->mnuPrint_Click();
        const int printed = PdfText::pages(pdf());
        for (int page = 1; page <= printed; ++page)
            EXPECT_TRUE(PdfText::pageWords(pdf(), page).startsWith(headerWords)) << page << " " << c.wordWrap;
        EXPECT_TRUE(holdsInOrder(PdfText::words(pdf()).remove(headerWords), c.words)) << c.wordWrap << " " << c.selection;
        if (!c.selection)
            pages[c.wordWrap] = printed;
    }
    EXPECT_GT(pages[true], 3);
    EXPECT_EQ(pages[false], pages[true]);
}

TEST_F(PrintTest, ACancelledPrinterDialogPrintsNothing)
{
    fillDocument();
    dialogs.answerPrinterToPdf(pdf());
    form->mnuPrint_Click();
    QFile::remove(pdf());

    dialogs.cancelPrinter();
    form->mnuPrint_Click();
    EXPECT_FALSE(QFileInfo::exists(pdf()));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PrintTest, PageSetupShowsThePrinterDialogWithTheFlagsLeftByTheLastDialog)
{
    type("some words");
    const struct {
        const char *before;
        int flags;
    } cases[] = {
        {"nothing yet", 0},
        {"font", 771},
        {"print with a selection", 265},
    };
    for (const auto &c : cases) {
        const QString before = QString::fromUtf8(c.before);
        if (before == QStringLiteral("font")) {
            dialogs.cancelFont();
            form->mnuFont_Click();
        } else if (before.startsWith(QStringLiteral("print"))) {
            form->txtEdit->setSelStart(0);
            form->txtEdit->setSelLength(4);
            dialogs.cancelPrinter();
            form->mnuPrint_Click();
        }
        dialogs.answerPrinterToPdf(pdf()); // OK prints nothing either
        form->mnuPageSetup_Click();
        EXPECT_EQ(form->CD1.Flags, c.flags) << c.before;
        const PrinterDialogRequest &shown = dialogs.printerRequests.last();
        EXPECT_EQ(shown.title, QStringLiteral("Page Setup"));
        EXPECT_EQ(shown.selectionChosen, bool(c.flags & 1)) << c.before;
        EXPECT_EQ(shown.pageRangeAllowed, !(c.flags & 8)) << c.before;
        EXPECT_FALSE(QFileInfo::exists(pdf())) << c.before;
    }
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("some words"));
}

} // namespace
