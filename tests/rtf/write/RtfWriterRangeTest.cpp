// The writer's range, as the clipboard uses it: the same RTF as the whole of a document that
// holds a copy of the selection, for every selection whose ends lie away from tables.
#include "WriterTestDocuments.h"
#include "rtf/files/DocumentFiles.h"
#include "rtf/OriginalPicture.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// The selection copied into a document of its own with the pictures it draws, then written.
QByteArray writtenCopy(const QTextDocument &source, const QTextCursor &selection)
{
    QTextDocument copy;
    copy.setDefaultFont(source.defaultFont());
    QTextCursor(&copy).insertFragment(selection.selection());
    const QString name = QStringLiteral("sample-picture");
    copy.addResource(QTextDocument::ImageResource, QUrl(name), pictureImage(source, name));
    return rtfFromDocument(copy);
}

// Where the clipboard takes the copy instead: an end inside a table or next to its start.
bool nextToTable(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    for (int p : {position, position + 1}) {
        cursor.setPosition(std::min(p, document.characterCount() - 1));
        if (cursor.currentTable())
            return true;
    }
    return false;
}

TEST(RtfWriterRange, WritesWhatACopyOfTheSelectionWrites)
{
    auto document = makeSampleDocument(SampleTable::With);
    // Empty paragraphs, with formats of their own, at the end: ranges that end at a paragraph's
    // start or inside an empty one.
    QTextCursor end(document.get());
    end.movePosition(QTextCursor::End);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCharFormat big;
    big.setFontPointSize(20);
    end.insertBlock(centred, big);
    end.insertBlock(QTextBlockFormat(), big);
    end.insertText(QStringLiteral("last"));

    const int length = document->characterCount() - 1;
    int compared = 0;
    for (int from = 0; from < length; ++from) {
        for (int to = from + 1; to <= length; to += 1 + to % 11) {
            if (nextToTable(*document, from) || nextToTable(*document, to))
                continue;
            QTextCursor selection(document.get());
            selection.setPosition(from);
            selection.setPosition(to, QTextCursor::KeepAnchor);
            if (selection.selectionStart() != from || selection.selectionEnd() != to)
                continue;   // a cursor does not stop between the halves of a character
            ASSERT_EQ(rtfFromRange(*document, from, to).toStdString(), writtenCopy(*document, selection).toStdString())
                << "from " << from << " to " << to;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

} // namespace
