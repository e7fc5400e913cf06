#include "platform/richtextbox/qtstate/TablesNearChange.h"

#include <QTextFrame>
#include <QtGui/private/qtextobject_p.h>

#include <algorithm>

namespace {

QList<QTextFrame *> &childrenOf(QTextFrame &frame)
{
    return static_cast<QTextFramePrivate *>(QObjectPrivate::get(&frame))->childFrames;
}

} // namespace

// The top level's tables are in document order: those touched are found by halving.
TablesNearChange::TablesNearChange(QTextFrame &root, int from, int to)
    : m_children(childrenOf(root))
{
    const int end = to;
    const auto first = std::partition_point(m_children.cbegin(), m_children.cend(),
                                            [from](const QTextFrame *frame) { return frame->lastPosition() < from; });
    const auto last = std::partition_point(first, m_children.cend(),
                                           [end](const QTextFrame *frame) { return frame->firstPosition() < end; });
    QList<QTextFrame *> touched(first, last);
    m_all.swap(m_children);
    m_children.swap(touched);
}

TablesNearChange::~TablesNearChange() { m_children.swap(m_all); }
