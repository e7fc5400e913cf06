#pragma once

#include "platform/dialogs/DialogHost.h"

#include <QPointer>
#include <QWidget>

// The common dialogs as Qt shows them, in the running program.
class QtDialogHost : public DialogHost
{
public:
    // The window the dialogs are centred over; without one, whichever window is active.
    void setOwner(QWidget *owner) { m_owner = owner; }

    FileDialogAnswer ChooseFile(const FileDialogRequest &request) override;
    // QtCommonDialogs.cpp
    FontDialogAnswer ChooseFont(const FontDialogRequest &request) override;
    ColorDialogAnswer ChooseColor(const ColorDialogRequest &request) override;
    bool ChoosePrinter(const PrinterDialogRequest &request) override;

private:
    QWidget *parentWindow() const;

    QPointer<QWidget> m_owner;
};
