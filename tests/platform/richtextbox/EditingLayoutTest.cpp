// A small change in a long document is laid out near the change only. Whatever way a change
// takes, the document must look and answer afterwards exactly as when Qt lays it all out afresh:
// every paragraph and line in its place, the same size, the same painted pages, the same hits.
#include "LayoutPicture.h"
#include "ShownRichTextBox.h"

#include "platform/richtextbox/EditingLayout.h"

#include <QTextCursor>
#include <QTextList>
#include <QTextTable>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Paragraphs of many lengths (so that the widest line is somewhere in the middle), a table and a
// list every few hundred paragraphs, a few taller lines.
void fill(QTextDocument &document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (int i = 0; i < 2400; ++i) {
        if (i > 0)
            cursor.insertBlock();
        QTextCharFormat format;
        if (i % 97 == 0)
            format.setFontPointSize(18);
        cursor.insertText(QStringLiteral("paragraph %1 ").arg(i).repeated(1 + (i * 7) % 11),
                          format);
        if (i == 1500)
            cursor.insertText(QString(QStringLiteral("the widest line ")).repeated(20));
        if (i % 300 == 150) {
            QTextTable *table = cursor.insertTable(2, 3);
            for (int cell = 0; cell < 6; ++cell) {
                table->cellAt(cell / 3, cell % 3).firstCursorPosition().insertText(
                    QStringLiteral("cell %1").arg(cell));
            }
            cursor.movePosition(QTextCursor::End);
        }
        if (i % 300 == 200)
            cursor.createList(QTextListFormat::ListDisc);
        if (i % 300 == 203)
            cursor.setBlockFormat(QTextBlockFormat());
    }
    cursor.endEditBlock();
}

// Whether a change is laid out near it only: always, never, or as the lines happen to wrap.
// With Qt's own layout only (CORVALA_QT_LAYOUT_ONLY), never.
enum class Near { Always, Never, Either };

// How many of `changes` are laid out near themselves, where each of them can be.
int nearOnes(int changes) { return EditingLayout::laysOutNearChanges() ? changes : 0; }

struct Edit
{
    const char *what;
    std::function<void(QTextDocument &)> apply;
    Near withoutWrapping;
    Near wrapping;
};

void typeAt(QTextDocument &document, int position, const QString &text,
            const QTextCharFormat &format = {})
{
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.insertText(text, format);
}

void deleteAt(QTextDocument &document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.deleteChar();
}

int widestLinePosition(const QTextDocument &document)
{
    return document.find(QStringLiteral("the widest line")).selectionStart();
}

int tablePosition(const QTextDocument &document)
{
    return document.find(QStringLiteral("cell 4")).selectionStart();
}

// The area's document filled, the lines wrapping or not.
QTextDocument &filled(RichTextBox &box, QTextEdit::LineWrapMode wrapping)
{
    box.setLineWrapMode(wrapping);
    fill(*box.document());
    return *box.document();
}

class EditingLayoutTest : public ::testing::TestWithParam<QTextEdit::LineWrapMode>
{
};

TEST_P(EditingLayoutTest, LooksAndAnswersAsWhenLaidOutAfresh)
{
    ShownRichTextBox shown({500, 300});
    RichTextBox &box = shown.box;
    QTextDocument &document = filled(box, GetParam());
    (void)document.documentLayout()->documentSize(); // the whole layout, as after a while
    const double width = box.viewport()->width();
    QTextCharFormat big;
    big.setFontPointSize(30);

    const Edit edits[] = {
        {"a key at the start", [](QTextDocument &d) { typeAt(d, 0, QStringLiteral("a")); },
         Near::Always, Near::Always},
        {"a key on the widest line",
         [](QTextDocument &d) { typeAt(d, widestLinePosition(d), QStringLiteral("w")); },
         Near::Always, Near::Either},
        {"a word deleted from the widest line",
         [](QTextDocument &d) {
             QTextCursor cursor(&d);
             cursor.setPosition(widestLinePosition(d));
             cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor, 3);
             cursor.removeSelectedText();
         },
         Near::Never, Near::Either},
        {"its Undo", [](QTextDocument &d) { d.undo(); }, Near::Always, Near::Either},
        {"its Redo", [](QTextDocument &d) { d.redo(); }, Near::Never, Near::Either},
        {"the break before the widest line typed over",
         [](QTextDocument &d) {
             QTextCursor cursor(&d);
             cursor.setPosition(d.findBlock(widestLinePosition(d)).position() - 1);
             cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor, 4);
             cursor.insertText(QStringLiteral("x\ny"));
         },
         Near::Never, Near::Either},
        {"a deleted character", [](QTextDocument &d) { deleteAt(d, 1); }, Near::Always,
         Near::Always},
        {"a key in a table cell",
         [](QTextDocument &d) { typeAt(d, tablePosition(d), QStringLiteral("t")); },
         Near::Always, Near::Always},
        {"a key in a list item",
         [](QTextDocument &d) {
             typeAt(d, d.find(QStringLiteral("paragraph 201 ")).selectionStart(),
                    QStringLiteral("l"));
         },
         Near::Always, Near::Either},
        {"a taller character", [big](QTextDocument &d) { typeAt(d, 5, QStringLiteral("T"), big); },
         Near::Always, Near::Always},
        {"a new paragraph", [](QTextDocument &d) { typeAt(d, 3, QStringLiteral("\n")); },
         Near::Always, Near::Always},
        {"the paragraphs joined again", [](QTextDocument &d) { deleteAt(d, 3); }, Near::Always,
         Near::Always},
        {"a key near the end",
         [](QTextDocument &d) { typeAt(d, d.characterCount() - 20, QStringLiteral("e")); },
         Near::Never, Near::Never},
    };
    for (const Edit &edit : edits) {
        SCOPED_TRACE(edit.what);
        const int localBefore = EditingLayout::localChanges(document);
        edit.apply(document);
        const int near = EditingLayout::localChanges(document) - localBefore;
        const Near expected = GetParam() == QTextEdit::NoWrap ? edit.withoutWrapping : edit.wrapping;
        if (expected != Near::Either || !EditingLayout::laysOutNearChanges()) {
            EXPECT_EQ(near, nearOnes(expected == Near::Always ? 1 : 0));
        }
        EXPECT_TRUE(layoutPicture(document, width) == layoutPicture(*laidOutAfresh(document), width));
    }
}

// While the rest of a document is laid out in the background, a change in the part laid out
// already is laid out near it too; the rest, laid out later, joins it as if laid out afresh.
TEST_P(EditingLayoutTest, ChangesWhileTheRestIsLaidOutInTheBackground)
{
    ShownRichTextBox shown({500, 300});
    RichTextBox &box = shown.box;
    QTextDocument &document = filled(box, GetParam());
    // A page size set again starts the layout afresh, a step at a time, as after Open; the
    // test's own steps lay out the first part of the document, up to a paragraph in its middle.
    document.setPageSize(document.pageSize());
    QAbstractTextDocumentLayout &layout = *document.documentLayout();
    (void)layout.blockBoundingRect(document.findBlockByNumber(1200));
    const double width = box.viewport()->width();
    QTextCharFormat big;
    big.setFontPointSize(30);

    const struct
    {
        const char *what;
        std::function<void(QTextDocument &)> apply;
    } edits[] = {
        {"a key at the start", [](QTextDocument &d) { typeAt(d, 0, QStringLiteral("a")); }},
        {"a new paragraph", [](QTextDocument &d) { typeAt(d, 3, QStringLiteral("\n")); }},
        {"a key in a table cell",
         [](QTextDocument &d) { typeAt(d, tablePosition(d), QStringLiteral("t")); }},
        {"a taller character", [big](QTextDocument &d) { typeAt(d, 5, QStringLiteral("T"), big); }},
        {"a deleted character", [](QTextDocument &d) { deleteAt(d, 1); }},
        {"its Undo", [](QTextDocument &d) { d.undo(); }},
    };
    for (const auto &edit : edits) {
        SCOPED_TRACE(edit.what);
        const int localBefore = EditingLayout::localChanges(document);
        edit.apply(document);
        EXPECT_EQ(EditingLayout::localChanges(document) - localBefore, nearOnes(1));
    }
    EXPECT_TRUE(layoutPicture(document, width) == layoutPicture(*laidOutAfresh(document), width));

    // A change where the background layout has come to, or beyond it.
    const int frontier = document.findBlockByNumber(1200).position();
    typeAt(document, frontier - 5, QStringLiteral("f"));
    typeAt(document, frontier + 20000, QStringLiteral("g"));
    EXPECT_TRUE(layoutPicture(document, width) == layoutPicture(*laidOutAfresh(document), width));
}

INSTANTIATE_TEST_SUITE_P(WrapModes, EditingLayoutTest,
                         ::testing::Values(QTextEdit::NoWrap, QTextEdit::WidgetWidth));

// Files whose changes once left the layout different from a fresh one: each is opened, laid out
// whole, changed once, and compared with a fresh layout, with and without wrapping.
struct FileEdit
{
    const char *file;
    const char *what;
    std::function<void(QTextDocument &)> prepare; // a change laid out in full before the test
    std::function<void(QTextDocument &)> apply;
};

QTextTable *firstTable(QTextDocument &document)
{
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            return table;
    }
    return nullptr;
}

void deleteTable(QTextDocument &document)
{
    QTextTable *table = firstTable(document);
    QTextCursor cursor(&document);
    cursor.setPosition(table->firstPosition() - 1);
    cursor.setPosition(table->lastPosition() + 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void typeInFirstCell(QTextDocument &document)
{
    typeAt(document, firstTable(document)->cellAt(0, 0).lastCursorPosition().position(),
           QStringLiteral("WWWW"));
}

// The last cell of the first piece of a long table (TableContinuation.h), just before a seam.
QTextTableCell beforeSeam(QTextDocument &document)
{
    QTextTable *table = firstTable(document);
    return table->cellAt(table->rows() - 1, table->columns() - 1);
}

void lineBreakAfterTable(QTextDocument &document)
{
    typeAt(document, firstTable(document)->lastPosition() + 1, QString(QChar::LineSeparator));
}

const FileEdit fileEdits[] = {
    // The document is as wide as its widest table until the table goes.
    {"wide-table.rtf", "the widest table deleted", {}, deleteTable},
    // The space after the joined paragraph (30 pt) goes with it.
    {"spacing-join.rtf", "Backspace at the start of the paragraph with space after", {},
     [](QTextDocument &d) {
         QTextCursor cursor = d.find(QStringLiteral("LONGPARA"));
         cursor.setPosition(cursor.selectionStart());
         cursor.deletePreviousChar();
     }},
    // The empty paragraph after a table sits at the table's right edge.
    {"tall-table-empty-after.rtf", "a key widening the table before an empty paragraph", {},
     typeInFirstCell},
    {"tall-table-empty-after.rtf", "a key widening the table before a line break",
     lineBreakAfterTable, typeInFirstCell},
    // The seam between two pieces of a long table moves with the rows before it.
    {"long-table.rtf", "a key in a long table", {}, typeInFirstCell},
    {"long-table.rtf", "a key before a seam", {},
     [](QTextDocument &d) { typeAt(d, beforeSeam(d).lastCursorPosition().position(), QStringLiteral("x")); }},
    {"long-table.rtf", "the row before a seam grown by a line", {},
     [](QTextDocument &d) { typeAt(d, beforeSeam(d).lastCursorPosition().position(), QString(QChar::LineSeparator)); }},
};

void PrintTo(const FileEdit &edit, std::ostream *out) { *out << edit.file << ": " << edit.what; }

class EditingLayoutFileTest
    : public ::testing::TestWithParam<std::tuple<FileEdit, QTextEdit::LineWrapMode>>
{
};

TEST_P(EditingLayoutFileTest, LooksAndAnswersAsWhenLaidOutAfresh)
{
    const auto &[edit, wrapping] = GetParam();
    SCOPED_TRACE(edit.what);
    ShownRichTextBox shown({500, 300});
    RichTextBox &box = shown.box;
    box.setLineWrapMode(wrapping);
    box.LoadFile(QStringLiteral(CORVALA_TEST_DATA "/rtf/cases/") + QLatin1String(edit.file));
    QTextDocument &document = *box.document();
    (void)document.documentLayout()->documentSize();
    if (edit.prepare) {
        edit.prepare(document);
        (void)document.documentLayout()->documentSize();
    }
    const int localBefore = EditingLayout::localChanges(document);
    edit.apply(document);
    // The change must be one that is laid out near it, or the test shows nothing.
    EXPECT_EQ(EditingLayout::localChanges(document), localBefore + nearOnes(1));
    const double width = box.viewport()->width();
    EXPECT_TRUE(layoutPicture(document, width) == layoutPicture(*laidOutAfresh(document), width));
}

INSTANTIATE_TEST_SUITE_P(Files, EditingLayoutFileTest,
                         ::testing::Combine(::testing::ValuesIn(fileEdits),
                                            ::testing::Values(QTextEdit::NoWrap,
                                                              QTextEdit::WidgetWidth)));

// A setting that changes how the whole document is laid out, set after it is laid out: the
// layout, which leaves alone a setting set again to what it was, must follow each.
struct SettingChange
{
    const char *what;
    std::function<void(RichTextBox &)> apply;
};

const SettingChange settingChanges[] = {
    {"the same settings again",
     [](RichTextBox &box) { box.document()->setPageSize(box.document()->pageSize()); }},
    {"a larger font",
     [](RichTextBox &box) { box.document()->setDefaultFont(QFont(QStringLiteral("Sans"), 16)); }},
    {"wrapping at a fixed width",
     [](RichTextBox &box) {
         box.setLineWrapMode(QTextEdit::FixedPixelWidth);
         box.setLineWrapColumnOrWidth(200);
     }},
    {"a wider indent", [](RichTextBox &box) { box.document()->setIndentWidth(90); }},
    {"a wider margin", [](RichTextBox &box) { box.document()->setDocumentMargin(30); }},
};

void PrintTo(const SettingChange &change, std::ostream *out) { *out << change.what; }

class EditingLayoutSettingTest
    : public ::testing::TestWithParam<std::tuple<SettingChange, QTextEdit::LineWrapMode>>
{
};

TEST_P(EditingLayoutSettingTest, LooksAsWhenLaidOutAfresh)
{
    const auto &[change, wrapping] = GetParam();
    ShownRichTextBox shown({500, 300});
    RichTextBox &box = shown.box;
    box.setLineWrapMode(wrapping);
    box.LoadFile(QStringLiteral(CORVALA_TEST_DATA "/rtf/cases/tall-table-empty-after.rtf"));
    QTextDocument &document = *box.document();
    (void)document.documentLayout()->documentSize();
    change.apply(box);
    const double width = box.viewport()->width();
    EXPECT_TRUE(layoutPicture(document, width) == layoutPicture(*laidOutAfresh(document), width));
}

INSTANTIATE_TEST_SUITE_P(Settings, EditingLayoutSettingTest,
                         ::testing::Combine(::testing::ValuesIn(settingChanges),
                                            ::testing::Values(QTextEdit::NoWrap,
                                                              QTextEdit::WidgetWidth)));

// The fixed width made wider, where a paragraph's last line fitted the old width but the space
// that ends it did not: that space counts in the line's width at the new width, and a centred or
// right-aligned line moves.
class EditingLayoutWideningTest : public ::testing::TestWithParam<Qt::Alignment>
{
};

TEST_P(EditingLayoutWideningTest, ASpaceEndingAParagraphThatFitsOnlyAtTheNewWidth)
{
    ShownRichTextBox shown({500, 300});
    RichTextBox &box = shown.box;
    box.setLineWrapMode(QTextEdit::FixedPixelWidth);
    box.setLineWrapColumnOrWidth(2000);
    QTextDocument &document = *box.document();
    QTextCursor cursor(&document);
    const QString ending = QStringLiteral("a paragraph that ends in a space ");
    for (int i = 0; i < 60; ++i)
        cursor.insertText(QStringLiteral("paragraph %1\n").arg(i));
    cursor.insertText(ending);
    (void)document.documentLayout()->documentSize();
    // Left-aligned and unbroken, the line's width is the text's, with and without the space.
    const QTextLine line = document.lastBlock().layout()->lineAt(0);
    const qreal withSpace = line.naturalTextWidth();
    const qreal withoutSpace = line.cursorToX(int(ending.size()) - 1);
    ASSERT_LT(withoutSpace + 1, withSpace);
    QTextBlockFormat aligned;
    aligned.setAlignment(GetParam());
    cursor.mergeBlockFormat(aligned);
    const qreal margins = 2 * document.documentMargin();
    box.setLineWrapColumnOrWidth(int(margins + (withoutSpace + withSpace) / 2));
    ASSERT_EQ(document.lastBlock().layout()->lineCount(), 1);
    const int near = EditingLayout::localChanges(document);
    box.setLineWrapColumnOrWidth(int(margins + withSpace) + 40);
    if (EditingLayout::laysOutNearChanges()) { // with Qt's own layout only, Qt lays it all out
        EXPECT_GT(EditingLayout::localChanges(document), near);
    }
    const double width = box.viewport()->width();
    EXPECT_TRUE(layoutPicture(document, width) == layoutPicture(*laidOutAfresh(document), width));
}

INSTANTIATE_TEST_SUITE_P(Alignments, EditingLayoutWideningTest,
                         ::testing::Values(Qt::AlignHCenter, Qt::AlignRight));

// A key typed at the start of a document just opened, while the rest is laid out in the
// background: once the background layout is done, the document is laid out whole.
TEST_P(EditingLayoutTest, KeyWhileTheDocumentIsLaidOutInTheBackground)
{
    ShownRichTextBox shown({500, 300});
    RichTextBox &box = shown.box;
    box.setLineWrapMode(GetParam());
    box.LoadFile(QStringLiteral(CORVALA_TEST_DATA "/rtf/cases/spacing-join.rtf"));
    QTextDocument &document = *box.document();
    ASSERT_EQ(document.lastBlock().layout()->lineCount(), 0)
        << "the test needs a document whose layout is still under way";
    typeAt(document, 0, QStringLiteral("a"));
    const double width = box.viewport()->width();
    EXPECT_TRUE(layoutPicture(document, width) == layoutPicture(*laidOutAfresh(document), width));
}

} // namespace
