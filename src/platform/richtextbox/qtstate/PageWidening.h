#pragma once

#include "platform/richtextbox/qtstate/QtLayoutState.h"

#ifdef CORVALA_HAS_QT_LAYOUT_STATE

#include <QList>
#include <optional>

class QTextDocument;

// The page made wider, without laying the document out again. A paragraph of the document's top
// level that fitted the old width keeps every line at the new one, and only the lines' widths
// grow: a centred or right-aligned line is placed by its width when drawn, and only lines that
// broke at the width are justified. Nothing else may be placed by the width: no floats, no
// horizontal rules, and tables that are not centred or right-aligned, whose columns all have
// fixed widths and that fitted the old width (Qt gives a table without a width the page's width,
// but fixed columns take only their own; a table too wide would be laid out again with other
// wrapping). Qt instead lays out the whole document again, synchronously down to the view: a
// second for a key in the middle of a large document.
namespace PageWidening {

// Takes a widening of the page over, `root` being the layout of `document`'s root frame, laid out
// (its state checked) up to `laidOut`, beyond which the background layout lays out at the new
// width: the root frame's widths and every line's width become what a fresh layout at the new
// width gives. Returns the positions of the paragraphs that broke at the old width (their lines
// change), for the caller to lay out again near themselves; nullopt, with nothing changed, when
// the widening isn't one of these or more than `maxBroken` paragraphs broke.
std::optional<QList<int>> widen(QtLayoutState::Frame &root, const QTextDocument &document, int laidOut,
                                int maxBroken);

} // namespace PageWidening

#endif
