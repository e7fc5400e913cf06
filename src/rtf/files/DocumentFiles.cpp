// The editing area's file functions: whole files in, whole files out, nothing half done.
#include "rtf/files/DocumentFiles.h"

#include "base/Failure.h"
#include "rtf/files/FileForReading.h"
#include "rtf/files/PlainText.h"
#include "rtf/read/RtfReader.h"
#include "rtf/write/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

namespace {

// Far beyond any document a person edits, and small enough that reading it cannot exhaust
// the machine's memory before the reader even starts.
constexpr qint64 largestDocumentBytes = qint64(512) * 1024 * 1024;

QString describe(QFileDevice::FileError error, const QString &fallback)
{
    switch (error) {
    case QFileDevice::PermissionsError: return QStringLiteral("Permission denied");
    default: return fallback;
    }
}

QByteArray readWholeFile(const QString &path, ReadableKinds kinds)
{
    FileForReading file(path, kinds);
    const QString tooLarge = QStringLiteral("The file is too large to be a document (the limit is 512 MB)");
    if (file.size() > largestDocumentBytes)
        throw Failure(tooLarge);
    // Read to the end rather than trust the size: a pipe or a growing file has none to trust.
    QByteArray bytes;
    bytes.reserve(qMax(file.size(), qint64(0)));
    char chunk[1 << 16];
    while (const qint64 read = file.read(chunk, sizeof chunk)) {
        if (bytes.size() + read > largestDocumentBytes)
            throw Failure(tooLarge);
        bytes.append(chunk, read);
    }
    return bytes;
}

} // namespace

QByteArray rtfFromDocument(const QTextDocument &document)
{
    return RtfWriter(document).write();
}

QByteArray rtfFromRange(const QTextDocument &document, int from, int to)
{
    return RtfWriter(document, from, to).write();
}

QByteArray rtfBodyFirst(const QTextDocument &document, const std::function<void(QByteArrayView)> &body)
{
    return RtfWriter::writeBodyFirst(document, body);
}

QByteArray rtfBodyFirst(const QTextDocument &document, int from, int to, const std::function<void(QByteArrayView)> &body)
{
    return RtfWriter::writeBodyFirst(document, from, to, body);
}

QByteArray plainTextFromDocument(const QTextDocument &document)
{
    return plainTextOf(document);
}

std::unique_ptr<QTextDocument> loadDocument(const QString &path, RichTextFileType type, ReadableKinds kinds)
{
    const QByteArray bytes = readWholeFile(path, kinds);
    return type == rtfRTF ? documentFromRtf(bytes) : documentFromPlainText(bytes);
}

void saveDocument(const QTextDocument &document, const QString &path, RichTextFileType type)
{
    if (type != rtfRTF) {
        writeWholeFile(path, plainTextFromDocument(document));
        return;
    }
    // A piece at a time: the RTF of a big document is larger than its text.
    writeFileInPieces(path, [&](const std::function<void(QByteArrayView)> &write) {
        RtfWriter::write(document, write);
    });
}

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    writeFileInPieces(path, [&](const std::function<void(QByteArrayView)> &write) { write(bytes); });
}

namespace {

// Every byte, retrying a short write: the retry either goes on or fails with the system's
// reason.
void writeAll(QSaveFile &file, QByteArrayView bytes)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.data() + written, bytes.size() - written);
        if (count <= 0)
            throw Failure(describe(file.error(), file.errorString()));
        written += count;
    }
}

} // namespace

void writeFileInPieces(const QString &path,
                       const std::function<void(const std::function<void(QByteArrayView)> &)> &produce)
{
    // Everything that can fail before the disk is touched fails first.
    const QFileInfo info(path);
    if (path.isEmpty())
        throw Failure(QStringLiteral("File not found"));
    if (!info.dir().exists())
        throw Failure(QStringLiteral("Path not found"));
    if (info.isDir())
        throw Failure(QStringLiteral("Is a directory"));
    // Unbuffered, so that a failed write reports the system's reason ("No space left on
    // device") rather than a buffer flush's "Unknown error".
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Failure(describe(file.error(), file.errorString()));
    try {
        qint64 total = 0;
        produce([&](QByteArrayView bytes) {
            total += bytes.size();
            // A file that Open would refuse is not a save: the old file and the modified mark
            // stay.
            if (total > largestDocumentBytes)
                throw Failure(QStringLiteral("The document is too large to save (the limit is 512 MB)"));
            writeAll(file, bytes);
        });
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        throw Failure(describe(file.error(), file.errorString()));
}
