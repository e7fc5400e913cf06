#pragma once

#include "dialogs/DateDialogState.h"
#include "dialogs/frmDate.h"

#include <QDateTime>
#include <QLocale>

// The Date and Time dialog's program-wide state as the program starts, and a dialog whose clock
// and locale are fixed.
inline void resetDateDialogState()
{
    DateDialogResult = 0;
    DateDialogText.clear();
    DateDialogChoice = -1;
    delete DateDialog.data();
}

inline frmDate *fixedDateDialog(MessageBoxService &messages, QWidget *owner, const QDateTime &now)
{
    auto *dialog = new frmDate(messages, owner);
    dialog->Clock = [now] { return now; };
    dialog->Locale = QLocale(QLocale::English, QLocale::UnitedStates);
    DateDialog = dialog;
    return dialog;
}
