// Enter in a list item, as word processors have it: the next item, or the end of the list.
#include "platform/richtextbox/RichTextBox.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

// Enter in an item adds the next one with the item's paragraph and character formats: its
// spacing and font stay (the editing area's own Enter takes the spacing off the item before
// and types on in its default font). Enter in an empty item ends the list there: the
// paragraph stays, out of the list, with its formats. Each is one undo step.
bool RichTextBox::enterInListItem(QKeyEvent *event)
{
    if (isReadOnly() || (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QTextCursor cursor = textCursor();
    QTextList *list = cursor.currentList();
    if (!list)
        return false;
    cursor.beginEditBlock();
    if (!cursor.hasSelection() && cursor.block().length() <= 1) {
        QTextBlockFormat outside = cursor.blockFormat();
        outside.setObjectIndex(-1);
        cursor.setBlockFormat(outside);
    } else {
        cursor.removeSelectedText();
        cursor.insertBlock(cursor.blockFormat(), cursor.charFormat());
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return true;
}
