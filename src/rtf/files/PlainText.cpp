#include "rtf/files/PlainText.h"

#include "rtf/CodePages.h"
#include "rtf/DocumentText.h"
#include "rtf/TableContinuation.h"
#include "rtf/write/RtfListWriter.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>

QByteArray plainTextOf(const QTextDocument &document) { return plainCharactersOf(document).toUtf8(); }

QString plainCharactersOf(const QTextDocument &document)
{
    // Not QTextDocument::toPlainText: it turns no-break spaces into spaces.
    QString text;
    if (DocumentText::hasFrames(document)) {
        // Tables: a row a line, a tab between cells, as Text shows them.
        text = document.toRawText();
        DocumentText::countBreaks(document, text, 0);
        // the paragraph Qt keeps in front of a table that starts the file is no line
        if (TableContinuation::leadsDocument(document.begin()))
            text.remove(0, 1);
    } else {
        text.reserve(document.characterCount());
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block != document.begin())
                text += u'\n';
            text += block.text();
        }
    }
    return plainTextOfRange(document, std::move(text), 0);
}

QString listMarkerOf(const QTextBlock &block)
{
    const QString marker = RtfListWriter::markerOf(block);
    return marker.isEmpty() ? marker : marker + u'\t';
}

QString plainTextOfRange(const QTextDocument &document, QString characters, int from)
{
    // Where list items start inside the range, and their markers. A range that starts inside
    // an item leaves its marker out, as a selection of part of a line would.
    QList<std::pair<qsizetype, QString>> markers;
    const int to = from + int(characters.size());
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        if (block.position() >= from && block.textList())
            markers.append({block.position() - from, listMarkerOf(block)});
    }
    const auto plain = [](QChar c) { return c == QChar::LineSeparator ? QChar(u'\n') : c; };
    if (markers.isEmpty()) {
        // One pass in place, so that a big document's text is not held twice.
        QChar *out = characters.data();
        for (const QChar c : std::as_const(characters)) {
            if (c != QChar::ObjectReplacementCharacter)
                *out++ = plain(c);
        }
        characters.truncate(out - characters.constData());
        return characters;
    }
    QString text;
    text.reserve(characters.size() + markers.size() * 4);
    qsizetype next = 0;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        while (next < markers.size() && markers[next].first == i)
            text += markers[next++].second;
        if (characters[i] != QChar::ObjectReplacementCharacter)
            text += plain(characters[i]);
    }
    return text;
}

namespace {

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xef\xbb\xbf"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xff\xfe"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xfe\xff"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(QByteArrayView(bytes).sliced(2));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return CodePages::toUnicode(bytes, 1252);
}

} // namespace

std::unique_ptr<QTextDocument> documentFromPlainText(const QByteArray &bytes)
{
    QString text = decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    auto document = std::make_unique<QTextDocument>();
    document->setPlainText(text);
    return document;
}
