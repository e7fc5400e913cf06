#include "editor/spelling/PersonalWordList.h"

#include "base/Failure.h"
#include "editor/spelling/SpellingDictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace {

// A list of words a person wrote is far below this; a bigger file is something else.
constexpr qint64 kLargestList = 4 * 1024 * 1024;

QString ignored(const QString &path, const QString &reason)
{
    return QStringLiteral("The personal word list %1 %2. It is ignored until it is mended.")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QString PersonalWordList::userPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/corvala/words");
}

PersonalWordList::PersonalWordList(const QString &path)
    : m_path(path)
{
    QFile file(path);
    if (!file.exists())
        return;
    if (QFileInfo(path).isDir()) {
        m_problem = ignored(path, QStringLiteral("is a folder, not a file"));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_problem = ignored(path, QStringLiteral("can't be read (%1)").arg(file.errorString()));
        return;
    }
    if (file.size() > kLargestList) {
        m_problem = ignored(path, QStringLiteral("is too large to be a list of words"));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_problem = ignored(path, QStringLiteral("can't be read (%1)").arg(file.errorString()));
        return;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || bytes.contains('\0')) {
        m_problem = ignored(path, QStringLiteral("is not a text file in UTF-8"));
        return;
    }
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        // Lines that can't be words (too long, more than one word) are passed over, not added.
        if (!line.isEmpty() && line.size() <= SpellingDictionary::kLongestWord
            && !line.contains(QLatin1Char(' ')) && !line.contains(QLatin1Char('\t')))
            m_words << line;
    }
}

void PersonalWordList::add(const QString &word)
{
    if (!m_problem.isEmpty())
        throw Failure(m_problem);
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder))
        throw Failure(QStringLiteral("The folder %1 can't be made.").arg(QDir::toNativeSeparators(folder)));
    QFile file(m_path);
    // A last line without its line end gets one first, so the new word has a line of its own.
    bool needsLineEnd = false;
    if (file.open(QIODevice::ReadOnly) && file.size() > 0 && file.seek(file.size() - 1)) {
        char last = 0;
        needsLineEnd = file.getChar(&last) && last != '\n';
    }
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)
        || (needsLineEnd && file.write("\n") != 1)
        || file.write(word.toUtf8() + '\n') < 0 || !file.flush())
        throw Failure(QStringLiteral("The word can't be added to the personal word list %1: %2")
                          .arg(QDir::toNativeSeparators(m_path), file.errorString()));
    m_words << word;
}
