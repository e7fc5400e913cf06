#pragma once

#include "platform/richtextbox/RichTextBox.h"

#include <QImage>
#include <QTextCharFormat>
#include <QTextCursor>

// Fills the editing area with "a", a bold `letter`, a small picture of `colour` and "b": the
// smallest text whose formatting and picture an operation on the text must keep.
inline void fillWithBoldLetterAndPicture(RichTextBox &box, const QString &letter, QColor colour)
{
    box.setText(QStringLiteral("ab"));
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(1);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(letter, bold);
    QImage picture(8, 6, QImage::Format_ARGB32);
    picture.fill(colour);
    cursor.insertImage(picture);
}
