#include "platform/SelectionMime.h"

#include "platform/Failure.h"
#include "platform/rtf/DocumentFiles.h"
#include "platform/rtf/RtfReader.h"

#include <QCryptographicHash>
#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace {

const QString rtfFormat = QStringLiteral("text/rtf");

bool isBreak(char16_t c) { return c == 0x2029 || c == 0x2028 || c == 0xFDD0 || c == 0xFDD1; }

QImage imageResource(const QTextDocument &document, const QString &name)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.canConvert<QImage>())
        return resource.value<QImage>();
    if (resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return {};
}

// Pictures are named after their pixels, so that pasting the same picture twice, or into a
// document that already holds it, shares one resource, and two different pictures never
// share a name whichever documents they came from.
QString pictureName(const QImage &picture)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes()));
    hash.addData(QByteArray::number(picture.width()) + 'x' + QByteArray::number(picture.height()));
    return QStringLiteral("picture-") + QString::fromLatin1(hash.result().toHex()) + QStringLiteral(".png");
}

QList<QTextFragment> pictureFragments(const QTextDocument &document)
{
    QList<QTextFragment> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                pictures.append(it.fragment());
    return pictures;
}

void addPicture(QTextDocument &document, const QString &name, const QImage &picture)
{
    if (document.resource(QTextDocument::ImageResource, QUrl(name)).isNull())
        document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
}

} // namespace

namespace SelectionMime {

QString plainText(const QTextCursor &selection)
{
    const QString raw = selection.selectedText();
    QString text;
    text.reserve(raw.size());
    for (QChar c : raw) {
        if (c == QChar::ObjectReplacementCharacter)
            continue;
        text.append(isBreak(c.unicode()) ? QChar(u'\n') : c);
    }
    return text;
}

QMimeData *fromSelection(const QTextCursor &selection)
{
    auto *data = new QMimeData;
    data->setText(plainText(selection));

    // The rich content is RTF, which word processors take from the clipboard too. The
    // selection is copied into a document of its own, which needs the pixels of its pictures
    // under the names its characters use, for the writer to put them into the RTF.
    QTextDocument copy;
    QTextCursor(&copy).insertFragment(selection.selection());
    for (const QTextFragment &fragment : pictureFragments(copy)) {
        const QString name = fragment.charFormat().toImageFormat().name();
        const QImage picture = imageResource(*selection.document(), name);
        if (!picture.isNull())
            addPicture(copy, name, picture);
    }
    data->setData(rtfFormat, rtfFromDocument(copy));
    return data;
}

bool insert(QTextCursor &cursor, const QMimeData &data)
{
    QTextDocument &document = *cursor.document();
    if (data.hasFormat(rtfFormat)) {
        try {
            std::unique_ptr<QTextDocument> pasted = documentFromRtf(data.data(rtfFormat));
            // The reader names pictures by their place in the file; here they are named after
            // their pixels, so they never take the name of a picture already in the document.
            for (const QTextFragment &fragment : pictureFragments(*pasted)) {
                QTextImageFormat format = fragment.charFormat().toImageFormat();
                const QImage picture = imageResource(*pasted, format.name());
                if (picture.isNull())
                    continue;
                format.setName(pictureName(picture));
                addPicture(document, format.name(), picture);
                QTextCursor range(pasted.get());
                range.setPosition(fragment.position());
                range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                range.setCharFormat(format);
            }
            cursor.insertFragment(QTextDocumentFragment(pasted.get()));
            return true;
        } catch (const Failure &) {
            // Rich content that can't be read: its plain text below still serves.
        }
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
        const QString name = pictureName(picture);
        addPicture(document, name, picture);
        QTextImageFormat format;
        format.setName(name);
        cursor.insertImage(format);
        return true;
    }
    return false;
}

bool canInsert(const QMimeData &data)
{
    return data.hasFormat(rtfFormat) || (data.hasText() && !data.text().isEmpty()) || data.hasImage();
}

} // namespace SelectionMime
