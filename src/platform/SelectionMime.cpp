#include "platform/SelectionMime.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace {

const QString richFormat = QStringLiteral("application/x-corvala-rich-text");
const QString picturesFormat = QStringLiteral("application/x-corvala-pictures");

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

    // A copy of the selection in a document of its own, with every picture renamed after its
    // pixels and the pixels themselves sent along.
    QTextDocument copy;
    QTextCursor(&copy).insertFragment(selection.selection());
    QByteArray pictures;
    QDataStream out(&pictures, QIODevice::WriteOnly);
    for (const QTextFragment &fragment : pictureFragments(copy)) {
        QTextImageFormat format = fragment.charFormat().toImageFormat();
        const QImage picture = imageResource(*selection.document(), format.name());
        if (picture.isNull())
            continue;
        const QString name = pictureName(picture);
        out << name << picture;
        format.setName(name);
        QTextCursor range(&copy);
        range.setPosition(fragment.position());
        range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        range.setCharFormat(format);
    }
    data->setData(richFormat, copy.toHtml().toUtf8());
    data->setData(picturesFormat, pictures);
    return data;
}

bool insert(QTextCursor &cursor, const QMimeData &data)
{
    QTextDocument &document = *cursor.document();
    if (data.hasFormat(richFormat)) {
        QDataStream in(data.data(picturesFormat));
        while (!in.atEnd()) {
            QString name;
            QImage picture;
            in >> name >> picture;
            if (in.status() != QDataStream::Ok)
                break;
            addPicture(document, name, picture);
        }
        const QString html = QString::fromUtf8(data.data(richFormat));
        cursor.insertFragment(QTextDocumentFragment::fromHtml(html, &document));
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
        const QString name = pictureName(picture);
        addPicture(document, name, picture);
        QTextImageFormat format;
        format.setName(name);
        cursor.insertImage(format);
        return true;
    }
    return false;
}

} // namespace SelectionMime
