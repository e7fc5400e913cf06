#include "app/recovery/RecoveryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kPrefix = QStringLiteral("copy-");
const QString kSuffix = QStringLiteral(".rtf");

// The writer named by a copy's file name, or by the name of one of its temporary files (the
// copy's name followed by a dot and a random part, as QSaveFile makes them).
std::optional<WriterIdentity> writerOf(const QString &fileName)
{
    if (!fileName.startsWith(kPrefix))
        return std::nullopt;
    const qsizetype end = fileName.indexOf(kSuffix, kPrefix.size());
    if (end < 0)
        return std::nullopt;
    return WriterIdentity::fromName(fileName.mid(kPrefix.size(), end - kPrefix.size()));
}

bool isCopyName(const QString &fileName) { return fileName.endsWith(kSuffix); }

} // namespace

RecoveryFolder::RecoveryFolder(QString path) : m_path(std::move(path)) {}

QString RecoveryFolder::defaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/corvala/recovery"));
}

QString RecoveryFolder::copyPath(const WriterIdentity &writer) const
{
    return m_path + QLatin1Char('/') + kPrefix + writer.toName() + kSuffix;
}

bool RecoveryFolder::make(QString *reason) const
{
    const QFileInfo info(m_path);
    if (info.isDir())
        return true;
    if (QDir().mkpath(m_path)) {
        // The copies are the user's unsaved documents: theirs alone to read, as the state
        // folder itself should be.
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return true;
    }
    if (reason)
        *reason = QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(m_path));
    return false;
}

QList<LeftCopy> RecoveryFolder::leftCopies() const
{
    QList<LeftCopy> copies;
    const QDir folder(m_path);
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        const auto writer = writerOf(entry.fileName());
        if (!writer || writer->isRunning())
            continue;
        if (isCopyName(entry.fileName()))
            copies.append({entry.filePath(), entry.lastModified()});
        else if (entry.isFile())
            QFile::remove(entry.filePath());
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const LeftCopy &a, const LeftCopy &b) { return a.savedAt > b.savedAt; });
    return copies;
}

void RecoveryFolder::removeCopy(const QString &copyPath)
{
    const QFileInfo copy(copyPath);
    const QDir folder = copy.dir();
    const QStringList temporaries = folder.entryList({copy.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    for (const QString &name : temporaries)
        QFile::remove(folder.filePath(name));
    QFile::remove(copyPath);
}
