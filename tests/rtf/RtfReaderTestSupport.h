#pragma once

#include "rtf/DocumentText.h"
#include "rtf/read/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <ostream>

inline std::unique_ptr<QTextDocument> readRtf(const QByteArray &rtf) { return documentFromRtf(rtf); }

// The document's text with "\n" between paragraphs and table cells counted as Text counts
// them (a tab between the cells of a row); line breaks stay U+2028.
inline QString textOf(const QTextDocument &document)
{
    const QString raw = document.toRawText();
    QString text = raw;
    DocumentText::countBreaks(document, text, 0);
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == QChar::LineSeparator)
            text[i] = QChar::LineSeparator;
    }
    return text;
}

// The character format of the character at `position`.
inline QTextCharFormat formatAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

inline void PrintTo(const QString &text, std::ostream *out) { *out << text.toStdString(); }

// A file read as it is, and the text it must give: a row of a table of reading cases.
struct RtfTextCase
{
    const char *name;
    QByteArray rtf;
    QString text;
};

inline void PrintTo(const RtfTextCase &c, std::ostream *out) { *out << c.name; }
