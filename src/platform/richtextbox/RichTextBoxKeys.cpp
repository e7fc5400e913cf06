// The keys every word processor knows: Tab between table cells, Ctrl+B, Ctrl+I and Ctrl+U,
// and zooming the view; the caret and the seams of a long table read in pieces.
#include "platform/richtextbox/RichTextBox.h"

#include "platform/richtextbox/TableRows.h"
#include "rtf/TableContinuation.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextTable>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The zoom steps that Ctrl+plus, Ctrl+minus and the wheel go through, in percent.
constexpr std::array<int, 17> kZoomSteps{25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400, 500};

bool onlyCtrl(const QKeyEvent *event)
{
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

// The cell after (step 1) or before (step -1) `cell` in reading order; cells that a merged
// cell covers are passed over. Invalid past either end.
QTextTableCell neighbourCell(QTextTable *table, const QTextTableCell &cell, int step)
{
    int row = cell.row();
    int column = step > 0 ? cell.column() + cell.columnSpan() - 1 : cell.column();
    for (;;) {
        column += step;
        if (column >= table->columns()) {
            column = 0;
            ++row;
        } else if (column < 0) {
            column = table->columns() - 1;
            --row;
        }
        if (row < 0 || row >= table->rows())
            return {};
        const QTextTableCell candidate = table->cellAt(row, column);
        if (candidate.row() == row && candidate.column() == column)
            return candidate;
    }
}

} // namespace

bool RichTextBox::conventionKey(QKeyEvent *event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && onlyCtrl(event)) {
        // Tab itself moves between cells, so a tab character in a cell needs another key.
        textCursor().insertText(QStringLiteral("\t"));
        return true;
    }
    if (tab && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return tabInTable(event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier));
    if (!onlyCtrl(event) && event->modifiers() != (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setZoom(*std::upper_bound(kZoomSteps.begin(), kZoomSteps.end() - 1, m_zoom));
        return true;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        setZoom(*(std::lower_bound(kZoomSteps.begin() + 1, kZoomSteps.end(), m_zoom) - 1));
        return true;
    case Qt::Key_0:
        setZoom(100);
        return true;
    default:
        break;
    }
    if (!onlyCtrl(event))
        return false;
    // Each toggles what the selection starts with, as a read of the property gives it, in one
    // step that Undo takes back; with nothing selected it sets what is typed next.
    switch (event->key()) {
    case Qt::Key_B:
        setSelBold(!SelBold());
        return true;
    case Qt::Key_I:
        setSelItalic(!SelItalic());
        return true;
    case Qt::Key_U:
        setSelUnderline(!SelUnderline());
        return true;
    default:
        return false;
    }
}

bool RichTextBox::tabInTable(bool backwards)
{
    QTextCursor cursor = textCursor();
    QTextTable *table = cursor.currentTable();
    if (!table)
        return false;
    QTextTableCell target = neighbourCell(table, table->cellAt(cursor), backwards ? -1 : 1);
    // Past a seam the same long table goes on in the next table (TableContinuation.h).
    if (!target.isValid() && backwards) {
        if (const QTextBlock seam = TableContinuation::seamBefore(*table); seam.isValid()) {
            QTextTable *before = TableContinuation::tableBefore(seam);
            target = before->cellAt(before->lastPosition() - 1);
        }
    } else if (!target.isValid()) {
        if (const QTextBlock seam = TableContinuation::seamAfter(*table); seam.isValid())
            target = TableContinuation::tableAfter(seam)->cellAt(0, 0);
    }
    if (!target.isValid()) {
        if (backwards)
            return true; // the first cell: Shift+Tab stays
        // Tab in the last cell makes a new row to go on in, like the last, in one undo step.
        cursor.beginEditBlock();
        TableRows::appendLikeLast(*table);
        cursor.endEditBlock();
        target = table->cellAt(table->rows() - 1, 0);
    }
    cursor.setPosition(target.firstCursorPosition().position());
    cursor.setPosition(target.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    return true;
}

// The caret never rests in the seam between two tables of one long table, which takes no room
// on the screen: it goes on to the cell next to it in the direction it came from, the cell
// below or above in the same column for Down and Up.
void RichTextBox::leaveSeam()
{
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    const int from = std::exchange(m_caretBefore, position);
    const QTextBlock seam = document()->findBlock(position);
    if (seam.position() != position || !TableContinuation::isSeam(seam))
        return;
    QTextTable *before = TableContinuation::tableBefore(seam);
    QTextTable *after = TableContinuation::tableAfter(seam);
    // in front of a table at the document's start, the only way on is into the table
    int target = from <= position || !before ? position + 1 : position - 1;
    if (before && from < position - 1 && before->cellAt(from).isValid()) {
        target = after->cellAt(0, before->cellAt(from).column()).firstCursorPosition().position();
    } else if (before && from > position + 1 && after->cellAt(from).isValid()) {
        const QTextTableCell above = before->cellAt(before->rows() - 1, after->cellAt(from).column());
        target = above.lastCursorPosition().position();
    }
    cursor.setPosition(target, cursor.hasSelection() ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    m_caretBefore = target;
    setTextCursor(cursor);
}

// A seam whose table before or after it went (a piece deleted whole) would stay an empty
// paragraph that takes no room, where the caret could go and what is typed would not show: it
// becomes an ordinary paragraph, in the undo step of the change that left it so.
void RichTextBox::noteChangeNearSeams(int from, int, int added)
{
    if (m_changedFrom < 0)
        QMetaObject::invokeMethod(this, &RichTextBox::mendStraySeams, Qt::QueuedConnection);
    m_changedFrom = m_changedFrom < 0 ? from : std::min(m_changedFrom, from);
    m_changedTo = std::max(m_changedTo, from + added);
}

void RichTextBox::mendStraySeams()
{
    const int from = std::exchange(m_changedFrom, -1);
    const int to = std::exchange(m_changedTo, -1);
    if (from < 0)
        return;
    QTextBlock block = document()->findBlock(from);
    if (block.previous().isValid())
        block = block.previous();
    const QTextBlock end = document()->findBlock(to).next();
    for (; block.isValid() && block != end; block = block.next()) {
        if (!block.blockFormat().hasProperty(TableContinuation::property) || TableContinuation::isSeam(block))
            continue;
        QTextCursor cursor(block);
        cursor.joinPreviousEditBlock();
        cursor.setBlockFormat(TableContinuation::withoutSeam(block.blockFormat()));
        cursor.endEditBlock();
    }
}

void RichTextBox::setZoom(int percent)
{
    m_zoom = std::clamp(percent, kZoomSteps.front(), kZoomSteps.back());
    applyZoom();
}

// The document is laid out as on a screen of a higher or lower resolution: fonts, pictures,
// indents and borders all grow or shrink together, and the document itself is not touched.
void RichTextBox::applyZoom()
{
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    if (m_zoom == 100) {
        if (!layout->paintDevice())
            return;
        layout->setPaintDevice(nullptr);
    } else {
        constexpr double kInchesPerMetre = 1 / 0.0254;
        m_zoomedScreen = QImage(1, 1, QImage::Format_ARGB32);
        m_zoomedScreen.setDotsPerMeterX(qRound(logicalDpiX() * m_zoom / 100.0 * kInchesPerMetre));
        m_zoomedScreen.setDotsPerMeterY(qRound(logicalDpiY() * m_zoom / 100.0 * kInchesPerMetre));
        layout->setPaintDevice(&m_zoomedScreen);
    }
    document()->markContentsDirty(0, document()->characterCount());
    ensureCursorVisible();
}

void RichTextBox::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QTextEdit::wheelEvent(event);
        return;
    }
    // A notch is 120; a touchpad sends smaller pieces, which add up to a step.
    m_wheelZoomDelta += event->angleDelta().y();
    for (; m_wheelZoomDelta >= 120; m_wheelZoomDelta -= 120)
        setZoom(*std::upper_bound(kZoomSteps.begin(), kZoomSteps.end() - 1, m_zoom));
    for (; m_wheelZoomDelta <= -120; m_wheelZoomDelta += 120)
        setZoom(*(std::lower_bound(kZoomSteps.begin() + 1, kZoomSteps.end(), m_zoom) - 1));
    event->accept();
}
