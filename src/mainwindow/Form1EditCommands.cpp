// The Edit commands and the state of the Edit menu.
#include "mainwindow/Form1.h"

#include "app/ErrorReport.h"
#include "dialogs/FindDialogState.h"
#include "dialogs/frmFind.h"
#include "editor/mTxtHelper.h"
#include "base/Failure.h"
#include "platform/richtextbox/RichTextBox.h"
#include "platform/toolbar/Toolbar.h"

#include <QAction>

namespace {

constexpr int kUndoButton = 10;
constexpr int kRedoButton = 11;
constexpr int vbKeyV = 86;

} // namespace

void Form1::mnuUndo_Click()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.mnuUndo_Click "));
    proc.Step(100, [&] { helper().Undo(); });
    proc.Step(102, [&] { Toolbar1->Buttons(kUndoButton).setEnabled(false); });
    proc.Step(104, [&] { Toolbar1->Buttons(kRedoButton).setEnabled(true); });
    proc.Step(106, [&] { mnuRedo->setEnabled(true); });
    proc.Step(108, [&] { mnuUndo->setEnabled(false); });
}

void Form1::mnuRedo_Click()
{
    // The editing area's undo is single-level: an undo right after an undo takes back what the
    // first one did, which makes this a redo.
    helper().Undo();
    Toolbar1->Buttons(kUndoButton).setEnabled(true);
    Toolbar1->Buttons(kRedoButton).setEnabled(false);
    mnuRedo->setEnabled(false);
    mnuUndo->setEnabled(true);
}

void Form1::mnuCut_Click()
{
    helper().Cut();
    RefreshCommandState();
}

void Form1::mnuCopy_Click()
{
    helper().Copy();
    RefreshCommandState();
}

void Form1::mnuPaste_Click()
{
    helper().Paste();
    RefreshCommandState();
}

void Form1::mnuSelAll_Click()
{
    helper().SelectAll();
    RefreshCommandState();
}

void Form1::mnuSearchReplace_Click()
{
    ReplaceMode = 1;
    // One dialog at a time: an open one is only brought forward, with its texts and position.
    if (!FindDialog) {
        FindDialog = new frmFind(*txtEdit, helper(), m_messages, this);
        FindDialog->Form_Load();
    }
    FindDialog->show();
    FindDialog->raise();
    FindDialog->activateWindow();
}

void Form1::RefreshCommandState()
{
    for (QAction *item : {mnuCut, mnuCopy, mnuPaste, mnuSelAll, mnuUndo, mnuRedo})
        item->setEnabled(EditCommandAvailable(item));
}

bool Form1::EditCommandAvailable(const QAction *item)
{
    if (item == mnuCut || item == mnuCopy)
        return txtEdit->HasSelText();
    if (item == mnuPaste)
        return helper().CanPaste();
    if (item == mnuSelAll)
        return txtEdit->TextLength() > 0;
    if (item == mnuUndo)
        return helper().CanUndo();
    if (item == mnuRedo)
        return helper().CanReDo();
    return true;
}

void Form1::txtEdit_Change()
{
    m_modified = true;
    Recovery->documentChanged();
}

void Form1::txtEdit_KeyDown(int &KeyCode, int Shift)
{
    // Ctrl+V alone pastes through the Paste command, once; Ctrl+Shift+V is left to the
    // editing area.
    if (KeyCode == vbKeyV && Shift == 2) {
        mnuPaste_Click();
        KeyCode = 0;
    }
}

mTxtHelper &Form1::helper()
{
    if (!TxtHelper)
        throw Failure(QStringLiteral("Object variable or With block variable not set"));
    return *TxtHelper;
}
