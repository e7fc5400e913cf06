#include "platform/EditingLayout.h"

#include "platform/QtLayoutState.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QtGui/private/qtextdocumentlayout_p.h>

#include <algorithm>

namespace {

#ifdef CORVALA_HAS_QT_LAYOUT_STATE
using QtLayoutState::CheckPoint;

// A width found up to a place (the widest line, the widest word) only grows along the document.
// Where the change made it smaller up to the stop, the old figures after the stop still hold
// only when something after the stop was wider anyway.
bool widthStillHolds(QFixed before, QFixed after, QFixed nextBefore)
{
    return after >= before || nextBefore > before;
}

// The root frame's widths that the layout works out from the whole document.
struct RootWidths
{
    QFixedSize size;
    QFixed contentsWidth;
    QFixed minimumWidth;
    QFixed maximumWidth;
    qreal idealWidth;
};
#endif

class Layout : public QTextDocumentLayout
{
public:
    explicit Layout(QTextDocument *document)
        : QTextDocumentLayout(document)
    {
    }

    int localChanges = 0;

protected:
    void documentChanged(int from, int oldLength, int length) override
    {
#ifdef CORVALA_HAS_QT_LAYOUT_STATE
        if (layOutNearChange(from, oldLength, length))
            return;
#endif
        QTextDocumentLayout::documentChanged(from, oldLength, length);
    }

#ifdef CORVALA_HAS_QT_LAYOUT_STATE
private:
    QtLayoutState::Layout &state()
    {
        return static_cast<QtLayoutState::Layout &>(
            *static_cast<QAbstractTextDocumentLayoutPrivate *>(d_ptr.data()));
    }

    // The state is used only when what it says agrees with the layout's public answers, the
    // whole document is laid out, and its places to start again run from the start of the
    // document (length laidOut before the change) to its end.
    bool stateAgrees(const QtLayoutState::Layout &d, const QtLayoutState::Frame &root,
                     int laidOut) const
    {
        if (d.fixedColumnWidth != -1 || d.cursorWidth != cursorWidth()
            || d.currentLazyLayoutPosition != -1 || layoutStatus() != 100
            || d.contentHasAlignment != contentHasAlignment() || d.idealWidth != idealWidth())
            return false;
        if (root.sizeDirty || root.layoutDirty || !root.floats.isEmpty()
            || root.size.toSizeF() != dynamicDocumentSize())
            return false;
        const QList<CheckPoint> &points = d.checkPoints;
        if (points.size() < 2 || points.constFirst().positionInFrame != 0
            || points.constLast().positionInFrame != laidOut)
            return false;
        for (qsizetype i = 1; i < points.size(); ++i) {
            if (points[i].positionInFrame <= points[i - 1].positionInFrame
                || points[i].y < points[i - 1].y)
                return false;
        }
        return true;
    }

    // Qt's layout places every paragraph after a change again. While it believes part of the
    // document still to be laid out, it stops instead at the first place to start again that
    // lies more than 1000 characters past the change. Told so, it lays out the change and a
    // page or so after it; when the place where it stopped is where it was before (the same
    // height and widths), everything after it is too, and the layout's record of it is put back
    // with its positions moved by the change. Otherwise Qt places the rest, as it always did.
    bool layOutNearChange(int from, int oldLength, int length)
    {
        QTextDocument *doc = document();
        const int documentLength = doc->characterCount();
        const QSizeF page = doc->pageSize();
        // Without a page size nothing is laid out; pages (printing) are laid out whole.
        if (page.isNull() || page.height() > 0)
            return false;
        // A new document, or a large change, is laid out lazily by Qt, in the background.
        if ((oldLength == 0 && length == documentLength)
            || qint64(qMax(length, oldLength)) * 20 >= documentLength)
            return false;
        auto *root = static_cast<QtLayoutState::Frame *>(doc->rootFrame()->layoutData());
        QtLayoutState::Layout &d = state();
        const int shift = length - oldLength;
        if (!root || !stateAgrees(d, *root, documentLength - shift)) {
                return false;
        }

        const int changeEnd = from + oldLength;
        const auto firstAfter = std::upper_bound(
            d.checkPoints.cbegin(), d.checkPoints.cend(), changeEnd,
            [](int position, const CheckPoint &point) { return position < point.positionInFrame; });
        const QList<CheckPoint> after(firstAfter, d.checkPoints.cend());
        const RootWidths before{root->size, root->contentsWidth, root->minimumWidth,
                                root->maximumWidth, d.idealWidth};

        d.currentLazyLayoutPosition = from + length;
        d.showLayoutProgress = false; // no document size is reported half way
        QTextDocumentLayout::documentChanged(from, oldLength, length);
        if (d.currentLazyLayoutPosition == -1)
            return true; // the change was near the end: Qt laid out the rest
        d.layoutTimer.stop();
        d.currentLazyLayoutPosition = -1;

        const CheckPoint stop = d.checkPoints.constLast();
        const auto old = std::find_if(after.cbegin(), after.cend(), [&](const CheckPoint &point) {
            return point.positionInFrame == stop.positionInFrame - shift;
        });
        const bool restHolds = old != after.cend() && std::next(old) != after.cend()
            && old->y == stop.y && old->frameY == stop.frameY
            && widthStillHolds(old->contentsWidth, stop.contentsWidth,
                               std::next(old)->contentsWidth);
        if (!restHolds) {
            // What follows moved: Qt places it, from where it stopped.
            QTextDocumentLayout::documentChanged(stop.positionInFrame, 0, 0);
            return true;
        }

        for (auto point = std::next(old); point != after.cend(); ++point) {
            CheckPoint moved = *point;
            moved.positionInFrame += shift;
            moved.contentsWidth = qMax(moved.contentsWidth, stop.contentsWidth);
            // The narrowest and widest that the document's top level allows matter only to a
            // frame around it, which the root frame has not: they are carried on as they come.
            moved.minimumWidth = qMax(moved.minimumWidth, stop.minimumWidth);
            moved.maximumWidth = qMin(moved.maximumWidth, stop.maximumWidth);
            d.checkPoints.append(moved);
        }
        // Qt worked out the root frame from the part it laid out; the rest is as it was.
        root->size.height = before.size.height;
        root->size.width = qMax(root->size.width, before.size.width);
        root->contentsWidth = qMax(root->contentsWidth, before.contentsWidth);
        root->minimumWidth = qMax(root->minimumWidth, before.minimumWidth);
        root->maximumWidth = qMax(root->maximumWidth, before.maximumWidth);
        d.idealWidth = qMax(d.idealWidth, before.idealWidth);
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

int EditingLayout::localChanges(const QTextDocument &document)
{
    const auto *layout = dynamic_cast<const Layout *>(document.documentLayout());
    return layout ? layout->localChanges : 0;
}
