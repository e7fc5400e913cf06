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

// Two rows of a table with bordered, shaded cells of their own widths, centred and
// right-aligned paragraphs and their own fonts; `lastRow` defines the last row's cells.
QByteArray borderedTable(const char *lastRow, const char *lastCells)
{
    const QByteArray first = "\\trowd\\trgaph108\\clbrdrt\\brdrs\\brdrw30\\brdrcf1\\clbrdrb\\brdrdb\\brdrw15\\clcbpat2"
                             "\\cellx2000\\clbrdrl\\brdrs\\brdrw10\\clvertalc\\cellx5000\\clbrdrr\\brdrs\\brdrw20\\cellx6500"
                             "\\pard\\intbl\\qc\\f1\\fs28 a\\cell\\pard\\intbl\\qr\\i b\\cell\\pard\\intbl c\\cell\\row";
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red200\\green200\\blue255;}"
        + first + lastRow + lastCells + "\\row\\pard\\par}";
}

// The cells of a row: each one's format and its first paragraph's format.
struct RowCells
{
    QList<int> spans;
    QList<QTextCharFormat> cells;
    QList<QTextBlockFormat> paragraphs;
};

RowCells rowCells(QTextTable &table, int row)
{
    RowCells cells;
    for (int column = 0; column < table.columns();) {
        const QTextTableCell cell = table.cellAt(row, column);
        cells.spans.append(cell.columnSpan());
        // What the format says of the cell rather than of its text.
        QTextCharFormat format;
        const QMap<int, QVariant> properties = cell.format().properties();
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            const int property = it.key();
            if ((property >= QTextFormat::TableCellRowSpan && property <= QTextFormat::TableCellRightBorderBrush)
                || property == QTextFormat::BackgroundBrush || property == QTextFormat::TextVerticalAlignment)
                format.setProperty(property, it.value());
        }
        cells.cells.append(format);
        cells.paragraphs.append(cell.firstCursorPosition().blockFormat());
        column += cell.columnSpan();
    }
    return cells;
}

// The right edges of each row's cells in RTF.
QList<QByteArray> rowEdges(const QByteArray &rtf)
{
    QList<QByteArray> rows;
    for (const QByteArray &row : rtf.split('\n')) {
        if (!row.contains("\\trowd"))
            continue;
        QByteArray edges;
        for (qsizetype at = row.indexOf("\\cellx"); at >= 0; at = row.indexOf("\\cellx", at + 1))
            edges += row.mid(at, row.indexOf('\\', at + 1) - at);
        rows.append(edges);
    }
    return rows;
}

// Tab in the last cell adds a row like the last one: each cell as wide, bordered, shaded and
// aligned as the one above, what is typed in it in the font above; Save As writes it so.
TEST_F(MainWindowTest, TabInTheLastCellAddsARowLikeTheLastOne)
{
    const struct {
        const char *name, *lastRow, *lastCells;
    } cases[] = {
        {"like the first row",
         "\\trowd\\trgaph108\\clbrdrt\\brdrs\\brdrw30\\brdrcf1\\clbrdrb\\brdrdb\\brdrw15\\clcbpat2\\cellx2000"
         "\\clbrdrl\\brdrs\\brdrw10\\clvertalc\\cellx5000\\clbrdrr\\brdrs\\brdrw20\\cellx6500",
         "\\pard\\intbl\\qc\\f1\\fs28 d\\cell\\pard\\intbl\\qr\\i e\\cell\\pard\\intbl f\\cell"},
        {"with two cells merged",
         "\\trowd\\trgaph108\\clmgf\\clbrdrb\\brdrs\\brdrw40\\clcbpat1\\cellx2000\\clmrg\\cellx5000\\cellx6500",
         "\\pard\\intbl\\qr\\fs36 merged\\cell\\pard\\intbl\\cell\\pard\\intbl\\ql\\b g\\cell"},
    };
    for (const auto &c : cases) {
        restart();
        writeFile(path("table.rtf"), borderedTable(c.lastRow, c.lastCells));
        dialogs.answerFile(path("table.rtf"), 1);
        form->mnuOpen->trigger();
        QTextTable *table = form->txtEdit->document()->rootFrame()->childFrames().isEmpty()
            ? nullptr : qobject_cast<QTextTable *>(form->txtEdit->document()->rootFrame()->childFrames().first());
        ASSERT_TRUE(table) << c.name;
        ASSERT_EQ(table->rows(), 2) << c.name;
        const RowCells last = rowCells(*table, 1);
        form->txtEdit->setTextCursor(table->cellAt(1, table->columns() - 1).lastCursorPosition());

        QTest::keyClick(form->txtEdit, Qt::Key_Tab);
        ASSERT_EQ(table->rows(), 3) << c.name;
        const RowCells added = rowCells(*table, 2);
        EXPECT_EQ(added.spans, last.spans) << c.name;
        EXPECT_EQ(added.cells, last.cells) << c.name;
        EXPECT_EQ(added.paragraphs, last.paragraphs) << c.name;
        // One undo step, which a second Undo makes again.
        form->mnuUndo_Click();
        EXPECT_EQ(table->rows(), 2) << c.name;
        form->mnuUndo_Click();
        ASSERT_EQ(table->rows(), 3) << c.name;
        EXPECT_EQ(rowCells(*table, 2).cells, last.cells) << c.name;
        form->txtEdit->setTextCursor(table->cellAt(2, 0).firstCursorPosition());
        for (int cell = 0; cell < added.spans.size(); ++cell) {
            type("typed");
            if (cell + 1 < added.spans.size())
                QTest::keyClick(form->txtEdit, Qt::Key_Tab);
        }
        // The text typed in each new cell has the font the cell above starts with.
        const auto expectTypedInTheFontAbove = [&](const char *when) {
            for (int column = 0; column < table->columns(); column += table->cellAt(1, column).columnSpan()) {
                QTextCursor typed = table->cellAt(2, column).firstCursorPosition();
                typed.movePosition(QTextCursor::NextCharacter);
                QTextCursor above = table->cellAt(1, column).firstCursorPosition();
                above.movePosition(QTextCursor::NextCharacter);
                EXPECT_EQ(typed.charFormat().font(), above.charFormat().font()) << c.name << " " << when << " " << column;
            }
        };
        expectTypedInTheFontAbove("typed");

        const QString saved = appDir.filePath(QStringLiteral("saved %1.rtf").arg(&c - cases));
        dialogs.answerFile(saved, 1);
        ASSERT_TRUE(form->mnuSaveAs_Click()) << c.name;
        const QList<QByteArray> edges = rowEdges(readFile(saved));
        ASSERT_EQ(edges.size(), 3) << c.name;
        EXPECT_EQ(edges[2], edges[1]) << c.name;
        dialogs.answerFile(saved, 1);
        form->mnuOpen->trigger();
        table = qobject_cast<QTextTable *>(form->txtEdit->document()->rootFrame()->childFrames().first());
        ASSERT_EQ(table->rows(), 3) << c.name;
        const RowCells savedAdded = rowCells(*table, 2), savedLast = rowCells(*table, 1);
        EXPECT_EQ(savedAdded.spans, savedLast.spans) << c.name;
        EXPECT_EQ(savedAdded.cells, savedLast.cells) << c.name;
        EXPECT_EQ(savedAdded.paragraphs, savedLast.paragraphs) << c.name;
        expectTypedInTheFontAbove("saved");
    }
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

// The keys toggle by the selection's first character, whichever end the caret is at, and the
// selection stays through the change, its Undo and the Undo of that.
TEST_F(MainWindowTest, CtrlBIAndUToggleByTheSelectionsFirstCharacterEitherWay)
{
    const struct {
        const char *name;
        int anchor, caret;
        Qt::Key key;
        bool (QFont::*read)() const;
        bool after; // what the whole selection is after the key
    } cases[] = {
        // "one two three" with "two" bold, italic and underlined
        {"two, right to left", 7, 4, Qt::Key_I, &QFont::italic, false},
        {"two, left to right", 4, 7, Qt::Key_I, &QFont::italic, false},
        {"two and a space, right to left", 8, 4, Qt::Key_B, &QFont::bold, false},
        {"e and two, left to right", 2, 7, Qt::Key_U, &QFont::underline, true},
        {"e and two, right to left", 7, 2, Qt::Key_U, &QFont::underline, true},
    };
    for (const auto &c : cases) {
        form->txtEdit->setText(QStringLiteral("one two three\nfour"));
        QTextCharFormat marked;
        marked.setFontWeight(QFont::Bold);
        marked.setFontItalic(true);
        marked.setFontUnderline(true);
        QTextCursor two(form->txtEdit->document());
        two.setPosition(4);
        two.setPosition(7, QTextCursor::KeepAnchor);
        two.mergeCharFormat(marked);
        QTextCursor selection(form->txtEdit->document());
        selection.setPosition(c.anchor);
        selection.setPosition(c.caret, QTextCursor::KeepAnchor);
        form->txtEdit->setTextCursor(selection);
        const auto shownAt = [&](int position) {
            QTextCursor at(form->txtEdit->document());
            at.setPosition(position + 1);
            return (at.charFormat().font().resolve(form->txtEdit->document()->defaultFont()).*c.read)();
        };
        const auto expectSelectionKept = [&](const char *when) {
            EXPECT_EQ(form->txtEdit->textCursor().anchor(), c.anchor) << c.name << " " << when;
            EXPECT_EQ(form->txtEdit->textCursor().position(), c.caret) << c.name << " " << when;
        };
        const auto expectSelectionChanged = [&](const char *when) {
            for (int at = std::min(c.anchor, c.caret); at < std::max(c.anchor, c.caret); ++at)
                EXPECT_EQ(shownAt(at), c.after) << c.name << " " << when << " at " << at;
            expectSelectionKept(when);
        };
        const bool before2 = shownAt(2), before4 = shownAt(4);

        QTest::keyClick(form->txtEdit, c.key, Qt::ControlModifier);
        expectSelectionChanged("after the key");
        form->mnuUndo_Click();
        EXPECT_EQ(shownAt(2), before2) << c.name;
        EXPECT_EQ(shownAt(4), before4) << c.name;
        expectSelectionKept("after Undo");
        form->mnuUndo_Click();
        expectSelectionChanged("after the second Undo");
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
