#include "editor/PlainTextFile.h"

#include "base/Failure.h"
#include "rtf/CodePages.h"
#include "rtf/files/DocumentFiles.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Windows-1252 reads every byte as a character of its own and writes it back as that byte,
// its five undefined bytes included.
constexpr int bytewiseCodePage = 1252;

[[noreturn]] void fail(const QFileDevice &file)
{
    throw Failure(file.errorString());
}

} // namespace

namespace PlainTextFile {

Decoded decode(const QByteArray &bytes, int codePage)
{
    if (bytes.startsWith("\xFF\xFE"))
        return {QStringDecoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless)(bytes.mid(2)), codePage};
    if (bytes.startsWith("\xFE\xFF"))
        return {QStringDecoder(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless)(bytes.mid(2)), codePage};
    QString text = CodePages::toUnicode(bytes, codePage);
    if (CodePages::fromUnicode(text, codePage) == bytes)
        return {text, codePage};
    return {CodePages::toUnicode(bytes, bytewiseCodePage), bytewiseCodePage};
}

Decoded read(const QString &path, int codePage)
{
    QFile file(path);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            fail(file);
        return {QString(), codePage};
    }
    if (!file.open(QIODevice::ReadOnly))
        fail(file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(file);
    return decode(bytes, codePage);
}

int codePageToWrite(const QString &text, int readCodePage, int codePage)
{
    bool lossless = false;
    CodePages::fromUnicode(text, readCodePage, &lossless);
    return lossless ? readCodePage : codePage;
}

void write(const QString &path, const QString &text, int codePage)
{
    writeWholeFile(path, CodePages::fromUnicode(text, codePage));
}

} // namespace PlainTextFile
