#include "platform/richtextbox/EditingLayout.h"

#include "platform/richtextbox/qtstate/BackgroundLayout.h"
#include "platform/richtextbox/qtstate/PageWidening.h"
#include "platform/richtextbox/qtstate/QtLayoutState.h"
#include "platform/richtextbox/qtstate/QtPrivateState.h"
#include "rtf/TableContinuation.h"

#include <QByteArray>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QtGui/private/qtextdocumentlayout_p.h>

#include <algorithm>
#include <optional>

namespace {

#ifdef CORVALA_HAS_QT_LAYOUT_STATE
using QtLayoutState::CheckPoint;

// Qt lays out a change and a thousand characters after it, up to the next place to start again;
// during the background layout, that must end before where the background layout has come.
constexpr int backgroundMargin = 20000;

// The widest line found up to a place only grows along the document.
// Where the change made it smaller up to the stop, the old figures after the stop still hold
// only when something after the stop was wider anyway.
bool widthStillHolds(QFixed before, QFixed after, QFixed nextBefore)
{
    return after >= before || nextBefore > before;
}

// The first of the top level's tables (in document order) that starts at or after `at`: found by
// halving, as a key in a document of hundreds of tables would otherwise ask each one where it is.
QList<QTextFrame *>::const_iterator firstTableFrom(const QList<QTextFrame *> &tables, int at)
{
    return std::partition_point(tables.cbegin(), tables.cend(),
                                [at](const QTextFrame *table) { return table->firstPosition() < at; });
}

// The root frame's height, and the narrowest and widest that the document's top level allows.
struct RootBefore
{
    QFixed height;
    QFixed minimumWidth;
    QFixed maximumWidth;
};
#endif

class Layout : public QTextDocumentLayout
{
public:
    explicit Layout(QTextDocument *document)
        : QTextDocumentLayout(document)
    {
#ifndef CORVALA_HAS_QT_LAYOUT_STATE
        static const bool told = [] {
            qCInfo(layoutLog) << "built against Qt" << QT_VERSION_STR
                              << "whose layout state is not known here: Qt lays out every change itself";
            return true;
        }();
        Q_UNUSED(told);
#endif
    }

    int localChanges = 0;

protected:
    void documentChanged(int from, int oldLength, int length) override
    {
        // Setting up the editing area sets the page size, the default font and the text
        // options one after another, often to what they already are; each would lay out the
        // whole document afresh, a long table at its start at once each time.
#ifdef CORVALA_HAS_QT_LAYOUT_STATE
        // Nothing of Qt's private state is read before it is known to be where it is declared.
        if (!QtPrivateState::usable()) {
            layOutAsQtDoes(from, oldLength, length);
            return;
        }
        const bool whole = from == 0 && oldLength == 0 && length == document()->characterCount();
        std::optional<LaidOutAs> settings;
        if (whole) {
            settings = laidOutAs();
            if (settings == m_wholeLayout)
                return;
            if (widenPage()) {
                m_wholeLayout = settings;
                return;
            }
        }
        m_wholeLayout = settings;

        const bool laidOut = layOutNearChange(from, oldLength, length) || leaveToBackground(from, oldLength, length);
        m_blockCount = document()->blockCount();
        if (!laidOut)
            layOutAsQtDoes(from, oldLength, length);
        BackgroundLayout::pauseAfterChange(state(), *this);
#else
        layOutAsQtDoes(from, oldLength, length);
#endif
    }

    // Qt's own layout of a change, through its public functions only. While the document is
    // still being laid out in the background, Qt (6.4) lays out a change and goes on past the
    // place the background layout had reached, taking the paragraphs there as laid out when they
    // are not: they get no lines, and the layout ends there, as if the document ended.
    // Everything after the change is given to it as changed, so that it lays out what it passes,
    // up to where it stops as before.
    void layOutAsQtDoes(int from, int oldLength, int length)
    {
        if (layoutStatus() != 100)
            length = qMax(length, document()->characterCount() - from);
        QTextDocumentLayout::documentChanged(from, oldLength, length);
    }

    void timerEvent(QTimerEvent *event) override
    {
#ifdef CORVALA_HAS_QT_LAYOUT_STATE
        if (QtPrivateState::usable()) {
            QtLayoutState::Layout &d = state();
            if (event->timerId() == d.layoutTimer.timerId() && d.currentLazyLayoutPosition != -1) {
                m_background.step(d, *this, [&] { QTextDocumentLayout::timerEvent(event); });
                return;
            }
        }
#endif
        QTextDocumentLayout::timerEvent(event);
    }

#ifdef CORVALA_HAS_QT_LAYOUT_STATE
private:
    // What a layout of the whole document depends on besides the document's content.
    struct LaidOutAs
    {
        QSizeF pageSize;
        QFont font;
        Qt::Alignment alignment;
        QTextOption::WrapMode wrapMode;
        QTextOption::Flags flags;
        Qt::LayoutDirection direction;
        qreal tabStopDistance;
        QList<QTextOption::Tab> tabs;
        qreal indentWidth;
        qreal documentMargin;
        bool designMetrics;
        int fixedColumnWidth;
        const QPaintDevice *device;
        int length;
        bool operator==(const LaidOutAs &) const = default;
    };

    LaidOutAs laidOutAs()
    {
        const QTextDocument *doc = document();
        const QTextOption option = doc->defaultTextOption();
        return {doc->pageSize(),       doc->defaultFont(),    option.alignment(),
                option.wrapMode(),     option.flags(),        option.textDirection(),
                option.tabStopDistance(), option.tabs(),      doc->indentWidth(),
                doc->documentMargin(), doc->useDesignMetrics(), state().fixedColumnWidth,
                paintDevice(),         doc->characterCount()};
    }

    // Set while the layout is that of the whole document with these settings, and nothing has
    // changed since it began.
    std::optional<LaidOutAs> m_wholeLayout;

    int m_blockCount = -1; // the document's paragraphs when the layout last heard of a change
    BackgroundLayout m_background;

    // Used only once QtPrivateState::usable(): the declarations repeat Qt 6.4's, and the program
    // may run with another Qt than it was built with.
    QtLayoutState::Layout &state()
    {
        return static_cast<QtLayoutState::Layout &>(
            *static_cast<QAbstractTextDocumentLayoutPrivate *>(d_ptr.data()));
    }

    // The state is used only when what it says agrees with the layout's public answers, and
    // its places to start again run from the start of the document to the end of what is laid
    // out: the whole document (`wholeLength` long when the layout was made), or, while the rest
    // is laid out in the background, up to where that has come. Says why not, on the logging
    // category, when it does not agree.
    bool stateAgrees(const QtLayoutState::Layout &d, const QtLayoutState::Frame &root,
                     int wholeLength) const
    {
        const char *const disagreement = whyStateDisagrees(d, root, wholeLength);
        if (disagreement)
            qCDebug(layoutLog) << "Qt lays out the change itself: the layout state disagrees:" << disagreement;
        return !disagreement;
    }

    const char *whyStateDisagrees(const QtLayoutState::Layout &d, const QtLayoutState::Frame &root,
                                  int wholeLength) const
    {
        if (d.fixedColumnWidth != -1)
            return "lines wrap at a number of columns";
        if (d.cursorWidth != cursorWidth())
            return "the cursor's width";
        if (d.contentHasAlignment != contentHasAlignment())
            return "whether any paragraph is aligned";
        // The ideal width is known only once everything is laid out: asking lays it all out.
        const bool whole = d.currentLazyLayoutPosition == -1;
        if (whole && (layoutStatus() != 100 || d.idealWidth != idealWidth()))
            return "the layout status or the ideal width";
        if (root.sizeDirty || root.layoutDirty || !root.floats.isEmpty())
            return "the root frame is to be laid out again or holds floats";
        if (root.size.toSizeF() != dynamicDocumentSize())
            return "the root frame's size";
        const QList<CheckPoint> &points = d.checkPoints;
        if (points.size() < 2 || points.constFirst().positionInFrame != 0
            || points.constLast().positionInFrame != (whole ? wholeLength : d.currentLazyLayoutPosition))
            return "the places to start again do not span what is laid out";
        for (qsizetype i = 1; i < points.size(); ++i) {
            if (points[i].positionInFrame <= points[i - 1].positionInFrame
                || points[i].y < points[i - 1].y)
                return "the places to start again are out of order";
        }
        return nullptr;
    }

    static QtLayoutState::Frame *frameState(QTextFrame *frame)
    {
        return static_cast<QtLayoutState::Frame *>(frame->layoutData());
    }

    // How far the item where Qt stopped (the place to start again at `stop`) moves down: the
    // new height at the stop against where the item still is. Unknown where Qt places an item
    // other than after the one before it: an empty paragraph before or after a table, tucked
    // into its border.
    std::optional<QFixed> movedAt(const CheckPoint &stop) const
    {
        const QTextDocument *doc = document();
        const int at = stop.positionInFrame;
        const QList<QTextFrame *> tables = doc->rootFrame()->childFrames();
        const auto next = firstTableFrom(tables, at);
        if (next != tables.cend() && (*next)->firstPosition() == at) {
            const QtLayoutState::Frame *table = frameState(*next);
            if (!table || table->sizeDirty)
                return std::nullopt;
            return stop.y - table->position.y;
        }
        if ((next != tables.cend() && (*next)->firstPosition() == at + 1)
            || (next != tables.cbegin() && (*std::prev(next))->lastPosition() + 1 == at))
            return std::nullopt;
        const QTextBlock block = doc->findBlock(at);
        if (!block.isValid() || block.position() != at || !block.isVisible() || paintDevice())
            return std::nullopt;
        // Qt keeps the larger of the margins between two paragraphs.
        qreal margin = 0;
        if (const QTextBlock previous = block.previous(); previous.isValid())
            margin = qMax(block.blockFormat().topMargin(), previous.blockFormat().bottomMargin());
        return stop.y + QFixed::fromReal(margin) - QFixed::fromReal(block.layout()->position().y());
    }

    // Widens the root frame, as Qt works it out at the end of its layout, to hold paragraphs
    // `paragraphs` wide; its tables are in Qt's figures already.
    static void widenBy(QtLayoutState::Layout &d, QtLayoutState::Frame &root, QFixed paragraphs)
    {
        const QFixed margins =
            2 * (root.border + root.padding) + root.leftMargin + root.rightMargin;
        d.idealWidth = qMax(d.idealWidth, (paragraphs + margins).toReal());
        const QFixed actual = root.size.width - margins;
        if (paragraphs <= actual)
            return;
        root.size.width = paragraphs + margins;
        if (root.contentsWidth > 0) // not laid out without wrapping
            root.contentsWidth = paragraphs;
    }

    // Moves every paragraph and table of the document's top level from `at` up to `end` down by
    // `by`; what is inside a table lies relative to it and moves with it. What lies beyond `end`
    // is not laid out yet: the background layout places it when it comes to it.
    bool moveAllAfter(int at, int end, QFixed by)
    {
        const QTextDocument *doc = document();
        struct Table
        {
            int firstBlock;
            int lastBlock;
            QtLayoutState::Frame *layout;
        };
        QList<Table> tables;
        const QList<QTextFrame *> frames = doc->rootFrame()->childFrames();
        for (auto it = firstTableFrom(frames, at); it != frames.cend(); ++it) {
            QTextFrame *frame = *it;
            if (frame->firstPosition() >= end)
                break;
            QtLayoutState::Frame *layout = frameState(frame);
            if (!layout || layout->sizeDirty)
                return false;
            tables.append({doc->findBlock(frame->firstPosition()).blockNumber(),
                           doc->findBlock(frame->lastPosition()).blockNumber(), layout});
        }
        for (const Table &table : tables)
            table.layout->position.y += by;
        const QPointF down(0, by.toReal());
        auto table = tables.cbegin();
        QTextBlock block = doc->findBlock(at);
        for (int number = block.blockNumber(); block.isValid() && block.position() < end;
             block = block.next(), ++number) {
            while (table != tables.cend() && number > table->lastBlock)
                ++table;
            if (table != tables.cend() && number >= table->firstBlock)
                continue;
            QTextLayout *lines = block.layout();
            lines->setPosition(lines->position() + down);
        }
        return true;
    }

    // The widest line of the paragraphs of the document's top level that a change touched, as
    // it was before the change: their lines are still the old ones when the layout hears of it.
    // Unknown when the change may have taken paragraphs away (with them their lines): only an
    // insertion, or a deletion that left every paragraph break, surely did not. Unknown in
    // right-to-left paragraphs too.
    std::optional<QFixed> widestBeforeChange(int from, int oldLength, int length) const
    {
        const QTextDocument *doc = document();
        const bool noneTakenAway = (oldLength == 0 && doc->blockCount() >= m_blockCount)
            || (length == 0 && doc->blockCount() == m_blockCount);
        if (m_blockCount < 0 || !noneTakenAway
            || (doc->defaultTextOption().flags()
                & QTextOption::AddSpaceForLineAndParagraphSeparators))
            return std::nullopt;
        QFixed widest;
        const QTextBlock last = doc->findBlock(from + length);
        for (QTextBlock block = doc->findBlock(from); block.isValid(); block = block.next()) {
            if (QTextCursor(block).currentFrame() == doc->rootFrame()) {
                if (block.textDirection() == Qt::RightToLeft)
                    return std::nullopt;
                const QFixed rightMargin = QFixed::fromReal(block.blockFormat().rightMargin());
                const QTextLayout *lines = block.layout();
                for (int i = 0; i < lines->lineCount(); ++i) {
                    const QTextLine line = lines->lineAt(i);
                    widest = qMax(widest, QFixed::fromReal(line.x() + line.naturalTextWidth())
                                      + rightMargin);
                }
            }
            if (block == last)
                break;
        }
        return widest;
    }

    // While the rest is laid out in the background, Qt lays out a change it is told of up to the
    // first place to start again beyond where the background layout has come, passing the
    // paragraphs in between without laying them out: they would show nothing, ever (typing at
    // the start of a document just opened left thousands of them so). A change that is not laid
    // out near itself is left to the background layout instead, which goes on from the last place
    // to start again before the change; the screen, drawn next, lays out what it shows.
    bool leaveToBackground(int from, int oldLength, int length)
    {
        QtLayoutState::Layout &d = state();
        const QSizeF page = document()->pageSize();
        if (d.currentLazyLayoutPosition == -1 || d.checkPoints.isEmpty()
            || page.isNull() || page.height() > 0
            || (oldLength == 0 && length == document()->characterCount()))
            return false;
        // As Qt does first: the changed paragraphs' lines are gone.
        QTextBlock block = document()->findBlock(from);
        QTextBlock end = document()->findBlock(qMax(0, from + length - 1));
        if (end.isValid())
            end = end.next();
        for (; block.isValid() && block != end; block = block.next())
            block.clearLayout();
        resumeBackground(d, from);
        Q_EMIT update(QRectF(0, 0, INT_MAX, INT_MAX));
        return true;
    }

    // While the rest is laid out in the background: what is laid out ends at the last place to
    // start again up to `end`, and the background layout goes on from there. Qt positions
    // paragraphs it passes without laying them out, so nothing past where it had come before
    // the change may count as laid out.
    bool resumeBackground(QtLayoutState::Layout &d, int end)
    {
        if (end == INT_MAX)
            return true; // the layout is complete
        while (d.checkPoints.size() > 1 && d.checkPoints.constLast().positionInFrame > end)
            d.checkPoints.removeLast();
        d.currentLazyLayoutPosition = d.checkPoints.constLast().positionInFrame;
        return true;
    }

    // Lets Qt lay out a change and stop at the first place to start again more than 1000
    // characters past it, as it does while it believes part of the document still to be laid
    // out. False when it went on to the end of the document instead: the layout is complete.
    bool layOutUpToStop(QtLayoutState::Layout &d, int from, int oldLength, int length)
    {
        d.currentLazyLayoutPosition = from + length;
        d.showLayoutProgress = false; // no document size is reported half way
        QTextDocumentLayout::documentChanged(from, oldLength, length);
        if (d.currentLazyLayoutPosition == -1)
            return false;
        d.layoutTimer.stop();
        d.currentLazyLayoutPosition = -1;
        return true;
    }

    // The page made wider (the editing area's fixed width, once a paragraph outgrows it): the
    // lines keep their places but for the paragraphs that broke at the old width, which are laid
    // out again near themselves, as a change of each. Qt would lay out the whole document.
    bool widenPage()
    {
        QTextDocument *doc = document();
        const QSizeF page = doc->pageSize();
        auto *root = frameState(doc->rootFrame());
        QtLayoutState::Layout &d = state();
        if (page.isNull() || page.height() > 0 || !root || !stateAgrees(d, *root, doc->characterCount()))
            return false;
        const int background = d.currentLazyLayoutPosition;
        const int laidOut = background == -1 ? doc->characterCount() : background;
        // Each paragraph laid out again here costs about a key; more are left to Qt.
        const std::optional<QList<int>> broken = PageWidening::widen(*root, *doc, laidOut, 8);
        if (!broken)
            return false;
        // Laid out last to first, so that each is where the background layout has come, while it
        // has not finished, and moved by what was laid out after it.
        for (auto at = broken->crbegin(); at != broken->crend(); ++at) {
            const int length = doc->findBlock(*at).length();
            if (!layOutNearChange(*at, length, length) && !leaveToBackground(*at, length, length))
                QTextDocumentLayout::documentChanged(*at, length, length);
        }
        const QSizeF size = dynamicDocumentSize();
        if (size != d.lastReportedSize) {
            d.lastReportedSize = size;
            Q_EMIT documentSizeChanged(size);
        }
        Q_EMIT update(QRectF(0, 0, INT_MAX, INT_MAX));
        ++localChanges;
        return true;
    }

    // Qt's layout places every paragraph after a change again. Here it lays out the change and
    // a page or so after it only. Everything after the place where it stopped is laid out as
    // before, only higher or lower by as much as that place moved: it is moved by that much, and
    // the layout's record of it is put back with its positions moved by the change. Where that
    // cannot be known, or the widest line may have become narrower, Qt places the rest itself.
    bool layOutNearChange(int from, int oldLength, int length)
    {
        QTextDocument *doc = document();
        const int documentLength = doc->characterCount();
        const QSizeF page = doc->pageSize();
        // Without a page size nothing is laid out; pages (printing) are laid out whole.
        if (page.isNull() || page.height() > 0)
            return false;
        // A new document is laid out by Qt in the background; laying out a large change costs
        // more than moving the rest of the document anyway.
        if ((oldLength == 0 && length == documentLength)
            || qint64(qMax(length, oldLength)) * 20 >= documentLength)
            return false;
        auto *root = frameState(doc->rootFrame());
        QtLayoutState::Layout &d = state();
        const int shift = length - oldLength;
        if (!root || !stateAgrees(d, *root, documentLength - shift))
            return false;
        // While the rest is laid out in the background, only what is laid out already is moved;
        // a change near or past where the background layout has come is left to Qt.
        const int background = d.currentLazyLayoutPosition;
        if (background != -1 && from + oldLength + backgroundMargin > background)
            return false;
        const int laidOutEnd = background == -1 ? INT_MAX : background + shift;

        const std::optional<QFixed> widestBefore = widestBeforeChange(from, oldLength, length);
        const auto firstAfter = std::upper_bound(
            d.checkPoints.cbegin(), d.checkPoints.cend(), from + oldLength,
            [](int position, const CheckPoint &point) { return position < point.positionInFrame; });
        const QList<CheckPoint> after(firstAfter, d.checkPoints.cend());
        const RootBefore before{root->size.height, root->minimumWidth, root->maximumWidth};

        if (!layOutUpToStop(d, from, oldLength, length))
            return resumeBackground(d, laidOutEnd);
        CheckPoint stop;
        QList<CheckPoint>::const_iterator rest; // the old places to start again after the stop
        std::optional<QFixed> moved;
        bool widthsHold = false;
        for (int attempt = 0;; ++attempt) {
            stop = d.checkPoints.constLast();
            const int stopBefore = stop.positionInFrame - shift; // where the stop was before
            rest = std::upper_bound(after.cbegin(), after.cend(), stopBefore,
                                    [](int position, const CheckPoint &point) {
                                        return position < point.positionInFrame;
                                    });
            const bool stopKnown =
                rest != after.cbegin() && std::prev(rest)->positionInFrame == stopBefore;
            // Nothing touched was wider before than what is laid out up to the stop now.
            widthsHold = widestBefore && *widestBefore <= stop.contentsWidth;
            // The item at the stop moves by as much as its new place differs from its old one,
            // which is not always what the height reached before it moved by: the spacing
            // between it and the paragraph before may have changed (a join with a paragraph
            // of other spacing).
            moved = movedAt(stop);
            // The seam between two tables of a long table is placed after the table before
            // it as it was, when the change was before that table's end: it moves with the
            // place to start again at it.
            if (!moved && stopKnown && TableContinuation::isSeam(doc->findBlock(stop.positionInFrame))
                && from + length < stop.positionInFrame)
                moved = stop.y - std::prev(rest)->y;
            if (stopKnown) {
                const CheckPoint &old = *std::prev(rest);
                widthsHold = widthsHold
                    || (rest != after.cend()
                        && widthStillHolds(old.contentsWidth, stop.contentsWidth,
                                           rest->contentsWidth));
            } else {
                widthsHold = widthsHold
                    || (rest != after.cend() && stop.contentsWidth >= rest->contentsWidth);
            }
            if (moved || attempt == 2)
                break;
            // Qt stopped at a paragraph beside a table, which it may tuck into the table's
            // border: let it go on for another page.
            if (!layOutUpToStop(d, stop.positionInFrame, 0, 0))
                return resumeBackground(d, laidOutEnd);
        }
        if (rest == after.cend() || !moved || !widthsHold
            || (*moved != 0 && !moveAllAfter(stop.positionInFrame, laidOutEnd, *moved))) {
            if (laidOutEnd != INT_MAX)
                return resumeBackground(d, std::min(laidOutEnd, stop.positionInFrame));
            // Qt places what follows, from where it stopped.
            QTextDocumentLayout::documentChanged(stop.positionInFrame, 0, 0);
            return true;
        }

        for (auto point = rest; point != after.cend(); ++point) {
            CheckPoint next = *point;
            next.positionInFrame += shift;
            next.y += *moved;
            next.contentsWidth = qMax(next.contentsWidth, stop.contentsWidth);
            // The narrowest and widest that the document's top level allows matter only to a
            // frame around it, which the root frame has not: they are carried on as they come.
            next.minimumWidth = qMax(next.minimumWidth, stop.minimumWidth);
            next.maximumWidth = qMin(next.maximumWidth, stop.maximumWidth);
            d.checkPoints.append(next);
        }
        // Qt worked out the root frame from the part it laid out and from every table as it
        // now is; only the paragraphs after the stop are missing from its widths.
        root->size.height = before.height + *moved;
        // The last place to start again is the document's end, with the widest line of all.
        widenBy(d, *root, d.checkPoints.constLast().contentsWidth);
        root->minimumWidth = qMax(root->minimumWidth, before.minimumWidth);
        root->maximumWidth = qMax(root->maximumWidth, before.maximumWidth);
        if (laidOutEnd != INT_MAX)
            d.currentLazyLayoutPosition = laidOutEnd;
        d.showLayoutProgress = true;
        const QSizeF size = dynamicDocumentSize();
        if (size != d.lastReportedSize) {
            d.lastReportedSize = size;
            Q_EMIT documentSizeChanged(size);
        }
        ++localChanges;
        return true;
    }
#endif
};

} // namespace

void EditingLayout::install(QTextDocument &document)
{
    document.setDocumentLayout(new Layout(&document));
}

bool EditingLayout::laysOutNearChanges()
{
#ifdef CORVALA_HAS_QT_LAYOUT_STATE
    return QtPrivateState::usable();
#else
    return false;
#endif
}

int EditingLayout::localChanges(const QTextDocument &document)
{
    const auto *layout = dynamic_cast<const Layout *>(document.documentLayout());
    return layout ? layout->localChanges : 0;
}
