#pragma once

#include <QPointer>
#include <QString>

class frmDate;

// What the Date and Time dialog leaves behind for the command that opened it. It outlives
// every opening of the dialog: the command reads it after the dialog has gone.

// How the dialog ended: 1 Insert; 2 Cancel, or the result already used; 0 never opened.
inline constexpr int DateDialogInsert = 1;
inline constexpr int DateDialogConsumed = 2;
extern int DateDialogResult;

// The text of the entry chosen most recently, in this or an earlier opening; empty until the
// user first chooses one.
extern QString DateDialogText;

// The list position of that entry (-1 until one is chosen), so that Insert without a new
// choice gives that entry as the clock shows it now, not as it was then.
extern int DateDialogChoice;

// The dialog while it exists; its unload clears it, so every opening starts afresh.
extern QPointer<frmDate> DateDialog;
