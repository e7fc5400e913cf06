#include "ListTestDocuments.h"

#include "RtfReaderTestSupport.h"

#include "rtf/write/RtfListWriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

QStringList describeLists(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList *list = block.textList();
        if (!list) {
            lines << u'|' + block.text();
            continue;
        }
        if (list->format().hasProperty(RtfListProperties::levelText)) {
            // an item whose marker is its text's start
            lines << QStringLiteral("%1:text|%2").arg(list->format().intProperty(RtfListProperties::level)).arg(block.text());
            continue;
        }
        QString marker;
        switch (list->format().style()) {
        case QTextListFormat::ListDisc: marker = QStringLiteral("disc"); break;
        case QTextListFormat::ListCircle: marker = QStringLiteral("circle"); break;
        case QTextListFormat::ListSquare: marker = QStringLiteral("square"); break;
        default: marker = list->itemText(block); break;
        }
        lines << QStringLiteral("%1:%2|%3").arg(list->format().indent() - 1).arg(marker, block.text());
    }
    return lines;
}

QString textWithListMarkers(const QTextDocument &document)
{
    QString text = textOf(document);
    // Markers go in from the end, so the positions of the blocks before stay right.
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous()) {
        if (block.textList() && !block.textList()->format().hasProperty(RtfListProperties::levelText))
            text.insert(block.position(), RtfListWriter::markerOf(block) + u'\t');
    }
    return text;
}

std::unique_ptr<QTextDocument> makeListDocument()
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    const auto listFormat = [](QTextListFormat::Style style, int indent, const QString &suffix = {}) {
        QTextListFormat format;
        format.setStyle(style);
        format.setIndent(indent);
        if (!suffix.isEmpty())
            format.setNumberSuffix(suffix);
        return format;
    };
    cursor.insertText(QStringLiteral("One"));
    QTextList *numbers = cursor.createList(listFormat(QTextListFormat::ListDecimal, 1));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("One-a"));
    cursor.createList(listFormat(QTextListFormat::ListLowerAlpha, 2, QStringLiteral(")")));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("One-b"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Two"));
    numbers->add(cursor.block());
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("Between"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Dot"));
    QTextList *bullets = cursor.createList(listFormat(QTextListFormat::ListDisc, 1));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Circle"));
    cursor.createList(listFormat(QTextListFormat::ListCircle, 2));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Dot again"));
    bullets->add(cursor.block());
    return document;
}
