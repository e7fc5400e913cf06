#include "platform/richtextbox/SelectionMime.h"

#include "platform/richtextbox/SelectionHtml.h"
#include "base/Failure.h"
#include "platform/Pictures.h"
#include "rtf/files/DocumentFiles.h"
#include "rtf/DocumentText.h"
#include "rtf/OriginalPicture.h"
#include "rtf/files/PlainText.h"
#include "rtf/read/RtfReader.h"

#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

namespace {

const QString kPngType = QStringLiteral("image/png");
const QString kJpegType = QStringLiteral("image/jpeg");
const QByteArray kPngSignature("\x89PNG\r\n\x1a\n");
const QByteArray kJpegSignature("\xff\xd8\xff");

QList<QTextFragment> pictureFragments(const QTextDocument &document)
{
    QList<QTextFragment> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                pictures.append(it.fragment());
    return pictures;
}

// Puts a picture under `name` into the document unless it holds one by that name already: names
// are made from the pictures themselves, so the same name is the same picture.
void addPicture(QTextDocument &document, const QString &name, const QImage &picture, const OriginalPicture &original)
{
    if (!document.resource(QTextDocument::ImageResource, QUrl(name)).isNull())
        return;
    document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    if (!original.isNull())
        keepOriginalPicture(document, name, original);
}

// Whether an end of the selection lies inside a table, or just before one (where a copy takes
// the table's frame along).
bool crossesTable(const QTextCursor &selection)
{
    QTextDocument &document = *selection.document();
    QTextCursor end(&document);
    for (int position : {selection.selectionStart(), selection.selectionEnd()}) {
        for (int at : {position, std::min(position + 1, document.characterCount() - 1)}) {
            end.setPosition(at);
            if (end.currentTable())
                return true;
        }
    }
    return false;
}

// Puts a pasted document in place of the cursor's selection. The reader names pictures by their
// place in the file; here they are named after their data, so they never take the name of a
// picture already in the document.
void insertDocument(QTextCursor &cursor, QTextDocument &pasted)
{
    QTextDocument &document = *cursor.document();
    for (const QTextFragment &fragment : pictureFragments(pasted)) {
        QTextImageFormat format = fragment.charFormat().toImageFormat();
        const QImage picture = pictureImage(pasted, format.name());
        const OriginalPicture original = originalPicture(pasted, format.name());
        if (picture.isNull() && original.isNull())
            continue;
        format.setName(pictureName(picture, original));
        addPicture(document, format.name(), picture, original);
        QTextCursor range(&pasted);
        range.setPosition(fragment.position());
        range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        range.setCharFormat(format);
    }
    cursor.insertFragment(QTextDocumentFragment(&pasted));
}

} // namespace

namespace SelectionMime {

QByteArray richText(const QTextCursor &selection, const std::function<void(QByteArrayView)> &body)
{
    if (!crossesTable(selection)) {
        // Straight from the document: the same RTF as from a copy of the selection below,
        // without building the copy.
        return rtfBodyFirst(*selection.document(), selection.selectionStart(), selection.selectionEnd(), body);
    }

    // The rich content is RTF, which word processors take from the clipboard too. A selection
    // with an end inside a table, which may be a block of cells, is copied into a document of
    // its own, which needs its pictures (their pixels and their original data) under the names
    // its characters use, for the writer to put them into the RTF.
    // Its default font is the editing area's, which shows wherever a run sets no font of its own.
    const QTextDocument &source = *selection.document();
    QTextDocument copy;
    copy.setDefaultFont(source.defaultFont());
    QTextCursor(&copy).insertFragment(selection.selection());
    for (const QTextFragment &fragment : pictureFragments(copy)) {
        const QString name = fragment.charFormat().toImageFormat().name();
        addPicture(copy, name, pictureImage(source, name), originalPicture(source, name));
    }
    return rtfBodyFirst(copy, body);
}

// What is copied is the plain text of what Text shows of the selection, each list item that
// starts inside it with its marker; a block of table cells is copied as those cells only, a
// row a line and a tab between cells.
QString plainText(const QTextCursor &selection)
{
    const QTextDocument &document = *selection.document();
    QString raw;
    int firstRow = -1, rows = 0, firstColumn = -1, columns = 0;
    selection.selectedTableCells(&firstRow, &rows, &firstColumn, &columns);
    if (rows > 0 && selection.currentTable()) {
        const QTextTable &table = *selection.currentTable();
        for (int row = firstRow; row < firstRow + rows; ++row) {
            if (row > firstRow)
                raw += u'\n';
            for (int column = firstColumn; column < firstColumn + columns; ++column) {
                const QTextTableCell cell = table.cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    continue;   // covered by a merged cell, whose text is already in
                if (column > firstColumn)
                    raw += u'\t';
                raw += plainTextOfRange(document,
                                        DocumentText::between(document, cell.firstPosition(), cell.lastPosition()),
                                        cell.firstPosition());
            }
        }
        return raw;
    }
    return plainTextOfRange(document,
                            DocumentText::between(document, selection.selectionStart(), selection.selectionEnd()),
                            selection.selectionStart());
}

QMimeData *fromPicture(const QImage &picture, const QByteArray &fileData)
{
    auto *data = new QMimeData;
    data->setImageData(picture);
    if (fileData.startsWith(kPngSignature))
        data->setData(kPngType, fileData);
    else if (fileData.startsWith(kJpegSignature))
        data->setData(kJpegType, fileData);
    return data;
}

QByteArray pictureFileData(const QMimeData &data)
{
    for (const QString &type : {kJpegType, kPngType}) {
        if (data.hasFormat(type))
            return data.data(type);
    }
    return {};
}

bool insert(QTextCursor &cursor, const QMimeData &data)
{
    if (data.hasFormat(rtfFormat)) {
        try {
            insertDocument(cursor, *documentFromRtf(data.data(rtfFormat)));
            return true;
        } catch (const Failure &) {
            // Rich content that can't be read: its HTML or plain text below still serves.
        }
    }
    // Browsers and mail programs offer HTML but no RTF.
    if (data.hasHtml() && !data.html().isEmpty()) {
        insertDocument(cursor, *SelectionHtml::documentFromHtml(data.html()));
        return true;
    }
    if (data.hasText() && !data.text().isEmpty()) {
        QString text = data.text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        cursor.insertText(text);
        return true;
    }
    if (data.hasImage()) {
        const QImage picture = qvariant_cast<QImage>(data.imageData());
        if (picture.isNull())
            return false;
        // The picture file's own bytes, when they come along, are kept with it: a photo is
        // saved as its JPEG data, not as many times its size of PNG.
        OriginalPicture original = OriginalPicture::fromFileData(pictureFileData(data));
        if (QSize(original.width, original.height) != picture.size())
            original = {};
        insertPicture(cursor, picture, original, Pictures::NaturalSize(picture));
        return true;
    }
    return false;
}

bool canInsert(const QMimeData &data)
{
    return data.hasFormat(rtfFormat) || data.hasHtml() || (data.hasText() && !data.text().isEmpty()) || data.hasImage();
}

} // namespace SelectionMime
