// The Format commands: Font, Word Wrap, Background and the paragraph alignments.
#include "mainwindow/Form1.h"

#include "app/ErrorReport.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QAction>
#include <QTextCursor>

namespace {

// Screen fonts, printer fonts, the effects (strikeout, underline, colour) and Apply.
constexpr int kFontDialogFlags = 771;

} // namespace

void Form1::mnuFont_Click()
{
    CD1.Flags = kFontDialogFlags;
    // The dialog opens with what the dialog object holds, not with the selection's format. A
    // Cancel changes nothing: the values still in the object are those of an earlier choice (or
    // the colour of the background), and writing them would change the text behind the user's back.
    if (!CD1.ShowFont())
        return;
    // One edit, undone at once.
    QTextCursor edit = txtEdit->textCursor();
    edit.beginEditBlock();
    try {
        txtEdit->setSelBold(CD1.FontBold);
        txtEdit->setSelItalic(CD1.FontItalic);
        txtEdit->setSelUnderline(CD1.FontUnderline);
        txtEdit->setSelStrikeThru(CD1.FontStrikethru);
        txtEdit->setSelFontName(CD1.FontName);
        txtEdit->setSelFontSize(float(CD1.FontSize));
        txtEdit->setSelColor(CD1.Color);
    } catch (...) {
        edit.endEditBlock();
        throw;
    }
    edit.endEditBlock();
}

void Form1::applyAlignment(int alignment, QAction *checked)
{
    txtEdit->setSelAlignment(alignment);
    for (QAction *item : {mnuFormatLeft, mnuFormatCenter, mnuFormatRight})
        item->setChecked(item == checked);
}

void Form1::mnuFormatLeft_Click() { applyAlignment(RichTextBox::rtfLeft, mnuFormatLeft); }
void Form1::mnuFormatCenter_Click() { applyAlignment(RichTextBox::rtfCenter, mnuFormatCenter); }
void Form1::mnuFormatRight_Click() { applyAlignment(RichTextBox::rtfRight, mnuFormatRight); }

void Form1::mnuWordWrap_Click()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.mnuWordWrap_Click "));
    if (proc.Test(100, [&] { return mnuWordWrap->isChecked(); }))
        proc.Step(102, [&] { mnuWordWrap->setChecked(false); });
    else
        proc.Step(104, [&] { mnuWordWrap->setChecked(true); });
    if (proc.Test(106, [&] { return mnuWordWrap->isChecked(); }))
        proc.Step(108, [&] { txtEdit->setScrollBars(RichTextBox::rtfVertical); });
    else
        proc.Step(110, [&] { txtEdit->setScrollBars(RichTextBox::rtfBoth); });
}

void Form1::mnubground_Click()
{
    const int chosen = CD1.ShowColor() ? CD1.Color : -1;
    if (chosen != -1)
        txtEdit->setBackColor(chosen);
}
