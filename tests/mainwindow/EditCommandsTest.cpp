#include "MainWindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

#include "editor/spelling/InlineSpelling.h"
#include "platform/WindowMessages.h"

namespace {

struct CommandState {
    bool undoButton, redoButton, mnuUndo, mnuRedo;
};

CommandState undoRedoState(Form1 &form)
{
    return {form.Toolbar1->Buttons(10).Enabled(), form.Toolbar1->Buttons(11).Enabled(),
            form.mnuUndo->isEnabled(), form.mnuRedo->isEnabled()};
}

TEST_F(MainWindowTest, UndoRedoUndoTogglesTheTextAndTheCommandStates)
{
    type("abc");
    const struct {
        void (Form1::*command)();
        const char *text;
        CommandState state;
    } steps[] = {
        {&Form1::mnuUndo_Click, "", {false, true, false, true}},
        {&Form1::mnuRedo_Click, "abc", {true, false, true, false}},
        {&Form1::mnuUndo_Click, "", {false, true, false, true}},
    };
    for (const auto &step : steps) {
        (form.get()->*step.command)();
        EXPECT_EQ(form->txtEdit->Text(), QString::fromUtf8(step.text));
        const CommandState state = undoRedoState(*form);
        EXPECT_EQ(state.undoButton, step.state.undoButton);
        EXPECT_EQ(state.redoButton, step.state.redoButton);
        EXPECT_EQ(state.mnuUndo, step.state.mnuUndo);
        EXPECT_EQ(state.mnuRedo, step.state.mnuRedo);
    }
    EXPECT_TRUE(form->IsModified());
}

TEST_F(MainWindowTest, CopyAndCutRefreshTheEditMenu)
{
    QGuiApplication::clipboard()->clear();
    type("hello world");
    form->txtEdit->setSelStart(0);
    form->txtEdit->setSelLength(5);

    form->mnuCopy_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("hello world"));
    EXPECT_TRUE(form->mnuPaste->isEnabled());
    EXPECT_TRUE(form->mnuCut->isEnabled());
    EXPECT_TRUE(form->mnuCopy->isEnabled());

    form->mnuCut_Click();
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral(" world"));
    EXPECT_FALSE(form->mnuCut->isEnabled());
    EXPECT_FALSE(form->mnuCopy->isEnabled());
    EXPECT_TRUE(form->mnuPaste->isEnabled());
    EXPECT_TRUE(form->mnuSelAll->isEnabled());
}

TEST_F(MainWindowTest, TypedTextIsSavedAndCopiedInTheFontItIsShownIn)
{
    // A new editing area shows typed text in its design font, Arial 9 pt bold.
    type("Hello");
    dialogs.answerFile(path("typed.rtf"), 1);
    ASSERT_TRUE(form->mnuSaveAs_Click());
    const QByteArray rtf = readFile(path("typed.rtf"));
    EXPECT_TRUE(rtf.contains("{\\f0\\fswiss\\fcharset0 Arial;}")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\f0\\fs18\\b Hello}")) << rtf.toStdString();

    form->txtEdit->setSelStart(0);
    form->txtEdit->setSelLength(5);
    form->mnuCopy_Click();
    RichTextBox other;
    other.SendMessage(WindowMessages::WM_PASTE, 0, 0);
    QTextCursor pasted(other.document());
    pasted.setPosition(1);
    EXPECT_EQ(other.Text(), QStringLiteral("Hello"));
    EXPECT_EQ(pasted.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(pasted.charFormat().fontPointSize(), 9);
    EXPECT_EQ(pasted.charFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
}

TEST_F(MainWindowTest, SelectAllOnAnEmptyDocumentSelectsNothingAndDisablesTheSelectionItems)
{
    form->mnuSelAll_Click();
    EXPECT_EQ(form->txtEdit->SelLength(), 0);
    EXPECT_TRUE(form->txtEdit->hasFocus());
    EXPECT_FALSE(form->mnuCut->isEnabled());
    EXPECT_FALSE(form->mnuCopy->isEnabled());
    EXPECT_FALSE(form->mnuSelAll->isEnabled());
}

// Programs that take HTML but no RTF (mail programs, browsers) get the formats, lists, tables
// and pictures from Copy as HTML, and HTML alone, as they offer it, pastes back with them.
TEST_F(MainWindowTest, CopyOffersHtmlAndHtmlAlonePastesWithItsFormatsListsTablesAndPictures)
{
    RichTextBox &box = *form->txtEdit;
    QTextCursor cursor = box.textCursor();
    QTextCharFormat plain;
    plain.setFontWeight(QFont::Normal);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("plain "), plain);
    cursor.insertText(QStringLiteral("bold"), bold);
    cursor.insertBlock();
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertText(QStringLiteral("item"), plain);
    cursor.insertBlock(QTextBlockFormat()); // out of the list
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("c1"), plain);
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("c2"), plain);
    cursor.movePosition(QTextCursor::End);
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    cursor.insertImage(picture);
    const QString text = box.Text();

    form->mnuSelAll_Click();
    form->mnuCopy_Click();
    const QString html = QGuiApplication::clipboard()->mimeData()->html();
    for (const char *part : {"font-weight:700", "<ul", "<table", "src=\"data:image/png;base64,"})
        EXPECT_TRUE(html.contains(QLatin1String(part))) << part;

    auto *htmlOnly = new QMimeData;
    htmlOnly->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(htmlOnly);
    box.setText(QString());
    form->mnuPaste_Click();

    EXPECT_EQ(box.Text(), text);
    const auto formatAt = [&](int position) {
        QTextCursor at(box.document());
        at.setPosition(position + 1);
        return at;
    };
    EXPECT_EQ(formatAt(0).charFormat().fontWeight(), QFont::Normal);
    EXPECT_EQ(formatAt(int(text.indexOf(u'b'))).charFormat().fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(int(text.indexOf(QStringLiteral("item")))).currentList(), nullptr);
    EXPECT_NE(formatAt(int(text.indexOf(QStringLiteral("c2")))).currentTable(), nullptr);
    const QTextCursor pictureAt = formatAt(int(text.indexOf(QChar::ObjectReplacementCharacter)));
    ASSERT_TRUE(pictureAt.charFormat().isImageFormat());
    const QImage pasted = box.document()
                              ->resource(QTextDocument::ImageResource, QUrl(pictureAt.charFormat().toImageFormat().name()))
                              .value<QImage>();
    EXPECT_EQ(pasted.convertToFormat(picture.format()), picture);
}

// What LibreOffice Writer offers as HTML (its HTML export, as it puts it on the clipboard too).
TEST_F(MainWindowTest, HtmlFromLibreOfficePastesWithItsBoldListAndTable)
{
    auto *data = new QMimeData;
    data->setHtml(QString::fromUtf8(readFile(QStringLiteral(CORVALA_TEST_DATA "/html/libreoffice-7.4-writer.html"))));
    QGuiApplication::clipboard()->setMimeData(data);
    form->txtEdit->setText(QString());
    form->mnuPaste_Click();

    const QString text = form->txtEdit->Text();
    EXPECT_EQ(text, QStringLiteral("Quarterly figures from LibreOffice\nfirst point\nsecond point\n"
                                   "north\t120\nsouth\t95\nAfter the table.")) << text.toStdString();
    const auto at = [&](const char *word) {
        QTextCursor cursor(form->txtEdit->document());
        cursor.setPosition(int(text.indexOf(QLatin1String(word))) + 1);
        return cursor;
    };
    EXPECT_EQ(at("figures").charFormat().fontWeight(), QFont::Bold);
    EXPECT_NE(at("Quarterly").charFormat().fontWeight(), QFont::Bold);
    ASSERT_NE(at("second").currentList(), nullptr);
    EXPECT_EQ(at("second").currentList()->format().style(), QTextListFormat::ListDisc);
    ASSERT_NE(at("95").currentTable(), nullptr);
    EXPECT_EQ(at("95").currentTable()->rows(), 2);
}

TEST_F(MainWindowTest, PastingAPictureOnlyClipboardLeavesPasteDisabled)
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QGuiApplication::clipboard()->setImage(picture);

    form->mnuPaste_Click();

    EXPECT_FALSE(form->mnuPaste->isEnabled());
    EXPECT_EQ(form->txtEdit->TextLength(), 1); // the picture
}

TEST_F(MainWindowTest, CtrlVPastesOnceThroughThePasteCommandCtrlShiftVIsLeftAlone)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("xy"));
    form->mnuPaste->setEnabled(false);

    QTest::keyClick(form->txtEdit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("xy"));
    EXPECT_TRUE(form->mnuPaste->isEnabled()); // the command refreshed the Edit menu

    int keyCode = 86;
    form->txtEdit_KeyDown(keyCode, 3);
    EXPECT_EQ(keyCode, 86);
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("xy"));
}

TEST_F(MainWindowTest, EditMenuStateIsRefreshedOnlyByTheCommands)
{
    EXPECT_FALSE(form->mnuSelAll->isEnabled());
    type("typed");
    EXPECT_FALSE(form->mnuSelAll->isEnabled());
    EXPECT_FALSE(form->mnuUndo->isEnabled());
    form->mnuSelAll_Click();
    EXPECT_TRUE(form->mnuSelAll->isEnabled());
    EXPECT_TRUE(form->mnuUndo->isEnabled());
    EXPECT_TRUE(form->mnuCut->isEnabled());
}

// The Edit menu goes stale between its refreshes; the context menu shows the moment it opens.
TEST_F(MainWindowTest, TheContextMenuShowsWhatCanBeDoneWhenItOpens)
{
    QGuiApplication::clipboard()->clear();
    type("hello world");
    form->txtEdit->setSelStart(0);
    form->txtEdit->setSelLength(5);

    Q_EMIT form->txtEdit->customContextMenuRequested(QPoint(5, 5));

    auto *menu = form->findChild<QMenu *>(QStringLiteral("txtEditContextMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QStringList items;
    for (QAction *item : menu->actions())
        items << (item->isSeparator() ? QStringLiteral("-") : item->objectName() + (item->isEnabled() ? "" : " (off)"));
    EXPECT_EQ(items, QStringList({"mnuUndo", "mnuRedo (off)", "-", "mnuCut", "mnuCopy", "mnuPaste (off)", "-",
                                  "mnuSelAll", "-", "mnuSearchReplace", "-", "mnuCheckSpelling"}));
    EXPECT_FALSE(form->mnuCut->isEnabled()); // the Edit menu waits for its own refresh

    menu->actions().at(4)->trigger(); // Copy
    menu->hide();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));
}

// "Check Spelling" at the end of the context menu is kept for the next window (the test
// programs' settings are their own, in a temporary folder).
TEST_F(MainWindowTest, CheckSpellingIsRememberedForTheNextWindow)
{
    Q_EMIT form->txtEdit->customContextMenuRequested(QPoint(5, 5));
    auto *menu = form->findChild<QMenu *>(QStringLiteral("txtEditContextMenu"));
    ASSERT_NE(menu, nullptr);
    QAction *checkSpelling = menu->actions().last();
    ASSERT_EQ(checkSpelling->text(), QStringLiteral("Check Spelling"));
    EXPECT_TRUE(checkSpelling->isChecked());
    checkSpelling->trigger();
    menu->hide();
    EXPECT_FALSE(form->txtEditSpelling->isEnabled());

    Form1 next(messages, dialogs);
    next.Form_Load();
    EXPECT_FALSE(next.txtEditSpelling->isEnabled());
    Q_EMIT next.txtEdit->customContextMenuRequested(QPoint(5, 5));
    auto *nextMenu = next.findChild<QMenu *>(QStringLiteral("txtEditContextMenu"));
    EXPECT_FALSE(nextMenu->actions().last()->isChecked());
    nextMenu->actions().last()->trigger(); // on again, for the tests after this one
    nextMenu->hide();
    EXPECT_TRUE(next.txtEditSpelling->isEnabled());
}

} // namespace
