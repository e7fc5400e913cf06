#include "platform/richtextbox/SelectionHtml.h"

#include "rtf/OriginalPicture.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <functional>

namespace {

// Decoding is refused above this many megabytes: a few bytes of pasted HTML may claim a
// gigantic picture.
constexpr int kPictureAllocationLimitMB = 256;
// A picture file named by pasted HTML is read only up to this size.
constexpr qint64 kLargestPictureFile = 256 * 1024 * 1024;

// A run of characters of one format: its place, its length and, for pictures, their name.
struct Run
{
    int position;
    int length;
    QString name;
};

QList<Run> runsWhere(const QTextDocument &document, const std::function<bool(const QTextCharFormat &)> &wanted)
{
    QList<Run> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (wanted(it.fragment().charFormat()))
                runs.append({it.fragment().position(), it.fragment().length(),
                             it.fragment().charFormat().toImageFormat().name()});
    return runs;
}

QList<Run> pictureRuns(const QTextDocument &document)
{
    return runsWhere(document, [](const QTextCharFormat &format) { return format.isImageFormat(); });
}

QTextCursor rangeOf(QTextDocument &document, const Run &run)
{
    QTextCursor range(&document);
    range.setPosition(run.position);
    range.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
    return range;
}

void renamePictures(QTextDocument &document, const QList<Run> &runs, const QStringList &names)
{
    for (qsizetype i = 0; i < runs.size(); ++i) {
        QTextCursor range = rangeOf(document, runs[i]);
        QTextImageFormat format = range.charFormat().toImageFormat();
        format.setName(names[i]);
        range.setCharFormat(format);
    }
}

// The picture as a data: URL: its JPEG or PNG bytes as they came when they show it as it is
// (not cropped), else PNG of the picture drawn; empty when the document has no picture by
// that name.
QString dataUrl(const QTextDocument &document, const QString &name)
{
    const OriginalPicture original = originalPicture(document, name);
    const bool uncropped = original.cropLeft == 0 && original.cropTop == 0 && original.cropRight == 0
                           && original.cropBottom == 0;
    if (uncropped && (original.type == OriginalPicture::Type::Jpeg || original.type == OriginalPicture::Type::Png)) {
        const char *type = original.type == OriginalPicture::Type::Jpeg ? "image/jpeg" : "image/png";
        return QStringLiteral("data:%1;base64,").arg(QLatin1String(type))
               + QString::fromLatin1(original.data.toBase64());
    }
    const QImage picture = pictureImage(document, name);
    if (picture.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

// The bytes a picture's address gives: a data: URL's own, or a local file's; empty for any
// other address (the web is not asked).
QByteArray pictureBytes(const QString &address)
{
    if (address.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
        const qsizetype comma = address.indexOf(QLatin1Char(','));
        if (comma < 0)
            return {};
        const QByteArray payload = QByteArray::fromPercentEncoding(address.mid(comma + 1).toLatin1());
        const bool base64 = address.left(comma).endsWith(QLatin1String(";base64"), Qt::CaseInsensitive);
        return base64 ? QByteArray::fromBase64(payload) : payload;
    }
    const QUrl url(address);
    if (!url.isLocalFile())
        return {};
    QFile file(url.toLocalFile());
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestPictureFile)
        return {};
    return file.readAll();
}

QImage decode(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kPictureAllocationLimitMB);
    return reader.read();
}

// What Qt's HTML reader adds that the HTML does not show: the spaces that the line breaks and
// indents between tags become at the end of a paragraph (a list item's, a cell's), and an empty
// paragraph after every table, before the paragraph that follows it.
void dropReadingArtefacts(QTextDocument &document)
{
    QList<QTextBlock> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks.append(block);
    QTextCursor cursor(&document);
    for (auto block = blocks.crbegin(); block != blocks.crend(); ++block) {
        const QString text = block->text();
        qsizetype spaces = 0;
        while (spaces < text.size() && text[text.size() - 1 - spaces] == u' ')
            ++spaces;
        if (spaces > 0) {
            const int end = block->position() + block->length() - 1;
            cursor.setPosition(end - int(spaces));
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        const QTextBlock next = block->next();
        cursor.setPosition(block->position());
        const QTextTable *before = block->previous().isValid() ? QTextCursor(block->previous()).currentTable() : nullptr;
        if (block->length() == 1 && before && !cursor.currentTable() && next.isValid()
            && !QTextCursor(next).currentTable() && QTextCursor(next).currentFrame() == cursor.currentFrame()) {
            cursor.deleteChar();
        }
    }
}

} // namespace

namespace SelectionHtml {

QString fromSelection(const QTextCursor &selection)
{
    const QTextDocument &source = *selection.document();
    QTextDocument copy;
    copy.setDefaultFont(source.defaultFont());
    QTextCursor(&copy).insertFragment(selection.selection());
    // The same picture is often there many times: it is encoded once.
    const QList<Run> runs = pictureRuns(copy);
    QHash<QString, QString> urls;
    QStringList names;
    for (const Run &run : runs) {
        auto url = urls.find(run.name);
        if (url == urls.end())
            url = urls.insert(run.name, dataUrl(source, run.name));
        names.append(*url);
    }
    renamePictures(copy, runs, names);
    return copy.toHtml();
}

std::unique_ptr<QTextDocument> documentFromHtml(const QString &html)
{
    auto document = std::make_unique<QTextDocument>();
    document->setHtml(html);
    const QList<Run> runs = pictureRuns(*document);
    QHash<QString, QString> known; // address -> the picture's own name, empty when it can't be had
    QStringList names;
    for (const Run &run : runs) {
        auto name = known.find(run.name);
        if (name == known.end()) {
            const QByteArray bytes = pictureBytes(run.name);
            const QImage picture = bytes.isEmpty() ? QImage() : decode(bytes);
            QString own;
            if (!picture.isNull()) {
                OriginalPicture original = OriginalPicture::fromFileData(bytes);
                if (QSize(original.width, original.height) != picture.size())
                    original = {};
                own = pictureName(picture, original);
                document->addResource(QTextDocument::ImageResource, QUrl(own), picture);
                if (!original.isNull())
                    keepOriginalPicture(*document, own, original);
            }
            name = known.insert(run.name, own);
        }
        names.append(*name);
    }
    renamePictures(*document, runs, names);
    // HTML's text is of normal weight where it says nothing: the editing area's own font, which
    // such text takes, is bold.
    QTextCharFormat normal;
    normal.setFontWeight(QFont::Normal);
    const QList<Run> unweighted = runsWhere(
        *document, [](const QTextCharFormat &format) { return !format.hasProperty(QTextFormat::FontWeight); });
    for (const Run &run : unweighted)
        rangeOf(*document, run).mergeCharFormat(normal);
    // What could not be had goes, from the end, so that the places before stay where they are.
    for (qsizetype i = runs.size() - 1; i >= 0; --i) {
        if (names[i].isEmpty())
            rangeOf(*document, runs[i]).removeSelectedText();
    }
    dropReadingArtefacts(*document);
    return document;
}

} // namespace SelectionHtml
