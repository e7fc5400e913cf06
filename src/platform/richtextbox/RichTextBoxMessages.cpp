// The window messages that the editing area answers, and the clipboard, undo, line and layout
// requests behind them.
#include "platform/richtextbox/RichTextBox.h"
#include "platform/richtextbox/wide/WideContent.h"

#include "platform/richtextbox/Clipboard.h"
#include "platform/richtextbox/CopiedSelection.h"
#include "platform/richtextbox/SelectionAcrossStep.h"
#include "platform/richtextbox/SelectionMime.h"
#include "platform/richtextbox/TextLines.h"
#include "platform/Twips.h"
#include "platform/WindowMessages.h"

#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextOption>

#include <climits>

namespace {

// The tab stops of a control whose list was never set: every 32 dialog units.
constexpr int defaultTabStop = 32;
// The most tab stops the control takes from a list.
constexpr qintptr maxTabStops = 32;

int toInt(qintptr value) { return int(std::clamp<qintptr>(value, INT_MIN, INT_MAX)); }

} // namespace

qintptr RichTextBox::SendMessage(unsigned msg, qintptr wParam, qintptr lParam)
{
    using namespace WindowMessages;
    switch (msg) {
    case WM_CUT:
        cutSelection();
        return 0;
    case WM_COPY:
        copySelection();
        return 0;
    case WM_PASTE:
        pasteClipboard();
        return 0;
    case WM_CLEAR:
        clearSelection();
        return 0;
    case WM_UNDO:
        return undoOnce();
    case EM_CANUNDO:
        return canUndoOnce() ? 1 : 0;
    case EM_CANREDO:
        return document()->isRedoAvailable() ? 1 : 0;
    case EM_GETLINECOUNT:
        return TextLines::count(*document());
    case EM_GETFIRSTVISIBLELINE:
        return TextLines::firstVisibleLine(*document(), verticalScrollBar()->value());
    case EM_LINEFROMCHAR:
        // -1 asks for the line of the caret, or of the selection's start.
        return TextLines::lineFromPosition(*document(), wParam < 0 ? SelStart() : toInt(wParam));
    case EM_LINEINDEX: {
        const int line = wParam < 0 ? TextLines::lineFromPosition(*document(), textCursor().position())
                                    : toInt(wParam);
        return TextLines::lineStart(*document(), line);
    }
    case EM_LINELENGTH:
        return lineLength(wParam);
    case EM_GETLINE:
        return copyLine(wParam, lParam);
    case EM_SETTABSTOPS:
        return setTabStops(wParam, lParam);
    case EM_SETTARGETDEVICE:
        return setTargetDevice(lParam);
    default:
        return 0;
    }
}

bool RichTextBox::canUndoOnce() const
{
    return m_lastEditWasUndo ? document()->isRedoAvailable() : document()->isUndoAvailable();
}

qintptr RichTextBox::undoOnce()
{
    if (!canUndoOnce())
        return 0;
    const bool redoing = m_lastEditWasUndo;
    const SelectionAcrossStep selection(*document(), textCursor());
    m_undoing = true;
    if (redoing)
        redo();
    else
        undo();
    m_undoing = false;
    m_lastEditWasUndo = !redoing;
    // A format change keeps the selection it was made on, and so does its Undo: Qt leaves only
    // a caret where the step began.
    if (selection.keptByStep())
        setTextCursor(selection.selection());
    return 1;
}

void RichTextBox::copySelection()
{
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        Clipboard::Release();
        Clipboard::SetContent(new CopiedSelection(cursor));
    }
}

void RichTextBox::cutSelection()
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    Clipboard::Release();
    Clipboard::SetContent(new CopiedSelection(cursor));
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

QMimeData *RichTextBox::createMimeDataFromSelection() const
{
    return new CopiedSelection(textCursor());
}

bool RichTextBox::canInsertFromMimeData(const QMimeData *source) const
{
    return source && SelectionMime::canInsert(*source);
}

void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source)
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    SelectionMime::insert(cursor, *source);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void RichTextBox::pasteClipboard() { insertFromMimeData(Clipboard::Content()); }

void RichTextBox::clearSelection()
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

qintptr RichTextBox::lineLength(qintptr position)
{
    const QTextDocument &doc = *document();
    if (position < 0) {
        // The characters on the selection's lines that are not selected.
        const QTextCursor cursor = textCursor();
        const int firstLine = TextLines::lineFromPosition(doc, cursor.selectionStart());
        const int lastLine = TextLines::lineFromPosition(doc, cursor.selectionEnd());
        const int before = cursor.selectionStart() - TextLines::lineStart(doc, firstLine);
        const int after = TextLines::lineStart(doc, lastLine) + int(TextLines::lineText(doc, lastLine).size())
            - cursor.selectionEnd();
        return before + std::max(after, 0);
    }
    if (position > TextLength())
        return 0;
    return TextLines::lineText(doc, TextLines::lineFromPosition(doc, toInt(position))).size();
}

// The buffer is UTF-16: its first unit holds its capacity in units. The line is copied without
// a terminating NUL, and the reply is the number of units copied.
qintptr RichTextBox::copyLine(qintptr line, qintptr buffer)
{
    auto *units = reinterpret_cast<char16_t *>(buffer);
    if (!units || line < 0 || line > INT_MAX)
        return 0;
    const QString text = TextLines::lineText(*document(), int(line));
    qsizetype count = std::min<qsizetype>(units[0], text.size());
    // A character outside the basic plane is copied whole or not at all.
    if (count > 0 && count < text.size() && text.at(count - 1).isHighSurrogate())
        --count;
    std::copy_n(text.utf16(), count, units);
    return count;
}

// Tab stops come in dialog units: a quarter of the font's average character width each.
qintptr RichTextBox::setTabStops(qintptr count, qintptr list)
{
    const auto *stops = reinterpret_cast<const qint32 *>(list);
    if (count < 0 || count > maxTabStops || (count > 0 && !stops))
        return 0;
    const qreal unit = QFontMetricsF(document()->defaultFont()).averageCharWidth() / 4;
    QTextOption option = document()->defaultTextOption();
    if (count <= 1) {
        const int every = count == 0 ? defaultTabStop : stops[0];
        if (every <= 0)
            return 0;
        option.setTabs({});
        option.setTabStopDistance(every * unit);
    } else {
        QList<QTextOption::Tab> tabs;
        qint32 previous = 0;
        for (qintptr i = 0; i < count; ++i) {
            if (stops[i] <= previous)
                return 0; // the list must rise
            previous = stops[i];
            tabs.append(QTextOption::Tab(stops[i] * unit, QTextOption::LeftTab));
        }
        option.setTabs(tabs);
    }
    document()->setDefaultTextOption(option);
    return 1;
}

// Line width 0 wraps at the window's edge, 1 not at all; any other width is in twips.
qintptr RichTextBox::setTargetDevice(qintptr lineWidth)
{
    if (lineWidth < 0 || lineWidth > INT_MAX)
        return 0;
    m_wide->setUnwrapped(lineWidth == 1);
    if (lineWidth == 0) {
        setLineWrapMode(QTextEdit::WidgetWidth);
    } else if (lineWidth != 1) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(Twips::toPixelsX(int(lineWidth)));
    }
    return 1;
}
