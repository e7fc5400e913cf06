#pragma once

#include "app/recovery/RecoveryKeeper.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/toolbar/ImageList.h"
#include "platform/PictureBox.h"

#include <QCursor>
#include <QMainWindow>
#include <functional>
#include <memory>

class DialogHost;
class InlineSpelling;
class MessageBoxService;
class QAction;
class QMenu;
class RichTextBox;
class SkinFramework;
class SpellingMenu;
class Toolbar;
class ToolbarButton;
class mTxtHelper;

// The main window: a toolbar across the top, the editing area below it and the menu bar. It
// keeps no document name; the document lives in the editing area.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    Form1(MessageBoxService &messages, DialogHost &dialogs, QWidget *parent = nullptr);
    ~Form1() override;

    // Controls, in the window's order.
    Toolbar *Toolbar1 = nullptr;
    CommonDialog CD1;
    RichTextBox *txtEdit = nullptr;
    ImageList ImageList1;
    std::unique_ptr<SkinFramework> SkinFramework1; // none unless one is given
    PictureBox PicData;

    // Menu items, by their names (separators included).
    QAction *mnuFile = nullptr, *mnuNew = nullptr, *mnuOpen = nullptr, *mnuBlank1 = nullptr,
            *mnuSave = nullptr, *mnuSaveAs = nullptr, *mnuBlank2 = nullptr, *mnuPrint = nullptr,
            *mnuPageSetup = nullptr, *mnuBlank3 = nullptr, *mnuExit = nullptr;
    QAction *mnuEdit = nullptr, *mnuUndo = nullptr, *mnuRedo = nullptr, *mnuBlank5 = nullptr,
            *mnuCut = nullptr, *mnuCopy = nullptr, *mnuPaste = nullptr, *mnuBlank7 = nullptr,
            *mnuSelAll = nullptr, *mnuBlank9 = nullptr, *mnuSearchReplace = nullptr;
    QAction *mnuInsert = nullptr, *mnuDateTime = nullptr, *mnuPic = nullptr;
    QAction *mnuFormat = nullptr, *mnuFont = nullptr, *mnuWordWrap = nullptr,
            *mnubground = nullptr, *mnuFormatSep1 = nullptr, *mnuFormatLeft = nullptr,
            *mnuFormatCenter = nullptr, *mnuFormatRight = nullptr;

    // The editor facade, created and bound at start-up.
    std::unique_ptr<mTxtHelper> TxtHelper;
    // The recovery copy of the document's unsaved changes; idle until StartRecovery.
    std::unique_ptr<RecoveryKeeper> Recovery;
    // Spelling checked as the user types in the editing area (owned by it).
    InlineSpelling *txtEditSpelling = nullptr;

    // Where the optional cursor and skin files are looked for: the program's own directory.
    QString ApplicationDirectory;
    // Ends the whole program; tests replace it.
    std::function<void()> EndProgram;

    // Mouse pointer kinds: 0 default, 11 hourglass, 99 the custom MouseIcon.
    static constexpr int vbDefault = 0;
    static constexpr int vbHourglass = 11;
    static constexpr int vbCustom = 99;
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int kind);
    QCursor MouseIcon;
    bool HasMouseIcon = false;

    // Whether the document changed since the last save.
    bool IsModified() const { return m_modified; }

    // The window's client area and the height of the editing area's top edge, in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;

    // The window's own handlers.
    void Form_Load();
    void Form_Resize();
    bool Form_QueryUnload(); // false when the close must not go on, so no edit is lost
    void Form_Unload();
    void Form_MouseMove();

    // File commands.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    bool mnuSaveAs_Click(); // true when the document was written
    void mnuExit_Click();
    // Offers the documents that programs which did not close properly left in the recovery
    // folder, newest first, then keeps a recovery copy of this window's unsaved changes there.
    // True when a left document was recovered into the window.
    bool StartRecovery(RecoveryKeeper::Timing timing = {});
    // Opens the file named on the command line (`arguments` with the program's name first) as
    // Open would; a file that can't be read is reported the same way.
    void OpenCommandLine(const QStringList &arguments);

    // Edit commands.
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuSelAll_Click();
    void mnuSearchReplace_Click();

    // Print, Insert and Format commands.
    void mnuPrint_Click();
    void mnuPageSetup_Click();
    void mnuDateTime_Click();
    void mnuPic_Click();
    void mnuFont_Click();
    void mnuWordWrap_Click();
    void mnubground_Click();
    void mnuFormatLeft_Click();
    void mnuFormatCenter_Click();
    void mnuFormatRight_Click();

    void Toolbar1_ButtonClick(ToolbarButton &Button);
    void txtEdit_Change();
    void txtEdit_KeyDown(int &KeyCode, int Shift);

protected:
    void closeEvent(QCloseEvent *event) override;
    // Files dropped outside the editing area (on the toolbar): as on the editing area, a
    // picture going in at the caret.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildDesign();
    void buildMenus();
    void buildToolbar();
    // Spelling in the editing area and its items in the area's right-click menu.
    void buildSpelling();
    // The design's client size, centred on the screen.
    void placeWindow();
    // Runs a command chosen from a menu or a key: a failure it does not report itself is shown to the
    // user, and the window and the document stay as they were.
    void runCommand(const std::function<void()> &command);
    void showFailure(const std::exception &failure);
    QString ShowFileDialog(bool openDialog, const QString &title, const QString &filter);
    // Asks "Do you want to save changes to Untitled?" and runs Save As on Yes, each through
    // `step` with its line: true when the document may go (No, or Yes and it was saved), false
    // when the user called the command off or the save did not happen.
    bool SaveChangesFirst(const std::function<void(int line, const std::function<void()> &)> &step);
    // Whether the document may be replaced: nothing unsaved, or the closing question answered
    // so that nothing is lost.
    bool MayReplaceDocument();
    // A drag of local files over the window (Form1Drops.cpp): accepted, and on the drop the
    // files taken after the drop has ended; false, doing nothing, for a drag of anything else.
    // `atDropPoint`: a picture goes in where it is dropped, else at the caret.
    bool FileDragEvent(QEvent *event, bool atDropPoint);
    // Dropped files: one RTF document opens as Open opens it, asking first about unsaved
    // changes; pictures go in at `position` (-1: at the selection) as Insert > Image puts them
    // there; anything else is refused (Failure), and so is an RTF file among others.
    void DropFiles(const QStringList &files, int position);
    // Loads a file into the editing area as rich text and clears the modified mark, since
    // reading a file is no edit; throws Failure naming the file and why.
    void OpenDocument(const QString &name);
    // Asks about one left recovery copy: true when it was read into the window.
    bool OfferLeftCopy(const LeftCopy &copy);
    void ReportRecoveryFailure(const QString &reason);
    // Asks before a save replaces an existing file: true on Yes.
    bool ConfirmReplace(const QString &fileName);
    // Asks before a plain-text save would lose what plain text can't hold: true when nothing
    // would be lost or on Yes.
    bool ConfirmPlainText();
    void RefreshCommandState();
    // Aligns the selected paragraphs and moves the check mark to the alignment's item.
    void applyAlignment(int alignment, QAction *checked);
    // Whether an Edit item's command can do something at this moment.
    bool EditCommandAvailable(const QAction *item);
    // The editing area's context menu: the Edit items as they stand when it opens.
    void txtEdit_ContextMenu(const QPoint &position);
    // The facade; a Failure when start-up could not create it.
    mTxtHelper &helper();

    MessageBoxService &m_messages;
    QWidget *m_client = nullptr;
    QMenu *m_editContextMenu = nullptr;
    SpellingMenu *m_spellingMenu = nullptr;
    bool m_modified = false;
    int m_chosenFilterIndex = 0;
    int m_mousePointer = vbDefault;
};
