#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DialogHost;
class QPrinter;

// The common dialog object: it keeps its property values from one use to the next, as the
// commands that share it rely on, and shows its dialogs through a host (real Qt dialogs in the
// program, a script in tests).
class CommonDialog
{
public:
    explicit CommonDialog(DialogHost &host);
    ~CommonDialog();

    // Dialog flags of the file dialogs that change what the dialogs do here.
    static constexpr int cdlOFNReadOnly = 0x1;
    static constexpr int cdlOFNOverwritePrompt = 0x2;
    static constexpr int cdlOFNFileMustExist = 0x1000;
    static constexpr int cdlOFNExplorer = 0x80000;
    static constexpr int cdlOFNLongNames = 0x200000;
    // The font dialog's flag that adds strikeout, underline and the colour.
    static constexpr int cdlCFEffects = 0x100;
    // The printer dialog's flags.
    static constexpr int cdlPDSelection = 0x1;
    static constexpr int cdlPDNoPageNums = 0x8;
    static constexpr int cdlPDReturnDC = 0x100;

    QString DialogTitle;
    QString Filter;   // "description|pattern|description|pattern|"
    int Flags = 0;
    int FilterIndex = 0;
    QString FileName;
    bool CancelError = false;
    // Asked when the Save dialog, with cdlOFNOverwritePrompt, chose a file that exists: true
    // replaces it, false goes back to the dialog. Without it the host's dialog asks by itself.
    std::function<bool(const QString &fileName)> ConfirmReplace;
    // Asked when the Save dialog chose a name and a file type (after any question about
    // replacing the file): false goes back to the dialog with that name and type.
    std::function<bool(const QString &fileName, int filterIndex)> ConfirmSave;

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

    // The modal font, colour and printer dialogs. On OK they store what was chosen and return
    // true; on Cancel they leave every property as it was and return false (or throw Failure
    // when CancelError is set).
    bool ShowFont();
    bool ShowColor();
    // The printer, paper and orientation chosen stay with this object for later dialogs.
    bool ShowPrinter();

    // The printer chosen in the last printer dialog, when that dialog was accepted with
    // cdlPDReturnDC among its flags; nullptr otherwise.
    QPrinter *hDC() const { return m_hDC; }

    // The filter as the dialog lists it: "RTF Files(*.rtf)|*.rtf|" gives "RTF Files(*.rtf)".
    static QStringList NameFilters(const QString &filter);

    // The extension of each file type of the filter, in order: "*.rtf" gives ".rtf", several
    // patterns give the first one's, a type without one ("*.*") gives an empty string.
    static QStringList TypeExtensions(const QString &filter);
    // The name the Save dialog gives for a typed name and the chosen type's extension: a name
    // without any extension gets it, as desktop file dialogs do; any other is kept as typed.
    static QString WithTypeExtension(const QString &fileName, const QString &extension);

private:
    void showFileDialog(bool open);
    bool cancelled() const;

    DialogHost &m_host;
    std::unique_ptr<QPrinter> m_printer; // made at the first printer dialog
    QPrinter *m_hDC = nullptr;
};
