// A small change in a long document is laid out near the change only. Whatever way a change
// takes, the document must look and answer afterwards exactly as when Qt lays it all out afresh:
// every paragraph and line in its place, the same size, the same painted pages, the same hits.
#include "ShownRichTextBox.h"

#include "platform/richtextbox/EditingLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>
#include <functional>
#include <memory>
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

// What the layout shows and answers: every block's and line's rectangle, the document's size,
// pictures of a few screens, and the positions hit at points on them.
struct Picture
{
    QList<QRectF> rects;
    QSizeF size;
    QList<QImage> screens;
    QList<int> hits;
    bool operator==(const Picture &) const = default;
};

Picture picture(QTextDocument &document, double screenWidth)
{
    Picture picture;
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    picture.size = layout->documentSize();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        picture.rects.append(layout->blockBoundingRect(block));
        const QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i)
            picture.rects.append(lines->lineAt(i).rect());
    }
    const double height = picture.size.height();
    for (const double top : {0.0, height * 0.4, height * 0.62, height - 300}) {
        QImage screen(int(screenWidth), 300, QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        painter.translate(0, -top);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, top, screenWidth, 300);
        layout->draw(&painter, context);
        picture.screens.append(screen);
        for (int y = 5; y < 300; y += 37)
            picture.hits.append(layout->hitTest(QPointF(60, top + y), Qt::FuzzyHit));
    }
    return picture;
}

// Whether a change is laid out near it only: always, never, or as the lines happen to wrap.
enum class Near { Always, Never, Either };

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

// The same document laid out by Qt from the start.
std::unique_ptr<QTextDocument> afresh(const QTextDocument &document)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDefaultFont(document.defaultFont());
    copy->setDefaultTextOption(document.defaultTextOption());
    copy->setPageSize(document.pageSize());
    return copy;
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
        if (expected != Near::Either) {
            EXPECT_EQ(near, expected == Near::Always ? 1 : 0);
        }
        EXPECT_TRUE(picture(document, width) == picture(*afresh(document), width));
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
        EXPECT_EQ(EditingLayout::localChanges(document) - localBefore, 1);
    }
    EXPECT_TRUE(picture(document, width) == picture(*afresh(document), width));

    // A change where the background layout has come to, or beyond it.
    const int frontier = document.findBlockByNumber(1200).position();
    typeAt(document, frontier - 5, QStringLiteral("f"));
    typeAt(document, frontier + 20000, QStringLiteral("g"));
    EXPECT_TRUE(picture(document, width) == picture(*afresh(document), width));
}

INSTANTIATE_TEST_SUITE_P(WrapModes, EditingLayoutTest,
                         ::testing::Values(QTextEdit::NoWrap, QTextEdit::WidgetWidth));

} // namespace
