// The keys other word processors have taught every user, in the main window, where the
// window's own shortcuts take their keys first.
#include "MainWindowFixture.h"

#include "rtf/read/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QTextTable>
#include <QWheelEvent>

namespace {

QTextTable *insertTable(RichTextBox &box, int rows, int columns)
{
    QTextCursor cursor = box.textCursor();
    QTextTable *table = cursor.insertTable(rows, columns);
    box.setTextCursor(table->cellAt(0, 0).firstCursorPosition());
    return table;
}

struct Cell
{
    int row;
    int column;
};

TEST_F(MainWindowTest, TabMovesBetweenTableCellsSelectingThemAndAddsARowAtTheEnd)
{
    QTextTable *table = insertTable(*form->txtEdit, 2, 2);
    type("a");
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Cell selected;
        const char *typed;
    } steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, {0, 1}, "b"},
        {Qt::Key_Tab, Qt::NoModifier, {1, 0}, "c"},
        {Qt::Key_Backtab, Qt::ShiftModifier, {0, 1}, nullptr},   // Shift+Tab, selecting "b"
        {Qt::Key_Tab, Qt::NoModifier, {1, 0}, nullptr},
        {Qt::Key_Tab, Qt::NoModifier, {1, 1}, "d"},
        {Qt::Key_Tab, Qt::NoModifier, {2, 0}, "e"},               // a new row
        {Qt::Key_Backtab, Qt::ShiftModifier, {1, 1}, nullptr},
    };
    for (const auto &step : steps) {
        QTest::keyClick(form->txtEdit, step.key, step.modifiers);
        const QTextCursor cursor = form->txtEdit->textCursor();
        const QTextTableCell cell = table->cellAt(cursor);
        EXPECT_EQ(cell.row(), step.selected.row);
        EXPECT_EQ(cell.column(), step.selected.column);
        EXPECT_EQ(cursor.selectionStart(), cell.firstCursorPosition().position());
        EXPECT_EQ(cursor.selectionEnd(), cell.lastCursorPosition().position());
        if (step.typed)
            type(step.typed);
    }
    EXPECT_EQ(table->rows(), 3);
    EXPECT_EQ(form->txtEdit->SelText(), QStringLiteral("d"));
    // Ctrl+Tab types a tab in a cell.
    QTest::keyClick(form->txtEdit, Qt::Key_Tab, Qt::ControlModifier);
    type("x");
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("\na\tb\nc\t\tx\ne\t\n"));

    // Outside a table Tab still types a tab.
    form->txtEdit->moveCursor(QTextCursor::End);
    QTest::keyClick(form->txtEdit, Qt::Key_Tab);
    EXPECT_TRUE(form->txtEdit->Text().endsWith(QStringLiteral("\n\t")));
}

// Each key toggles its format in one undo step (Undo takes it back, a second Undo puts it
// back again), sets the modified mark, and is written to the file.
TEST_F(MainWindowTest, CtrlBIAndUToggleTheSelectionsFormatInOneUndoStepAndAreSaved)
{
    const struct {
        Qt::Key key;
        bool (QFont::*read)() const;
    } cases[] = {{Qt::Key_B, &QFont::bold}, {Qt::Key_I, &QFont::italic}, {Qt::Key_U, &QFont::underline}};
    for (const auto &c : cases) {
        restart();
        QFile::remove(path("before.rtf"));
        QFile::remove(path("after.rtf"));
        type("word");
        form->mnuSelAll_Click();
        dialogs.answerFile(path("before.rtf"), 1);
        ASSERT_TRUE(form->mnuSaveAs_Click());
        const auto shownAt = [&](int position) {
            QTextCursor at(form->txtEdit->document());
            at.setPosition(position);
            return (at.charFormat().font().resolve(form->txtEdit->document()->defaultFont()).*c.read)();
        };
        const bool before = shownAt(2);

        QTest::keyClick(form->txtEdit, c.key, Qt::ControlModifier);
        EXPECT_EQ(shownAt(2), !before) << c.key;
        EXPECT_EQ(shownAt(4), !before) << c.key;
        EXPECT_TRUE(form->IsModified()) << c.key;
        EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("word"));

        form->mnuUndo_Click();
        EXPECT_EQ(shownAt(2), before) << c.key;
        form->mnuRedo_Click();
        EXPECT_EQ(shownAt(2), !before) << c.key;

        dialogs.answerFile(path("after.rtf"), 1);
        ASSERT_TRUE(form->mnuSaveAs_Click());
        const auto saved = documentFromRtf(readFile(path("after.rtf")));
        saved->setDefaultFont(form->txtEdit->document()->defaultFont());
        QTextCursor at(saved.get());
        at.setPosition(2);
        EXPECT_EQ((at.charFormat().font().resolve(saved->defaultFont()).*c.read)(), !before) << c.key;
    }
}

TEST_F(MainWindowTest, WithNothingSelectedCtrlBSetsWhatIsTypedNext)
{
    type("a");
    const bool bold = form->txtEdit->SelBold();
    QTest::keyClick(form->txtEdit, Qt::Key_B, Qt::ControlModifier);
    type("b");
    QTest::keyClick(form->txtEdit, Qt::Key_B, Qt::ControlModifier);
    type("c");
    const auto boldAt = [&](int position) {
        QTextCursor at(form->txtEdit->document());
        at.setPosition(position);
        return at.charFormat().font().resolve(form->txtEdit->document()->defaultFont()).bold();
    };
    EXPECT_EQ(boldAt(1), bold);
    EXPECT_EQ(boldAt(2), !bold);
    EXPECT_EQ(boldAt(3), bold);
}

// The zoom is the view's: the document, its file and the modified mark stay as they were,
// and the zoom stays for the documents opened after it.
TEST_F(MainWindowTest, ZoomKeysAndTheWheelScaleTheViewOnly)
{
    type("Zoomed text");
    dialogs.answerFile(path("before.rtf"), 1);
    ASSERT_TRUE(form->mnuSaveAs_Click());
    RichTextBox &box = *form->txtEdit;
    const auto width = [&] { return box.document()->documentLayout()->blockBoundingRect(box.document()->begin()).width(); };
    const qreal normalWidth = width();

    const auto ctrlWheel = [&](int delta) {
        QWheelEvent wheel(QPointF(10, 10), box.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(box.viewport(), &wheel);
    };
    const struct {
        std::function<void()> act;
        int zoom;
    } steps[] = {
        {[&] { QTest::keyClick(&box, Qt::Key_Plus, Qt::ControlModifier); }, 110},
        {[&] { QTest::keyClick(&box, Qt::Key_Equal, Qt::ControlModifier); }, 125},
        {[&] { QTest::keyClick(&box, Qt::Key_Minus, Qt::ControlModifier); }, 110},
        {[&] { ctrlWheel(120); }, 125},
        {[&] { ctrlWheel(60); ctrlWheel(60); }, 150},
        {[&] { ctrlWheel(-240); }, 110},
        {[&] { QTest::keyClick(&box, Qt::Key_0, Qt::ControlModifier); }, 100},
        {[&] { for (int i = 0; i < 30; ++i) QTest::keyClick(&box, Qt::Key_Minus, Qt::ControlModifier); }, 25},
        {[&] { for (int i = 0; i < 30; ++i) QTest::keyClick(&box, Qt::Key_Plus, Qt::ControlModifier); }, 500},
        {[&] { box.setZoom(200); }, 200},
    };
    for (const auto &step : steps) {
        step.act();
        EXPECT_EQ(box.Zoom(), step.zoom);
        EXPECT_NEAR(width(), normalWidth * step.zoom / 100, normalWidth * 0.1) << step.zoom;
    }
    EXPECT_FALSE(form->IsModified());
    EXPECT_EQ(box.Text(), QStringLiteral("Zoomed text"));
    dialogs.answerFile(path("zoomed.rtf"), 1);
    ASSERT_TRUE(form->mnuSaveAs_Click());
    EXPECT_EQ(readFile(path("zoomed.rtf")), readFile(path("before.rtf")));

    // Remembered for the run: an opened document is shown at the same zoom.
    dialogs.answerFile(path("before.rtf"), 1);
    form->mnuOpen->trigger();
    EXPECT_EQ(box.Zoom(), 200);
    EXPECT_NEAR(width(), normalWidth * 2, normalWidth * 0.1);
    EXPECT_FALSE(form->IsModified());
}

} // namespace
