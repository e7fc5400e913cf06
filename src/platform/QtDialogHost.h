#pragma once

#include "platform/DialogHost.h"

// The common dialogs as Qt shows them, in the running program.
class QtDialogHost : public DialogHost
{
public:
    FileDialogAnswer ChooseFile(const FileDialogRequest &request) override;
};
