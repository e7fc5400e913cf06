#include "platform/richtextbox/DeferredLayout.h"

#include <QTextDocument>

namespace {

// Below this, laying out the change at once costs less than a few milliseconds.
constexpr qsizetype minimumDeferred = 20000;

} // namespace

DeferredLayout::DeferredLayout(QTextDocument &document, qsizetype changedCharacters)
{
    if (changedCharacters < minimumDeferred || 2 * changedCharacters < document.characterCount())
        return;
    m_document = &document;
    m_pageSize = document.pageSize();
    // The layout does nothing for a document without a page size (0 by 0); a page size set again
    // starts the lazy layout of the whole document, as for a document just put in place.
    document.setPageSize(QSizeF(0, 0));
}

DeferredLayout::~DeferredLayout()
{
    if (m_document)
        m_document->setPageSize(m_pageSize);
}
