#pragma once

#include "dialogs/PushToggleButton.h"
#include "editor/TextSearch.h"

#include <QWidget>

class MessageBoxService;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTextCursor;
class RichTextBox;
class mTxtHelper;

// The modeless Find and Replace dialog. It searches the editing area's text from where its
// last match was, not from the caret, and replaces occurrences one at a time or all the way
// to the end of the text. It borrows the editing area and the facade from its owner.
//
// The four buttons are toggle buttons drawn as push buttons: a press checks one, its handler
// acts only when it finds it checked and first unchecks it, so each press acts once, and code
// presses a button by checking it.
class frmFind : public QWidget
{
    Q_OBJECT

public:
    frmFind(RichTextBox &txtEdit, mTxtHelper &txtHelper, MessageBoxService &messages, QWidget *owner);

    // Controls, in tab order.
    QLineEdit *txtFind = nullptr;
    QLineEdit *txtReplace = nullptr;
    QCheckBox *chkMatch = nullptr;
    QLabel *lblFind = nullptr;
    QLabel *lblReplace = nullptr;
    PushToggleButton *cmdFindNext = nullptr;
    PushToggleButton *cmdCancel = nullptr;
    PushToggleButton *cmdReplace = nullptr;
    PushToggleButton *cmdReplaceAll = nullptr;

    // The 1-based position in the editing area's text of the last match; 0 when there is
    // none (when the dialog opens, and after a search that found nothing).
    int FoundPos() const { return m_foundPos; }

    // Mouse pointer kinds: 0 default, 11 hourglass.
    static constexpr int vbDefault = 0;
    static constexpr int vbHourglass = 11;
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int kind);

    void Form_Load();
    void Form_Unload();
    void Form_MouseMove();
    void txtFind_Change();
    void cmdFindNext_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void buildDesign();
    PushToggleButton *addToggleButton(const char *name, const char *caption, QRect twips,
                                       void (frmFind::*handler)());
    // Runs a handler of a button or a box: a failure is shown, and never crosses the event loop.
    void run(void (frmFind::*handler)());
    TextSearch::CaseRule caseRule() const;
    // Searches from where the last search left off; a match becomes the last match. -1 when
    // nothing is found, and the position is left as it was.
    int searchOn(const QString &what, const TextSearch::CaseRule &rule);
    void findNext();
    // Puts the replacement over the last match while its range still holds the search text;
    // true when it did.
    bool replaceMatch(QTextCursor &cursor, const QString &what, const QString &replacement,
                      const TextSearch::CaseRule &rule);
    void showMatch(int position, int length);
    // Replace All's work between two turns of the window's events: Replace presses, as many as
    // fit in a few milliseconds, made in one edit of the document, so that the editing area
    // lays out and redraws once for them all rather than after each.
    void replaceSlice();

    RichTextBox &m_txtEdit;
    mTxtHelper &m_txtHelper;
    MessageBoxService &m_messages;
    int m_foundPos = 0;
    // Where the next search starts (0-based): one past the start of the last match, after the
    // text that replaced it, or at the top after a search that found nothing.
    int m_searchFrom = 0;
    bool m_unloaded = false;
    bool m_replacingAll = false;
    bool m_activationAsked = false;
    int m_mousePointer = vbDefault;
};
