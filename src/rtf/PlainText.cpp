#include "rtf/PlainText.h"

#include "rtf/CodePages.h"
#include "rtf/DocumentText.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>

QByteArray plainTextOf(const QTextDocument &document) { return plainCharactersOf(document).toUtf8(); }

QString plainCharactersOf(const QTextDocument &document)
{
    // Not QTextDocument::toPlainText: it turns no-break spaces into spaces.
    if (DocumentText::hasFrames(document)) {
        // Tables: a row a line, a tab between cells, as Text shows them.
        QString text = document.toRawText();
        DocumentText::countBreaks(document, text, 0);
        text.removeIf([](QChar c) { return c == QChar::ObjectReplacementCharacter; });
        return text;
    }
    QString text;
    text.reserve(document.characterCount());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += u'\n';
        text += block.text();
    }
    // One pass in place: pictures leave nothing, a line break inside a paragraph ends a line.
    QChar *out = text.data();
    for (const QChar c : std::as_const(text)) {
        if (c == QChar::ObjectReplacementCharacter)
            continue;
        *out++ = c == QChar::LineSeparator ? QChar(u'\n') : c;
    }
    text.truncate(out - text.constData());
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
