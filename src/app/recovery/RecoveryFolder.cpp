#include "app/recovery/RecoveryFolder.h"

#include "app/recovery/CopyFiles.h"
#include "base/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

constexpr mode_t ownerOnly = 0700;

// Makes `path` a folder of the user's alone, working on the folder opened under that name and
// never on what a link of that name points to, so that what is checked is what is changed. An
// empty text when it is one (or, with `create`, was made one), else the reason it is not.
QString makeFolderPrivate(const QString &path, bool create)
{
    const QByteArray name = QFile::encodeName(path);
    const QString shown = QDir::toNativeSeparators(path);
    const auto open = [&] { return ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC); };
    int fd = open();
    if (fd < 0 && errno == ENOENT && create) {
        if (::mkdir(name.constData(), ownerOnly) != 0 && errno != EEXIST)
            return QStringLiteral("The folder %1 cannot be made: %2.").arg(shown, qt_error_string(errno));
        fd = open();
    }
    if (fd < 0) {
        const int error = errno;
        struct stat status = {};
        if (::lstat(name.constData(), &status) == 0 && S_ISLNK(status.st_mode))
            return QStringLiteral("%1 is a link, not a folder.").arg(shown);
        if (error == ENOTDIR)
            return QStringLiteral("%1 is not a folder.").arg(shown);
        return QStringLiteral("The folder %1 cannot be opened: %2.").arg(shown, qt_error_string(error));
    }
    struct stat status = {};
    QString reason;
    if (::fstat(fd, &status) != 0)
        reason = QStringLiteral("The folder %1 cannot be examined: %2.").arg(shown, qt_error_string(errno));
    else if (status.st_uid != ::geteuid())
        reason = QStringLiteral("The folder %1 belongs to another user.").arg(shown);
    else if (status.st_mode & S_ISVTX) // shared by design, as /tmp is: never made private
        reason = QStringLiteral("The folder %1 is shared with other users.").arg(shown);
    else if ((status.st_mode & 07777) != ownerOnly && ::fchmod(fd, ownerOnly) != 0)
        reason = QStringLiteral("The folder %1 cannot be made private: %2.").arg(shown, qt_error_string(errno));
    ::close(fd);
    return reason;
}

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

bool RecoveryFolder::make(QString *reason) const { return makePrivate(true, reason); }

bool RecoveryFolder::makePrivate(bool create, QString *reason) const
{
    // The program's folder comes first: whoever may write in it may put anything in place of
    // the folder of copies.
    const QString program = QFileInfo(m_path).path();
    if (create)
        QDir().mkpath(QFileInfo(program).path());
    for (const QString &folder : {program, m_path}) {
        const QString failure = makeFolderPrivate(folder, create);
        if (!failure.isEmpty()) {
            if (reason)
                *reason = failure;
            return false;
        }
    }
    return true;
}

QList<LeftCopy> RecoveryFolder::leftCopies() const
{
    QList<LeftCopy> copies;
    // Copies are taken only from a folder no one else can have put them in.
    if (!makePrivate(false, nullptr))
        return copies;
    const QDir folder(m_path);
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        const auto writer = writerOf(entry.fileName());
        if (!writer || writer->isRunning())
            continue;
        if (isCopyName(entry.fileName())) {
            if (CopyFiles::isOwnFile(entry.filePath()))
                copies.append({entry.filePath(), entry.lastModified()});
        }
        else if (entry.isFile())
            QFile::remove(entry.filePath());
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const LeftCopy &a, const LeftCopy &b) { return a.savedAt > b.savedAt; });
    return copies;
}

void RecoveryFolder::checkLeftCopy(const QString &copyPath)
{
    if (!CopyFiles::isOwnFile(copyPath))
        throw Failure(QStringLiteral("It is no longer a file of your own."));
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
