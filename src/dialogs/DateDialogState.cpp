#include "dialogs/DateDialogState.h"

int DateDialogResult = 0;
QString DateDialogText;
int DateDialogChoice = -1;
QPointer<frmDate> DateDialog;
