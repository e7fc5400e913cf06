// The editing area's undo, clipboard, tab stops, wrapping, style bits, selection hiding and
// focus, as the commands rely on them.
#include "ShownRichTextBox.h"
#include "support/FormattedSample.h"

#include "base/Failure.h"
#include "platform/WindowMessages.h"
#include "platform/richtextbox/SelectionMime.h"
#include "rtf/RtfRevisions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

using namespace WindowMessages;

namespace {

QImage picture(QColor colour)
{
    QImage image(8, 6, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The pictures of a document, in order, as their pixels.
QList<QImage> picturesIn(const QTextDocument &document)
{
    QList<QImage> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                pictures << document.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
            }
    return pictures;
}

void select(RichTextBox &box, int start, int length)
{
    box.setSelStart(start);
    box.setSelLength(length);
}

} // namespace

TEST(RichTextBoxUndo, SecondUndoRedoesWhatTheFirstTookBack)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    EXPECT_EQ(box.SendMessage(EM_CANUNDO, 0, 0), 0);
    EXPECT_EQ(box.SendMessage(WM_UNDO, 0, 0), 0);

    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("ab"));
    ASSERT_EQ(box.Text(), QStringLiteral("ab"));
    EXPECT_NE(box.SendMessage(EM_CANUNDO, 0, 0), 0);
    EXPECT_EQ(box.SendMessage(EM_CANREDO, 0, 0), 0);

    const QString afterEachUndo[] = {"", "ab", "", "ab"};
    for (const QString &expected : afterEachUndo) {
        EXPECT_NE(box.SendMessage(WM_UNDO, 0, 0), 0);
        EXPECT_EQ(box.Text(), expected);
        EXPECT_NE(box.SendMessage(EM_CANUNDO, 0, 0), 0) << "the next undo has something to do";
    }

    // After an undo, an edit makes the next undo take that edit back.
    box.SendMessage(WM_UNDO, 0, 0);
    QTest::keyClicks(&box, QStringLiteral("z"));
    box.SendMessage(WM_UNDO, 0, 0);
    EXPECT_EQ(box.Text(), QString());
    box.SendMessage(WM_UNDO, 0, 0);
    EXPECT_EQ(box.Text(), QStringLiteral("z"));
}

TEST(RichTextBoxUndo, TheAreasOwnUndoKeysAreSingleLevelToo)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("ab"));

    const struct {
        QKeyCombination keys;
        const char *text;
    } presses[] = {
        {Qt::ControlModifier | Qt::Key_Y, "ab"}, // nothing undone yet: nothing to redo
        {Qt::ControlModifier | Qt::Key_Z, ""},
        {Qt::ControlModifier | Qt::Key_Z, "ab"},
        {Qt::ControlModifier | Qt::Key_Z, ""},
        {Qt::ControlModifier | Qt::Key_Y, "ab"},
        {Qt::ControlModifier | Qt::Key_Y, "ab"},
    };
    for (const auto &press : presses) {
        QTest::keyClick(&box, press.keys.key(), press.keys.keyboardModifiers());
        EXPECT_EQ(box.Text(), QString::fromLatin1(press.text));
    }
}

TEST(RichTextBoxClipboard, CopyAndCutPutPlainTextWithNewlines)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.setText(QStringLiteral("one\ntwo\u00A0three"));
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(3);
    cursor.insertImage(QImage(picture(Qt::red)));

    struct Case { unsigned message; int start, length; QString clipboard, textAfter; };
    const Case cases[] = {
        {WM_COPY, 1, 8, "ne\ntwo\u00A0", "one\uFFFC\ntwo\u00A0three"},
        {WM_CUT, 0, 0, "unchanged", "one\uFFFC\ntwo\u00A0three"},
        {WM_COPY, 0, 0, "unchanged", "one\uFFFC\ntwo\u00A0three"},
        {WM_CLEAR, 0, 4, "unchanged", "\ntwo\u00A0three"},
        {WM_CUT, 1, 3, "two", "\n\u00A0three"},
    };
    for (const Case &c : cases) {
        QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
        select(box, c.start, c.length);
        box.SendMessage(c.message, 0, 0);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.clipboard) << c.message;
        EXPECT_EQ(box.Text(), c.textAfter) << c.message;
    }
}

TEST(RichTextBoxClipboard, CopyPutsListMarkersInThePlainTextButTextHasNone)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.setText(QStringLiteral("Steps\nBoil\nStir"));
    QTextCursor cursor(box.document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.createList(QTextListFormat::ListDecimal);

    select(box, 0, int(box.Text().size()));
    box.SendMessage(WM_COPY, 0, 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Steps\n1.\tBoil\n2.\tStir"));
    EXPECT_EQ(box.Text(), QStringLiteral("Steps\nBoil\nStir"));
}

TEST(RichTextBoxClipboard, PasteInsertsTextOrAPicture)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    struct Case { QString text; QImage image; QString result; int pictures; };
    const Case cases[] = {
        {"new\r\nline", {}, "[new\nline]", 0},
        {"", {}, "[old]", 0},
        {"", picture(Qt::blue), "[\uFFFC]", 1},
        {"words", picture(Qt::blue), "[words]", 0},
    };
    for (const Case &c : cases) {
        box.setText(QStringLiteral("[old]"));
        select(box, 1, 3);
        auto *data = new QMimeData;
        if (!c.text.isEmpty())
            data->setText(c.text);
        if (!c.image.isNull())
            data->setImageData(c.image);
        QGuiApplication::clipboard()->setMimeData(data);
        box.SendMessage(WM_PASTE, 0, 0);
        EXPECT_EQ(box.Text(), c.result) << c.text.toStdString();
        const QList<QImage> pictures = picturesIn(*box.document());
        ASSERT_EQ(pictures.size(), c.pictures);
        if (c.pictures) {
            EXPECT_EQ(pictures[0], c.image.convertToFormat(pictures[0].format()));
        }
    }
}

TEST(RichTextBoxClipboard, RichTextTravelsAsRtfOrHtmlToAndFromOtherPrograms)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    const QString pixel = QStringLiteral(
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGNgYPgPAAEDAQAIicLsAAAAAElFTkSuQmCC");
    const struct {
        const char *name;
        QByteArray rtf;
        QString html;
        QString text;
        QString expected;
        bool firstCharacterBold;
    } cases[] = {
        {"another program's RTF", "{\\rtf1\\ansi {\\b bold} plain}", "<i>not used</i>", "not used", "bold plain", true},
        {"a browser's HTML", {}, "<b>bold</b> plain", "not used", "bold plain", true},
        {"a picture as data", {}, "<b>a</b><img src=\"" + pixel + "\">b", "not used", "a\uFFFCb", true},
        {"a picture on the web is left out", {}, "<b>a</b><img src=\"https://example.org/a.png\">b", "", "ab", true},
        {"RTF that can't be read", "not rich text at all", {}, "its plain text", "its plain text", false},
    };
    for (const auto &c : cases) {
        box.setText(QString());
        auto *data = new QMimeData;
        if (!c.rtf.isEmpty())
            data->setData(QStringLiteral("text/rtf"), c.rtf);
        if (!c.html.isEmpty())
            data->setHtml(c.html);
        data->setText(c.text);
        QGuiApplication::clipboard()->setMimeData(data);

        box.SendMessage(WM_PASTE, 0, 0);

        EXPECT_EQ(box.Text(), c.expected) << c.name;
        QTextCursor first(box.document());
        first.setPosition(1);
        EXPECT_EQ(first.charFormat().fontWeight() == QFont::Bold, c.firstCharacterBold) << c.name;
    }

    select(box, 0, 4);
    box.SendMessage(WM_COPY, 0, 0);
    const QByteArray copied = QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf"));
    EXPECT_TRUE(copied.startsWith("{\\rtf1"));
    EXPECT_TRUE(copied.contains("its "));
}

TEST(RichTextBoxClipboard, CopiedPictureAndFormatSurviveAPasteIntoAnotherDocument)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    fillWithBoldLetterAndPicture(box, QStringLiteral("B"), Qt::green);
    select(box, 0, 4);
    box.SendMessage(WM_COPY, 0, 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("aBb"));

    RichTextBox other;
    other.SendMessage(WM_PASTE, 0, 0);
    EXPECT_EQ(other.Text(), QStringLiteral("aB\uFFFCb"));
    const QList<QImage> pictures = picturesIn(*other.document());
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0], picture(Qt::green).convertToFormat(pictures[0].format()));
    QTextCursor at(other.document());
    at.setPosition(2);
    EXPECT_EQ(at.charFormat().fontWeight(), QFont::Bold);
}

// What was copied stays on the clipboard as it was, whatever the document becomes: its plain
// text, made only when asked for, is the same before the document changes (made from the
// document) and after (made from the copied RTF), and so is its RTF.
TEST(RichTextBoxClipboard, TheCopyIsTheSelectionAsItWasWhenCopied)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    int tableStart = 0, tableEnd = 0;
    const auto build = [&] {
        box.setText(QStringLiteral("one two\nthree\u00A0four\nfive\nsix\nseven"));
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(3);
        cursor.insertImage(QImage(picture(Qt::red)));
        cursor.setPosition(9);
        cursor.insertText(QString(QChar::LineSeparator));
        cursor.setPosition(box.document()->findBlockByNumber(2).position());
        cursor.createList(QTextListFormat::ListDecimal);
        cursor.setPosition(box.document()->findBlockByNumber(3).position());
        QTextTable *table = cursor.insertTable(2, 3);
        for (int cell = 0; cell < 6; ++cell)
            table->cellAt(cell / 3, cell % 3).firstCursorPosition().insertText(QStringLiteral("c%1").arg(cell));
        tableStart = table->firstPosition();
        tableEnd = table->lastPosition();
    };
    build();
    const QString before = box.Text();

    const struct
    {
        const char *what;
        int start, end;
    } cases[] = {
        {"words and a picture", 1, 6},
        {"the picture alone", 3, 4},
        {"a line break and a paragraph's end", 8, 16},
        {"a list item", 16, 23},
        {"across a table", 16, tableEnd + 3},
        {"inside one cell", tableStart + 3, tableStart + 4},
        {"a block of cells", tableStart + 1, tableStart + 8},
        {"everything", 0, int(before.size())},
    };
    for (const auto &c : cases) {
        for (const bool changedSince : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (changedSince ? ", the document changed since" : ""));
            build();
            ASSERT_EQ(box.Text(), before);
            select(box, c.start, c.end - c.start);
            box.SendMessage(WM_COPY, 0, 0);
            const QString text = SelectionMime::plainText(box.textCursor());
            const QByteArray rtf = QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf"));
            if (changedSince)
                box.setText(QStringLiteral("something else"));
            const QMimeData &copied = *QGuiApplication::clipboard()->mimeData();
            EXPECT_EQ(copied.hasText(), !text.isEmpty());
            EXPECT_EQ(copied.text(), text);
            EXPECT_EQ(copied.data(QStringLiteral("text/rtf")), rtf);
        }
    }
}

TEST(RichTextBoxClipboard, APictureThatCannotBeDrawnTravelsWithItsOwnData)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    const QByteArray metafile = "{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 \n0102030405}";
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), "{\\rtf1 a" + metafile + "b}");
    QGuiApplication::clipboard()->setMimeData(data);
    box.SendMessage(WM_PASTE, 0, 0);
    select(box, 0, 3);
    box.SendMessage(WM_COPY, 0, 0);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf")).contains(metafile));

    RichTextBox other;
    other.SendMessage(WM_PASTE, 0, 0);
    EXPECT_EQ(other.Text(), QStringLiteral("a\uFFFCb"));
    EXPECT_TRUE(rtfFromDocument(*other.document()).contains(metafile));
}

TEST(RichTextBoxLayout, TabStopsInDialogUnits)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.setText(QStringLiteral("\tx"));
    const qreal quarterChar = QFontMetricsF(box.document()->defaultFont()).averageCharWidth() / 4;
    auto xOfX = [&] {
        QTextCursor cursor(box.document());
        cursor.setPosition(1);
        return box.cursorRect(cursor).left();
    };

    qint32 every40[] = {40};
    EXPECT_EQ(box.SendMessage(EM_SETTABSTOPS, 1, reinterpret_cast<qintptr>(every40)), 1);
    EXPECT_DOUBLE_EQ(box.document()->defaultTextOption().tabStopDistance(), 40 * quarterChar);
    const int at40 = xOfX();
    qint32 every80[] = {80};
    box.SendMessage(EM_SETTABSTOPS, 1, reinterpret_cast<qintptr>(every80));
    EXPECT_GT(xOfX(), at40) << "the text is laid out again";

    qint32 list[] = {20, 60};
    EXPECT_EQ(box.SendMessage(EM_SETTABSTOPS, 2, reinterpret_cast<qintptr>(list)), 1);
    ASSERT_EQ(box.document()->defaultTextOption().tabs().size(), 2);
    EXPECT_DOUBLE_EQ(box.document()->defaultTextOption().tabs()[1].position, 60 * quarterChar);

    EXPECT_EQ(box.SendMessage(EM_SETTABSTOPS, 0, 0), 1);
    EXPECT_DOUBLE_EQ(box.document()->defaultTextOption().tabStopDistance(), 32 * quarterChar);
    EXPECT_TRUE(box.document()->defaultTextOption().tabs().isEmpty());

    qint32 falling[] = {60, 20};
    qint32 zero[] = {0};
    EXPECT_EQ(box.SendMessage(EM_SETTABSTOPS, 2, reinterpret_cast<qintptr>(falling)), 0);
    EXPECT_EQ(box.SendMessage(EM_SETTABSTOPS, 1, reinterpret_cast<qintptr>(zero)), 0);
    EXPECT_EQ(box.SendMessage(EM_SETTABSTOPS, 1, 0), 0);
    EXPECT_EQ(box.SendMessage(EM_SETTABSTOPS, -1, 0), 0);
}

TEST(RichTextBoxLayout, StyleBitsShowTheScrollBarsAndKeepTheRest)
{
    RichTextBox box;
    const int start = box.WindowStyle();
    EXPECT_TRUE(start & WS_HSCROLL);
    EXPECT_TRUE(start & ES_AUTOHSCROLL);

    box.setWindowStyle(start & ~(WS_HSCROLL | ES_AUTOHSCROLL));
    EXPECT_EQ(box.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(box.WindowStyle(), start & ~(WS_HSCROLL | ES_AUTOHSCROLL));
    box.setWindowStyle(start);
    EXPECT_EQ(box.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(box.WindowStyle(), start);

    EXPECT_EQ(box.SendMessage(EM_SETTARGETDEVICE, 0, 1440), 1);
    EXPECT_EQ(box.lineWrapMode(), QTextEdit::FixedPixelWidth);
}

TEST(RichTextBoxAppearance, HiddenSelectionIsNotHighlightedAndComesBack)
{
    RichTextBox box;
    const QBrush highlight = box.palette().brush(QPalette::Active, QPalette::Highlight);
    EXPECT_FALSE(box.HideSelection());
    box.setHideSelection(true);
    EXPECT_TRUE(box.HideSelection());
    EXPECT_EQ(box.palette().color(QPalette::Active, QPalette::Highlight).alpha(), 0);
    EXPECT_EQ(box.palette().color(QPalette::Inactive, QPalette::Highlight).alpha(), 0);

    // A background colour given meanwhile stays.
    QPalette colours = box.palette();
    colours.setColor(QPalette::Base, Qt::yellow);
    box.setPalette(colours);
    box.setHideSelection(false);
    EXPECT_EQ(box.palette().brush(QPalette::Active, QPalette::Highlight), highlight);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(Qt::yellow));
}

TEST(RichTextBoxAppearance, SelColorColoursTheSelection)
{
    RichTextBox box;
    box.setText(QStringLiteral("abc"));
    select(box, 1, 1);
    box.setSelColor(0x0000FF); // red, in the lowest byte
    EXPECT_EQ(box.SelColor(), 0x0000FF);
    QTextCursor cursor(box.document());
    cursor.setPosition(2);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(Qt::red));
    cursor.setPosition(1);
    EXPECT_NE(cursor.charFormat().foreground().color(), QColor(Qt::red));
}

TEST(RichTextBoxEditing, ConvertRunsKeepsFormatsPicturesAndTheSelection)
{
    RichTextBox box;
    fillWithBoldLetterAndPicture(box, QStringLiteral("c"), Qt::red);
    QTextCursor cursor = box.textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\nd"));
    select(box, 1, 2);
    ASSERT_EQ(box.Text(), QStringLiteral("ac\uFFFCb\nd"));

    QStringList pieces;
    const int length = box.ConvertRuns(0, 6, [&](const QString &piece) {
        pieces << piece;
        return piece + piece;
    });
    EXPECT_EQ(pieces, (QStringList{"a", "c", "\uFFFC", "b", "\n", "d"}));
    EXPECT_EQ(box.Text(), QStringLiteral("aacc\uFFFCbb\ndd"));
    EXPECT_EQ(length, 10);
    EXPECT_EQ(picturesIn(*box.document()).size(), 1);
    cursor.setPosition(4);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    cursor.setPosition(2);
    EXPECT_NE(cursor.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(box.SelStart(), 2);   // the bold run and the picture, as before
    EXPECT_EQ(box.SelLength(), 3);
    EXPECT_THROW(box.ConvertRuns(2, 99, [](const QString &piece) { return piece; }), Failure);
}

TEST(RichTextBoxEditing, HasSelTextAgreesWithSelText)
{
    // "a", a table whose top row is empty and whose bottom right cell holds "x", then "b".
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.setText(QStringLiteral("a"));
    QTextCursor writer(box.document());
    writer.movePosition(QTextCursor::End);
    QTextTable *table = writer.insertTable(2, 2);
    table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("x"));
    writer.movePosition(QTextCursor::End);
    writer.insertText(QStringLiteral("b"));
    const auto cellPosition = [&](int row, int column) {
        return table->cellAt(row, column).firstPosition();
    };
    struct Case { const char *name; int anchor, position; bool hasText; };
    const Case cases[] = {
        {"nothing selected", 1, 1, false},
        {"one letter", 0, 1, true},
        {"a break alone", 1, 2, true},
        {"block of empty cells", cellPosition(0, 0), cellPosition(0, 1), true},   // the tab between them
        {"block of cells with text", cellPosition(0, 0), cellPosition(1, 1), true},
    };
    for (const Case &c : cases) {
        QTextCursor cursor(box.document());
        cursor.setPosition(c.anchor);
        cursor.setPosition(c.position, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        EXPECT_EQ(box.HasSelText(), c.hasText) << c.name;
        EXPECT_EQ(box.HasSelText(), !box.SelText().isEmpty()) << c.name;
    }
}

TEST(RichTextBoxFocus, SetFocusFailsWhenTheAreaCannotTakeIt)
{
    ShownRichTextBox shown;
    shown.box.SetFocus();
    EXPECT_TRUE(shown.boxHasFocus());

    shown.elsewhere.setFocus();
    shown.box.setEnabled(false);
    EXPECT_THROW(shown.box.SetFocus(), Failure);
    shown.box.setEnabled(true);
    shown.box.hide();
    EXPECT_THROW(shown.box.SetFocus(), Failure);
    EXPECT_FALSE(shown.boxHasFocus());
}

// A paragraph's line spacing, as a file gave it, goes on in the paragraph Enter starts.
TEST(RichTextBoxEditing, EnterCarriesTheLineSpacingOn)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.LoadFile(QStringLiteral(CORVALA_TEST_DATA "/rtf/cases/line-spacing.rtf"));
    QTextCursor cursor(box.document()->begin());
    cursor.movePosition(QTextCursor::EndOfBlock);
    box.setTextCursor(cursor);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, QStringLiteral("More"));
    const QTextBlockFormat typed = box.document()->begin().next().blockFormat();
    EXPECT_EQ(box.document()->begin().next().text(), QStringLiteral("More"));
    EXPECT_EQ(typed.lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_DOUBLE_EQ(typed.lineHeight(), 115);
}

// Words typed inside a tracked change, and after Enter there, are new text: no part of the
// change, nor shown as one.
TEST(RichTextBoxEditing, TextTypedInsideATrackedChangeIsOrdinaryText)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    box.LoadFile(QStringLiteral(CORVALA_TEST_DATA "/rtf/cases/tracked-changes.rtf"));
    const int inside = int(QStringLiteral("The meeting is on MondayTues").size());
    QTextCursor cursor(box.document());
    cursor.setPosition(inside);
    ASSERT_TRUE(RtfRevision::isRevision(cursor.charFormat()));
    box.setTextCursor(cursor);
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("x"));
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, QStringLiteral("y"));
    EXPECT_EQ(box.document()->begin().next().text(), QStringLiteral("yday at noon."));
    for (const int typed : {inside, inside + 2}) {
        cursor.setPosition(typed + 1);
        EXPECT_EQ(box.document()->characterAt(typed), typed == inside ? QChar(u'x') : QChar(u'y'));
        EXPECT_FALSE(RtfRevision::isRevision(cursor.charFormat())) << typed;
        EXPECT_FALSE(cursor.charFormat().fontUnderline()) << typed;
    }
}

TEST(RichTextBoxEditing, EnterContinuesAListAndEndsItOnAnEmptyItem)
{
    ShownRichTextBox shown;
    RichTextBox &box = shown.box;
    QTextCursor cursor = box.textCursor();
    QTextCharFormat big;
    big.setFontPointSize(20);
    QTextBlockFormat spaced;
    spaced.setBottomMargin(10);
    cursor.setBlockFormat(spaced);
    cursor.insertText(QStringLiteral("One"), big);
    QTextListFormat numbered;
    numbered.setStyle(QTextListFormat::ListDecimal);
    QTextList *list = cursor.createList(numbered);
    box.setTextCursor(cursor);
    box.setFocus();

    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, QStringLiteral("Two"));
    const QTextBlock second = box.document()->lastBlock();
    ASSERT_EQ(second.textList(), list);
    EXPECT_EQ(list->itemText(second), QStringLiteral("2."));
    EXPECT_EQ(box.Text(), QStringLiteral("One\nTwo"));
    EXPECT_EQ(box.document()->firstBlock().blockFormat().bottomMargin(), 10) << "the item before keeps its spacing";
    EXPECT_EQ(second.blockFormat().bottomMargin(), 10);

    // Enter on the new, empty item ends the list there: the paragraph stays, out of the list,
    // and one undo takes that back.
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.Text(), QStringLiteral("One\nTwo\n"));
    EXPECT_EQ(box.document()->lastBlock().textList(), nullptr);
    box.SendMessage(WindowMessages::WM_UNDO, 0, 0);
    EXPECT_EQ(box.Text(), QStringLiteral("One\nTwo\n"));
    EXPECT_EQ(box.document()->lastBlock().textList(), list);
    box.SendMessage(WindowMessages::WM_UNDO, 0, 0);
    EXPECT_EQ(box.document()->lastBlock().textList(), nullptr);
    QTest::keyClicks(&box, QStringLiteral("After"));
    EXPECT_EQ(box.document()->lastBlock().textList(), nullptr);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(box.textCursor().charFormat().fontPointSize(), 20) << "typing goes on in the list's font";
}
