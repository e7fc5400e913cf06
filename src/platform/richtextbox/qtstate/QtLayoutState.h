#pragma once

// Qt 6.4's document layout keeps its state in classes that are private to its own source file
// (qtextdocumentlayout.cpp). These declarations repeat, member for member, the parts of them that
// EditingLayout reads and corrects after it has laid out one change near the change only. They
// are used only with the Qt minor version they repeat (QtPrivateState::usable(), asked before
// anything is read), and only after the values they read agree with what the layout answers
// through its public functions (EditingLayout.cpp); otherwise the layout does everything itself,
// as it always did.

#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 4, 0) && QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
#define CORVALA_HAS_QT_LAYOUT_STATE 1

#include <QAbstractTextDocumentLayout>
#include <QBasicTimer>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QTextFrame>
#include <QTextOption>
#include <QtGui/private/qabstracttextdocumentlayout_p.h>
#include <QtGui/private/qfixed_p.h>

namespace QtLayoutState {

// Where the layout of the document's top level may start again: the height reached before the
// item at positionInFrame, and the widths found up to there.
struct CheckPoint
{
    QFixed y;
    QFixed frameY;
    int positionInFrame;
    QFixed minimumWidth;
    QFixed maximumWidth;
    QFixed contentsWidth;
};

// The layout's own state (QTextDocumentLayoutPrivate).
struct Layout : QAbstractTextDocumentLayoutPrivate
{
    Layout() = delete;

    QTextOption::WrapMode wordWrapMode;
    int fixedColumnWidth;
    int cursorWidth;
    QSizeF lastReportedSize;
    QRectF viewportRect;
    QRectF clipRect;
    int currentLazyLayoutPosition; // -1 once everything is laid out
    int lazyLayoutStepSize;
    QBasicTimer layoutTimer;
    QBasicTimer sizeChangedTimer;
    uint showLayoutProgress : 1;
    uint insideDocumentChange : 1;
    int lastPageCount;
    qreal idealWidth;
    bool contentHasAlignment;
    QList<CheckPoint> checkPoints;
};

// A frame's layout (QTextFrameData), here the document's root frame.
struct Frame : QTextFrameLayoutData
{
    Frame() = delete;

    QFixedPoint position;
    QFixedSize size;
    QFixed topMargin;
    QFixed bottomMargin;
    QFixed leftMargin;
    QFixed rightMargin;
    QFixed border;
    QFixed padding;
    QFixed contentsWidth;
    QFixed contentsHeight;
    QFixed oldContentsWidth;
    QFixed effectiveTopMargin;
    QFixed effectiveBottomMargin;
    QFixed minimumWidth;
    QFixed maximumWidth;
    void *currentLayoutStruct;
    bool sizeDirty;
    bool layoutDirty;
    QList<QPointer<QTextFrame>> floats;
};

} // namespace QtLayoutState

#endif
