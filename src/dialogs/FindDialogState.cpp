#include "dialogs/FindDialogState.h"

#include "dialogs/frmFind.h"

int ReplaceMode = 0;
QPointer<frmFind> FindDialog;
