#include "platform/richtextbox/wide/WideContent.h"

#include "platform/richtextbox/wide/FontSurvey.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The line is a quarter wider than the widest paragraph, in steps of this much: typing in the
// longest line lays the document out again (all of it, as any change of the line's width does)
// only after a quarter of the line more, not every few keys.
constexpr int kWidthStep = 256;
constexpr qreal kWidthRoom = 1.25;

} // namespace

WideContent::WideContent(QTextEdit &box)
    : QObject(&box)
    , m_box(box)
{
    box.viewport()->installEventFilter(this);
    connect(box.horizontalScrollBar(), &QScrollBar::rangeChanged, this, &WideContent::updateHorizontalBar);
}

void WideContent::watch(QTextDocument &document, qreal widestEstimate)
{
    if (m_document) {
        disconnect(m_document, nullptr, this, nullptr);
        disconnect(m_document->documentLayout(), nullptr, this, nullptr);
    }
    m_document = &document;
    connect(&document, &QTextDocument::contentsChange, this, &WideContent::contentsChanged);
    // A change is measured as soon as the layout has laid it out, so that what the area answers
    // about its lines right after the change holds.
    connect(&document, &QTextDocument::contentsChanged, this, &WideContent::measure);
    connect(document.documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this, &WideContent::schedule);
    connect(document.documentLayout(), &QAbstractTextDocumentLayout::update, this, &WideContent::schedule);
    startOver(widestEstimate);
}

void WideContent::setUnwrapped(bool unwrapped)
{
    m_unwrapped = unwrapped;
    // The text may have changed since it was put in place: its widest paragraph is estimated
    // again, so that the lines get their width before they are laid out.
    startOver(unwrapped && hasTables() ? FontSurvey::survey(*m_document).widestParagraph : 0);
}

void WideContent::forgetMeasures()
{
    m_widest = 0;
    m_measuredUpTo = 0;
    m_changed.clear();
}

// Lays the lines out for a new document or mode, and measures what the layout lays out. The
// estimate gives the lines their width from the start: the layout reaches the widest paragraph
// only at its end, and a wider line then would lay the whole document out again. Where the
// estimate falls short, the measures make the line wider as before.
void WideContent::startOver(qreal widestEstimate)
{
    forgetMeasures();
    m_widest = hasTables() ? widestEstimate : 0;
    applyWidth();
    measure();
    schedule();
}

void WideContent::setHorizontalBar(bool on)
{
    m_horizontalBar = on;
    updateHorizontalBar();
}

bool WideContent::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box.viewport() && event->type() == QEvent::Resize)
        applyWidth();
    return QObject::eventFilter(watched, event);
}

bool WideContent::hasTables() const
{
    return m_document && !m_document->rootFrame()->childFrames().isEmpty();
}

void WideContent::contentsChanged(int from, int removed, int added)
{
    // A table typed or pasted in, or the last one deleted, changes the way the lines are laid out.
    if (m_unwrapped && hasTables() != m_laidOutForTables)
        QTimer::singleShot(0, this, &WideContent::applyWidth);
    if (from < m_measuredUpTo) {
        m_measuredUpTo = std::max(from, m_measuredUpTo + added - removed);
        m_changed.append({from, from + added});
    }
}

// The layout tells of its progress in laying out the rest of a document from inside its own
// work, where the line's width can't be changed: what it has laid out is measured right after.
void WideContent::schedule()
{
    if (!m_unwrapped || !m_laidOutForTables || m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_scheduled = false;
        measure();
    });
}

void WideContent::measure()
{
    if (!m_unwrapped || !m_laidOutForTables || !m_document)
        return;
    const qreal before = m_widest;
    for (const auto &[from, to] : std::as_const(m_changed))
        measureBlocks(from, to, false);
    m_changed.clear();
    measureBlocks(m_measuredUpTo, INT_MAX, true);
    if (m_widest > before)
        applyWidth();
}

// The full width of each paragraph of the body from `from` to `to` that the layout has laid
// out: where the line would have to end for the paragraph not to break. A paragraph in a table
// wraps in its cell and is left out. `inOrder` measures on from m_measuredUpTo and stops at
// the first paragraph that the layout has not reached yet.
void WideContent::measureBlocks(int from, int to, bool inOrder)
{
    QTextDocument &document = *m_document;
    const QTextFrame *body = document.rootFrame();
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout || layout->lineCount() == 0) {
            if (inOrder)
                return;
            continue;
        }
        if (inOrder)
            m_measuredUpTo = block.position() + block.length();
        // An empty paragraph has nothing to break (and the one after a table may stand beside
        // it, at the table's right).
        if (layout->maximumWidth() <= 0 || document.frameAt(block.position()) != body)
            continue;
        const QTextBlockFormat format = block.blockFormat();
        // A wrapped paragraph's maximumWidth is the sum of its lines: its width unbroken.
        const qreal width = layout->position().x() + std::max(0.0, format.textIndent()) + layout->maximumWidth()
            + format.rightMargin() + document.documentMargin();
        m_widest = std::max(m_widest, width);
    }
}

void WideContent::applyWidth()
{
    if (!m_unwrapped)
        return;
    // Without tables Qt's own no-wrap mode shows the same, with no line width to keep ahead of
    // the text: it is used until a table comes in.
    const bool tables = hasTables();
    if (tables != m_laidOutForTables) {
        m_laidOutForTables = tables;
        // Nothing is measured without tables: what m_widest holds then is the estimate, which
        // stands until the layout has measured.
        if (tables)
            schedule();
        else
            forgetMeasures();
    }
    if (!tables) {
        if (m_box.lineWrapMode() != QTextEdit::NoWrap)
            m_box.setLineWrapMode(QTextEdit::NoWrap);
        return;
    }
    const int window = m_box.viewport()->width();
    int width = window;
    if (m_widest > window) {
        // The line keeps its room while the widest paragraph still fits in it: it is made wider
        // (and the document laid out again) only once that paragraph outgrows it, not each time
        // a few more keys make the paragraph wider.
        const int current = m_box.lineWrapColumnOrWidth();
        const bool fits = m_box.lineWrapMode() == QTextEdit::FixedPixelWidth && current > window && m_widest <= current;
        width = fits ? current : int(std::ceil(m_widest * kWidthRoom / kWidthStep)) * kWidthStep;
    }
    if (m_box.lineWrapMode() != QTextEdit::FixedPixelWidth)
        m_box.setLineWrapMode(QTextEdit::FixedPixelWidth);
    if (m_box.lineWrapColumnOrWidth() != width)
        m_box.setLineWrapColumnOrWidth(width);
}

void WideContent::updateHorizontalBar()
{
    const bool shown = m_horizontalBar || m_box.horizontalScrollBar()->maximum() > 0;
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (m_box.horizontalScrollBarPolicy() != policy)
        m_box.setHorizontalScrollBarPolicy(policy);
}
