#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>

class DialogHost;

// The common dialog object: it keeps its property values from one use to the next, as the
// commands that share it rely on, and shows its dialogs through a host (real Qt dialogs in the
// program, a script in tests).
class CommonDialog
{
public:
    explicit CommonDialog(DialogHost &host) : m_host(host) {}

    // Dialog flags of the file dialogs that change what the dialogs do here.
    static constexpr int cdlOFNReadOnly = 0x1;
    static constexpr int cdlOFNOverwritePrompt = 0x2;
    static constexpr int cdlOFNFileMustExist = 0x1000;
    static constexpr int cdlOFNExplorer = 0x80000;
    static constexpr int cdlOFNLongNames = 0x200000;

    QString DialogTitle;
    QString Filter;   // "description|pattern|description|pattern|"
    int Flags = 0;
    int FilterIndex = 0;
    QString FileName;
    bool CancelError = false;
    // Asked when the Save dialog, with cdlOFNOverwritePrompt, chose a file that exists: true
    // replaces it, false goes back to the dialog. Without it the host's dialog asks by itself.
    std::function<bool(const QString &fileName)> ConfirmReplace;

    QString FontName;
    double FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    int Color = 0; // &H00BBGGRR

    // The modal file dialogs. On OK they store the chosen name and file type; on Cancel they
    // leave both as they were (and throw Failure when CancelError is set).
    void ShowOpen();
    void ShowSave();

    // The filter as the dialog lists it: "RTF Files(*.rtf)|*.rtf|" gives "RTF Files(*.rtf)".
    static QStringList NameFilters(const QString &filter);

private:
    void showFileDialog(bool open);

    DialogHost &m_host;
};
