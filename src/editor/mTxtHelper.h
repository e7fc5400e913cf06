#pragma once

#include "rtf/CodePages.h"

#include <QString>

class RichTextBox;

// The editor facade: named operations over the editing area. It keeps no copy of the document;
// every operation reads or writes the control at the moment it is called, through its
// properties, its focus, or a window message. Failures pass to the caller, except in
// setForeColor and setGotoLine, which skip a failed step and go on. Any operation on the
// control before SetEditor fails.
class mTxtHelper
{
public:
    // Wrapping of long lines at the window's edge on or off.
    void WordWrap(bool Wrap);
    // The case of the selection, or of the whole text when nothing is selected: 0 upper,
    // 1 lower, 2 proper, 3 toggled; any other value converts nothing.
    void Convert(int ConvOp);
    void Cut();
    void Clear();
    void Copy();
    // Single-level: an undo right after an undo takes the first one back.
    void Undo();
    void Paste();
    void SelectAll();
    int SelPos() const;
    void setSelPos(int vNewSelPos);
    // Selects, then moves the focus to the editing area so that the selection shows.
    void SelectText(int Start, int Length);
    void SetEditor(RichTextBox *vNewValue);
    // Whether the clipboard holds non-empty plain text; a picture alone does not count.
    bool CanPaste() const;
    int LineCount() const;
    // The 0-based number of the topmost visible line.
    int VisableLine() const;
    // The 1-based number of the line that holds the end of the selection.
    int LineIndex() const;
    // The length of the line that holds SelStart, plus one.
    int LineLength() const;
    // Plain-text files in CodePage. A missing file is created empty. A file that is not
    // valid in CodePage is read as Windows-1252 and saved back in it while that holds the
    // text, so that its bytes survive. Pictures are not saved: only the plain characters.
    void LoadFromFile(const QString &FileName);
    void SaveToFile(const QString &FileName);
    void SaveSelection(const QString &FileName);
    bool CanUndo() const;
    bool CanReDo() const;
    // The last line number written, whatever became of going there.
    int GotoLine() const;
    // Puts the caret at the start of the 1-based line and the focus on the editing area.
    void setGotoLine(int vNewLine);
    // The text of the 1-based line, at most 255 characters.
    QString GetLineText(int Index);
    // Colours the whole text (&H00BBGGRR) and leaves the caret at the start.
    void setForeColor(int NewColor);
    // Tab stops every TabStopSize dialog units.
    void TabStops(int TabStopSize);

private:
    QString ToggleCase(const QString &s) const;

    RichTextBox &editor() const;
    void writePlainText(const QString &FileName, const RichTextBox &box, const QString &text) const;

    int m_lastLine = 0;

public:
    // The code page of the plain-text files and of ToggleCase: the user's locale's.
    int CodePage = CodePages::systemCodePage();

    // The bound editing area, borrowed from the window that owns it.
    RichTextBox *Editor = nullptr;
};
