#pragma once

#include <QObject>
#include <QString>
#include <QTextCursor>

class QTextDocument;

// Watches one undo or redo step, from its construction to keptByStep(), for whether the step
// changed nothing but formats within the selected paragraphs, leaving their text as it was.
// Such a step keeps the selection, as the format change it takes back or makes again did;
// Qt's undo leaves only a caret where the step began.
class SelectionAcrossStep
{
public:
    SelectionAcrossStep(QTextDocument &document, const QTextCursor &selection);
    ~SelectionAcrossStep();
    SelectionAcrossStep(const SelectionAcrossStep &) = delete;
    SelectionAcrossStep &operator=(const SelectionAcrossStep &) = delete;

    bool keptByStep() const;
    // The selection as it was before the step.
    QTextCursor selection() const;

private:
    QTextDocument &m_document;
    const int m_anchor, m_position;
    const QString m_text;
    const int m_characters;
    int m_changedFrom;
    int m_changedTo = -1;
    bool m_textMoved = false;
    QMetaObject::Connection m_watch;
};
