// Temporary stand-in until the RTF reader and writer land.
#include "platform/rtf/DocumentFiles.h"

#include "platform/Failure.h"

#include <QFile>
#include <QSaveFile>
#include <QTextDocument>

QByteArray rtfFromDocument(const QTextDocument &document)
{
    return "{\\rtf1 " + document.toPlainText().toLatin1() + "}";
}

QByteArray plainTextFromDocument(const QTextDocument &document)
{
    return document.toPlainText().toUtf8();
}

std::unique_ptr<QTextDocument> loadDocument(const QString &path, RichTextFileType type)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(file.errorString());
    const QByteArray data = file.readAll();
    if (type == rtfRTF)
        return documentFromRtf(data);
    auto document = std::make_unique<QTextDocument>();
    document->setPlainText(QString::fromUtf8(data));
    return document;
}

void saveDocument(const QTextDocument &document, const QString &path, RichTextFileType type)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(file.errorString());
    file.write(type == rtfRTF ? rtfFromDocument(document) : plainTextFromDocument(document));
    if (!file.commit())
        throw Failure(file.errorString());
}
