// Enter, as word processors have it: a new paragraph goes on as the one it is made from.
#include "platform/richtextbox/RichTextBox.h"

#include "rtf/RtfRevisions.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

// Enter makes a new paragraph with the paragraph format it is pressed in and the character
// format in use at the caret, whether the paragraph is empty or not: the spacing, the
// alignment and the font chosen go on. The editing area's own Enter takes the spacing off a
// list item and, after an empty paragraph, drops both formats for its defaults (the font
// chosen falls back to the editing area's, or the empty paragraph loses its alignment and
// no paragraph is made). Enter in an empty list item ends the list there instead: the
// paragraph stays, out of the list, with its formats. Each is one undo step.
bool RichTextBox::enterParagraph(QKeyEvent *event)
{
    if (isReadOnly() || (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    if (cursor.currentList() && !cursor.hasSelection() && cursor.block().length() <= 1) {
        QTextBlockFormat outside = cursor.blockFormat();
        outside.setObjectIndex(-1);
        cursor.setBlockFormat(outside);
    } else {
        cursor.removeSelectedText();
        // What text typed here would get; after a picture, text rather than another picture.
        QTextCharFormat typed = RtfRevision::withoutRevision(cursor.charFormat());
        typed.clearProperty(QTextFormat::ObjectType);
        cursor.insertBlock(cursor.blockFormat(), typed);
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return true;
}
