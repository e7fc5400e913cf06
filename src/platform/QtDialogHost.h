#pragma once

#include "platform/DialogHost.h"

#include <QPointer>
#include <QWidget>

// The common dialogs as Qt shows them, in the running program.
class QtDialogHost : public DialogHost
{
public:
    // The window the dialogs are centred over; without one, whichever window is active.
    void setOwner(QWidget *owner) { m_owner = owner; }

    FileDialogAnswer ChooseFile(const FileDialogRequest &request) override;

private:
    QWidget *parentWindow() const;

    QPointer<QWidget> m_owner;
};
