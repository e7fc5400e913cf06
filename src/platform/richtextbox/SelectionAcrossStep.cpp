#include "platform/richtextbox/SelectionAcrossStep.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <climits>

SelectionAcrossStep::SelectionAcrossStep(QTextDocument &document, const QTextCursor &selection)
    : m_document(document), m_anchor(selection.anchor()), m_position(selection.position()),
      m_text(selection.selectedText()), m_characters(document.characterCount()), m_changedFrom(INT_MAX)
{
    m_watch = QObject::connect(&document, &QTextDocument::contentsChange, [this](int from, int removed, int added) {
        m_changedFrom = std::min(m_changedFrom, from);
        m_changedTo = std::max(m_changedTo, from + added);
        m_textMoved = m_textMoved || removed != added;
    });
}

SelectionAcrossStep::~SelectionAcrossStep() { QObject::disconnect(m_watch); }

QTextCursor SelectionAcrossStep::selection() const
{
    QTextCursor cursor(&m_document);
    cursor.setPosition(m_anchor);
    cursor.setPosition(m_position, QTextCursor::KeepAnchor);
    return cursor;
}

bool SelectionAcrossStep::keptByStep() const
{
    if (m_anchor == m_position || m_textMoved || m_changedTo < 0 || m_document.characterCount() != m_characters)
        return false;
    // A paragraph format changes whole paragraphs, beyond the selection's ends.
    const QTextBlock first = m_document.findBlock(std::min(m_anchor, m_position));
    const QTextBlock last = m_document.findBlock(std::max(m_anchor, m_position));
    return m_changedFrom >= first.position() && m_changedTo <= last.position() + last.length()
        && selection().selectedText() == m_text;
}
