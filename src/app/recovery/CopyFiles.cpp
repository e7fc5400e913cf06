#include "app/recovery/CopyFiles.h"

#include "base/Failure.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t ownerOnly = 0600;

// `path` followed by a dot and `number` in hexadecimal, as a temporary file of the copy is
// named; false when it does not fit.
bool nameBeside(char (&name)[PATH_MAX], const char *path, std::uint64_t number)
{
    const std::size_t length = std::strlen(path);
    if (length + 2 + 16 > sizeof name)
        return false;
    std::memcpy(name, path, length);
    char *end = name + length;
    *end++ = '.';
    char digits[16];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[number & 15];
        number >>= 4;
    } while (number != 0);
    while (count > 0)
        *end++ = digits[--count];
    *end = '\0';
    return true;
}

// A new file beside the copy, under a name no one could have foreseen; a name that is taken,
// by a planted link or by anything else, is passed over. -1 with errno when none can be made.
int createBeside(char (&name)[PATH_MAX], const char *copyPath)
{
    timespec now = {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::uint64_t start = (std::uint64_t(now.tv_sec) << 30) ^ std::uint64_t(now.tv_nsec)
                                ^ (std::uint64_t(::getpid()) << 44);
    for (std::uint64_t attempt = 0; attempt < 64; ++attempt) {
        if (!nameBeside(name, copyPath, start + attempt * 0x9e3779b97f4a7c15ull)) {
            errno = ENAMETOOLONG;
            return -1;
        }
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, ownerOnly);
        if (fd >= 0 || (errno != EEXIST && errno != EINTR))
            return fd;
    }
    errno = EEXIST;
    return -1;
}

int writeAll(int fd, const char *bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t count = ::write(fd, bytes, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count < 0 ? errno : EIO;
        bytes += count;
        size -= std::size_t(count);
    }
    return 0;
}

// The rename that put the copy in place is on the disk only once its folder is.
void syncFolderOf(const char *path)
{
    char folder[PATH_MAX];
    const char *slash = std::strrchr(path, '/');
    const std::size_t length = slash ? std::size_t(slash - path) : 0;
    if (length == 0 || length >= sizeof folder)
        return;
    std::memcpy(folder, path, length);
    folder[length] = '\0';
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

namespace CopyFiles {

int writeBytes(const char *copyPath, const char *bytes, std::size_t size) noexcept
{
    char temporary[PATH_MAX];
    const int fd = createBeside(temporary, copyPath);
    if (fd < 0)
        return errno;
    // The mode asked for at creation is narrowed by the process's umask, never widened; this
    // makes it exactly the user's alone.
    int error = ::fchmod(fd, ownerOnly) == 0 ? 0 : errno;
    if (error == 0)
        error = writeAll(fd, bytes, size);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0 && ::rename(temporary, copyPath) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary);
        return error;
    }
    syncFolderOf(copyPath);
    return 0;
}

void write(const QString &copyPath, const QByteArray &bytes)
{
    const QByteArray path = QFile::encodeName(copyPath);
    if (const int error = writeBytes(path.constData(), bytes.constData(), std::size_t(bytes.size())))
        throw Failure(qt_error_string(error));
}

bool isOwnFile(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode)
           && status.st_uid == ::geteuid();
}

bool renameOwnFile(const QString &from, const QString &to)
{
    return isOwnFile(from) && ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace CopyFiles
