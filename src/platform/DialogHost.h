#pragma once

#include <QString>
#include <QStringList>

// What a file dialog is asked to show.
struct FileDialogRequest {
    bool open = true;          // the Open dialog, else the Save dialog
    QString title;
    QStringList nameFilters;   // "description (pattern)", in the filter's order
    int filterIndex = 1;       // 1-based file type to preselect
    QString fileName;          // the name the dialog starts with
    bool confirmOverwrite = false;
    bool fileMustExist = false;
};

// What the user chose: an empty name when the dialog was cancelled.
struct FileDialogAnswer {
    QString fileName;
    int filterIndex = 1;
};

// Shows the common dialogs: real Qt dialogs in the program, a script in tests.
class DialogHost
{
public:
    virtual ~DialogHost() = default;
    virtual FileDialogAnswer ChooseFile(const FileDialogRequest &request) = 0;
};
