#include "dialogs/FindDialogState.h"

int ReplaceMode = 0;
QPointer<frmFind> FindDialog;
