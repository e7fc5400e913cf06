#pragma once

#include "platform/rtf/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <ostream>

inline std::unique_ptr<QTextDocument> readRtf(const QByteArray &rtf) { return documentFromRtf(rtf); }

// The document's text with "\n" between paragraphs; line breaks stay U+2028.
inline QString textOf(const QTextDocument &document)
{
    QString text = document.toRawText();
    text.replace(QChar(0x2029), QLatin1Char('\n'));
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
