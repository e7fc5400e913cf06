#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

// What a file dialog is asked to show.
struct FileDialogRequest {
    bool open = true;          // the Open dialog, else the Save dialog
    QString title;
    QStringList nameFilters;   // "description (pattern)", in the filter's order
    // For the Save dialog, the extension of each type (".rtf"), added to a name typed without
    // one; empty where the type names none ("*.*").
    QStringList extensions;
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

// A font as the font dialog shows and returns it.
struct FontChoice {
    QString name;              // the family; empty when none is chosen
    double size = 0;           // points; 0 when none is chosen
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;
    int color = 0;             // &H00BBGGRR

    bool operator==(const FontChoice &) const = default;
};

struct FontDialogRequest {
    FontChoice font;           // what the dialog opens with
    bool effects = true;       // offers strikeout, underline and the colour
};

// What the user chose; accepted is false when the dialog was cancelled.
struct FontDialogAnswer {
    bool accepted = false;
    FontChoice font;
};

struct ColorDialogRequest {
    int color = 0;             // &H00BBGGRR the dialog opens with
};

struct ColorDialogAnswer {
    bool accepted = false;
    int color = 0;
};

// The printer dialog works on the printer it is given: the choices made in it (printer, paper,
// orientation, output file) are written to that printer when the user accepts, and left as
// they were on Cancel.
struct PrinterDialogRequest {
    QString title;
    QPrinter *printer = nullptr;
    bool selectionChosen = false;  // opens with "Selection" chosen
    bool pageRangeAllowed = true;  // the page-range choice is available
};

// Shows the common dialogs: real Qt dialogs in the program, a script in tests.
class DialogHost
{
public:
    virtual ~DialogHost() = default;
    virtual FileDialogAnswer ChooseFile(const FileDialogRequest &request) = 0;
    // A host that offers no font, colour or printer dialog answers as if it was cancelled.
    virtual FontDialogAnswer ChooseFont(const FontDialogRequest &) { return {}; }
    virtual ColorDialogAnswer ChooseColor(const ColorDialogRequest &) { return {}; }
    // True when the user accepted the dialog.
    virtual bool ChoosePrinter(const PrinterDialogRequest &) { return false; }
};
