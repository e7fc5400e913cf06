#pragma once

#include "platform/PackedBytes.h"

#include <QByteArray>
#include <QMimeData>
#include <QPointer>
#include <QTextCursor>

class QTextDocument;

// What Copy, Cut and a drag put on the clipboard: the selection as it was at that moment, as RTF
// (formatted text with its pictures), as HTML and as plain text.
//
// The RTF is written at once: it is the copy of the selection, which the document may change
// right after. It is kept deflated, a sixth of its size, and given out whole when a program asks
// for it. The plain text, as long again in memory, and the HTML are made only when a program
// asks for them: from the document while it has not changed since, else from the RTF.
class CopiedSelection : public QMimeData
{
    Q_OBJECT

public:
    explicit CopiedSelection(const QTextCursor &selection);

    // Whether the plain text has at least one character, known without making it.
    bool hasPlainText() const { return m_hasPlainText; }

    QStringList formats() const override;
    bool hasFormat(const QString &mimeType) const override;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    QString plainText() const;
    QString html() const;
    // What `make` gives for the copied selection: in the document while it has not changed, else
    // in the RTF read back.
    QString fromCopy(QString (*make)(const QTextCursor &)) const;

    // The RTF's font, colour and list tables, and its body deflated.
    QByteArray m_rtfFront;
    PackedBytes m_rtfBody;
    bool m_hasPlainText = false;
    bool m_cellBlock = false; // a block of table cells, as SelectionMime::plainText copies it
    QPointer<QTextDocument> m_document;
    QTextCursor m_selection;
    bool m_documentChanged = false;
    mutable QString m_plainText;
    mutable bool m_plainTextMade = false;
    mutable QString m_html;
    mutable bool m_htmlMade = false;
};
