#pragma once

#include "platform/DialogHost.h"

#include <QList>

// Answers the common dialogs from a script and records what each was asked to show. With the
// script used up, a dialog is cancelled.
class ScriptedDialogHost : public DialogHost
{
public:
    QList<FileDialogAnswer> fileAnswers; // taken from the front, one a dialog
    QList<FileDialogRequest> fileRequests;

    // Queues the answer "this name, with this file type" for the next file dialog.
    void answerFile(const QString &fileName, int filterIndex = 1) { fileAnswers.append(FileDialogAnswer{fileName, filterIndex}); }
    void cancelFile() { fileAnswers.append(FileDialogAnswer{}); }

    FileDialogAnswer ChooseFile(const FileDialogRequest &request) override
    {
        fileRequests.append(request);
        return fileAnswers.isEmpty() ? FileDialogAnswer{} : fileAnswers.takeFirst();
    }
};
