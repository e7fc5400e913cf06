#pragma once

#include <QPointer>

class frmFind;

// What the program keeps about the Find and Replace dialog between openings.

// 1 once the dialog has been opened for replacing; nothing clears it.
extern int ReplaceMode;

// The open Find and Replace dialog, or null. The dialog's unload clears it, so the next
// opening creates a fresh dialog with fresh state.
extern QPointer<frmFind> FindDialog;
