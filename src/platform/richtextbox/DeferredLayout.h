#pragma once

#include <QSizeF>

class QTextDocument;

// Lets a change to most of a document be laid out as a newly opened document is: the visible
// part first, the rest a step at a time in the background, instead of every changed paragraph
// before the change returns (shaping 100,000 lines takes seconds). While it lives, the document's
// layout leaves changes alone; when it ends, the whole document is laid out afresh, lazily.
//
// Only a change of at least half the document's characters (and of more than a few pages) is
// deferred: laying everything out again then costs at most about what the change itself would
// have. A smaller change is laid out at once, as before.
class DeferredLayout
{
public:
    DeferredLayout(QTextDocument &document, qsizetype changedCharacters);
    ~DeferredLayout();
    DeferredLayout(const DeferredLayout &) = delete;
    DeferredLayout &operator=(const DeferredLayout &) = delete;

private:
    QTextDocument *m_document = nullptr; // null when the change is laid out at once
    QSizeF m_pageSize;
};
