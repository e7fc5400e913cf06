#pragma once

#include <QColor>
#include <QString>

// The common dialog object: it keeps its property values from one use to the next, as the
// commands that share it rely on, and shows its dialogs through a host (real Qt dialogs in the
// program, a script in tests).
class CommonDialog
{
public:
    QString DialogTitle;
    QString Filter;   // "description|pattern|description|pattern|"
    int Flags = 0;
    int FilterIndex = 0;
    QString FileName;
    bool CancelError = false;

    QString FontName;
    double FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    int Color = 0; // &H00BBGGRR
};
