#pragma once

#include "rtf/files/DocumentFiles.h"

#include <QImage>
#include <QTextEdit>

#include <functional>

class QPrinter;
class WideContent;

// The editing area: a multi-line rich-text editor with the properties, methods and events that
// the editor's commands and its facade expect of it.
//
// Positions: a paragraph or line break counts as one character in Text, SelStart and SelLength,
// and so does a picture; Text returns "\n" for every break, keeps a no-break space as it is and
// a picture as U+FFFC, so that positions taken from Text agree with the selection everywhere.
// The seam between two pieces of a long table is a U+FFFC too; the caret never rests in it.
class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget *parent = nullptr);

    QString Text() const;
    void setText(const QString &text);

    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString &text);
    // Whether SelText would be non-empty, without copying the selected text.
    bool HasSelText() const;

    // Moves the keyboard focus here; throws Failure when the editing area can't take it
    // (hidden or disabled), as the commands that rely on the focus move expect.
    void SetFocus();

    // Position and size in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);

    // Replaces the whole document with the file's content; the document stays as it was when
    // the file can't be read (Failure). Writes the document to a file (Failure on error).
    void LoadFile(const QString &path, RichTextFileType type = rtfRTF);
    void SaveFile(const QString &path, RichTextFileType type = rtfRTF) const;

    // Puts content in place of the selection as a paste puts the clipboard's (one undo step),
    // for content that does not come by way of the clipboard: a dropped picture file.
    void Insert(const QMimeData &content) { insertFromMimeData(&content); }

    // The number of characters in the document, as Text counts them.
    int TextLength() const;

    // Converts the text of the range from `start` run by run, so that every run keeps its
    // format and every picture stays: `convert` is called for each piece of the range in
    // order (each run of text of one format, each break as "\n", pictures as U+FFFC), and what
    // it gives for a run takes the run's place (one undo step); what it gives for a break or
    // a picture is not used. The selection stays on the same text.
    // Returns the range's new length. Throws Failure when the range runs past the end.
    int ConvertRuns(int start, int length, const std::function<QString(const QString &)> &convert);

    // The colour of the selection's text (of the text typed next when nothing is selected),
    // as &H00BBGGRR.
    int SelColor() const;
    void setSelColor(int colour);

    // The character format of the selection, or of the text typed next when nothing is
    // selected (RichTextBoxFormats.cpp). A read gives the format at the selection's start.
    bool SelBold() const;
    void setSelBold(bool bold);
    bool SelItalic() const;
    void setSelItalic(bool italic);
    bool SelUnderline() const;
    void setSelUnderline(bool underline);
    bool SelStrikeThru() const;
    void setSelStrikeThru(bool strikeThru);
    QString SelFontName() const;
    void setSelFontName(const QString &name);
    float SelFontSize() const;
    void setSelFontSize(float points); // Failure unless 1 to 1638 points

    // The alignment of the paragraphs the selection touches.
    static constexpr int rtfLeft = 0;
    static constexpr int rtfRight = 1;
    static constexpr int rtfCenter = 2;
    int SelAlignment() const;
    void setSelAlignment(int alignment);

    // 0 none, 1 horizontal, 2 vertical, 3 both. Lines wrap at the window's edge unless there is
    // a horizontal scroll bar.
    static constexpr int rtfNone = 0;
    static constexpr int rtfHorizontal = 1;
    static constexpr int rtfVertical = 2;
    static constexpr int rtfBoth = 3;
    int ScrollBars() const;
    void setScrollBars(int bars);
    // How lines wrap as the commands set it. While they don't wrap (NoWrap) the layout runs at
    // the width of the widest paragraph, so that table cells keep their widths and wrap their
    // text inside them; lineWrapMode() then says FixedPixelWidth.
    QTextEdit::LineWrapMode wrapMode() const;

    // The colour behind the text of the whole area (&H00BBGGRR, or a system colour). It
    // belongs to the area, not to the document, so it is not saved with it.
    int BackColor() const;
    void setBackColor(int colour);

    // Prints the selection, or the whole document when nothing is selected, with its
    // formatting and pictures, laid out on the printer's pages at the printer's resolution
    // (printing/RichTextBoxPrinting.cpp). No printer prints nothing.
    void SelPrint(QPrinter *printer) const;

    // How large the document is shown, in percent (25 to 500; Ctrl+plus, Ctrl+minus, Ctrl+0
    // and Ctrl with the mouse wheel). A view setting: the document is not changed, and the
    // zoom stays when another document is opened (RichTextBoxKeys.cpp).
    int Zoom() const { return m_zoom; }
    void setZoom(int percent);

    // While true, the selection is not highlighted, so that a command can select text to
    // change it without the selection flashing on the screen.
    bool HideSelection() const;
    void setHideSelection(bool hide);

    // Answers the window messages of WindowMessages.h (WM_CUT, EM_LINEINDEX, ...) with the
    // replies of the platform's rich-edit control; any other message gets 0. lParam carries a
    // pointer where the message takes one. Positions and lines are those of Text and of the
    // lines as laid out on the screen.
    qintptr SendMessage(unsigned msg, qintptr wParam, qintptr lParam);

    // The window's style bits (GWL_STYLE). WS_HSCROLL and WS_VSCROLL show or hide the scroll
    // bars; the other bits are kept as given.
    int WindowStyle() const;
    void setWindowStyle(int style);
    // Redraws the window's frame under its current style (SetWindowPos with SWP_FRAMECHANGED).
    void RefreshFrame();

    // Draws over the text once the area has painted it (spelling's underlines), with a painter
    // on the viewport clipped to what is being painted. Nothing it draws is in the document.
    using OverlayPainter = std::function<void(QPainter &painter, const QRect &exposed)>;
    void setOverlayPainter(OverlayPainter painter) { m_overlayPainter = std::move(painter); }

Q_SIGNALS:
    // Every change of the content, typed or made by a command, formatting included.
    void Change();
    // Sees every key before the editing area handles it. Setting KeyCode to 0 discards the
    // key. KeyCode is the virtual-key code (letters 65 to 90); Shift is 1 Shift, 2 Ctrl, 4 Alt.
    void KeyDown(int &KeyCode, int Shift);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // Dragging and the area's own copy and paste keys carry the same content as the Copy and
    // Paste commands.
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    qintptr undoOnce();
    bool canUndoOnce() const;
    void copySelection();
    void cutSelection();
    void pasteClipboard();
    void clearSelection();
    qintptr setTabStops(qintptr count, qintptr list);
    qintptr setTargetDevice(qintptr lineWidth);
    qintptr lineLength(qintptr position);
    qintptr copyLine(qintptr line, qintptr buffer);

    void adoptDocument(QTextDocument *document);
    QTextCharFormat selectionFormat() const;
    QFont selectionFont() const;
    bool windowHasShortcut(const QKeySequence &keys) const;
    // Tab and Shift+Tab between table cells, Ctrl+Tab, Ctrl+B, Ctrl+I, Ctrl+U and the zoom keys
    // (RichTextBoxKeys.cpp): true when the key was used.
    bool conventionKey(QKeyEvent *event);
    bool tabInTable(bool backwards);
    // The seams between the pieces of a long table (TableContinuation.h, RichTextBoxKeys.cpp).
    void leaveSeam();
    void noteChangeNearSeams(int from, int removed, int added);
    void mendStraySeams();
    void applyZoom();
    // Enter, in a list item or any other paragraph (RichTextBoxEnter.cpp)
    bool enterParagraph(QKeyEvent *event);
    int clampPosition(int position) const;
    // A position inside a character of two UTF-16 units moved to the character's start
    // (step -1) or end (step 1), so that no selection edge splits a character.
    int outsideCharacter(int position, int step) const;

    // Undo is single-level for the commands: an undo right after an undo takes the first one
    // back. Set by an undo, cleared by any other change.
    bool m_lastEditWasUndo = false;
    bool m_undoing = false;
    bool m_hideSelection = false;
    int m_caretBefore = 0;   // where the caret was before it last moved
    int m_changedFrom = -1, m_changedTo = -1;   // what changed since the seams were last looked at
    QPalette m_paletteShowingSelection;
    int m_otherStyleBits;
    // Lines that don't wrap, and what is wider than the window (WideContent.h).
    WideContent *m_wide = nullptr;
    // The fonts of the document's text and their fallbacks, met when it was put in place
    // (FontSurvey.h) and held so that Qt's font cache keeps them for the layout.
    QList<QFont> m_documentFonts;
    int m_backColor = int(0x80000005); // the window colour
    int m_zoom = 100;
    int m_wheelZoomDelta = 0;
    QImage m_zoomedScreen; // the resolution a zoomed document is laid out for
    OverlayPainter m_overlayPainter;
};
