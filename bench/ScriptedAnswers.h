#pragma once

#include "platform/dialogs/DialogHost.h"
#include "platform/dialogs/MessageBox.h"

#include <QList>

#include <cstdio>

// The main window's dialogs and boxes answered without a person, for the benchmarks that drive
// the real window.

// File dialogs answered from a list, in turn; with the list used up, a dialog is cancelled.
class AnswerFiles : public DialogHost
{
public:
    QList<FileDialogAnswer> answers;
    FileDialogAnswer ChooseFile(const FileDialogRequest &) override
    {
        return answers.isEmpty() ? FileDialogAnswer{} : answers.takeFirst();
    }
};

// Yes to "replace the file written last run?", OK to anything else; every message is shown on
// stderr, as a benchmark that meets one measures something else than it says.
class AnswerYes : public MessageBoxService
{
protected:
    int show(const QString &prompt, int style, const QString &, QWidget *) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        return (style & 7) == vbYesNo ? vbYes : vbOK;
    }
};
