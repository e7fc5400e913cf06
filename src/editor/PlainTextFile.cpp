#include "editor/PlainTextFile.h"

#include "platform/Failure.h"
#include "platform/rtf/CodePages.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

[[noreturn]] void fail(const QFileDevice &file)
{
    throw Failure(file.errorString());
}

} // namespace

namespace PlainTextFile {

QString decode(const QByteArray &bytes, int codePage)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless)(bytes.mid(2));
    return CodePages::toUnicode(bytes, codePage);
}

QString read(const QString &path, int codePage)
{
    QFile file(path);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            fail(file);
        return {};
    }
    if (!file.open(QIODevice::ReadOnly))
        fail(file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(file);
    return decode(bytes, codePage);
}

void write(const QString &path, const QString &text, int codePage)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(file);
    const QByteArray bytes = CodePages::fromUnicode(text, codePage);
    if (file.write(bytes) != bytes.size())
        fail(file);
    if (!file.commit())
        fail(file);
}

} // namespace PlainTextFile
