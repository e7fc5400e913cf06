#include "rtf/files/FileForReading.h"

#include "base/Failure.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void failWithError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: throw Failure(QStringLiteral("File not found"));
    case EACCES:
    case EPERM: throw Failure(QStringLiteral("Permission denied"));
    case EISDIR: throw Failure(QStringLiteral("Is a directory"));
    default: throw Failure(qt_error_string(error));
    }
}

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

// The same refusals for the name and for what was opened under it.
void check(const QString &path, const struct stat &status, ReadableKinds kinds)
{
    if (S_ISDIR(status.st_mode))
        failWithError(EISDIR);
    if (!S_ISREG(status.st_mode) && kinds == ReadableKinds::FilesOnly)
        throw Failure(QStringLiteral("%1 is not a file: it is %2.").arg(QFileInfo(path).fileName(), kindOf(status.st_mode)));
}

} // namespace

FileForReading::FileForReading(const QString &path, ReadableKinds kinds)
{
    if (path.isEmpty())
        failWithError(ENOENT);
    const QByteArray name = QFile::encodeName(path);
    // Refused by its name first, so that a pipe's writer or a device never sees it opened; the
    // descriptor is checked again below, since the name may be given to something else meanwhile.
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        failWithError(errno);
    check(path, status, kinds);

    // Without O_NONBLOCK, opening a named pipe waits for a writer, for ever if none comes.
    const int waitless = kinds == ReadableKinds::FilesOnly ? O_NONBLOCK : 0;
    do
        m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | waitless);
    while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        failWithError(errno);
    if (::fstat(m_fd, &status) != 0) {
        const int error = errno;
        ::close(m_fd);
        failWithError(error);
    }
    try {
        check(path, status, kinds);
    } catch (...) {
        ::close(m_fd);
        throw;
    }
    if (waitless)
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    if (S_ISREG(status.st_mode))
        m_size = qint64(status.st_size);
}

FileForReading::~FileForReading() { ::close(m_fd); }

qint64 FileForReading::read(char *buffer, qint64 max)
{
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, size_t(max));
        if (count >= 0)
            return qint64(count);
        if (errno != EINTR)
            failWithError(errno);
    }
}
