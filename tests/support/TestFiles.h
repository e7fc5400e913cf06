#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

// Whole files as bytes, for tests that write a file, let the program work on it and look at
// what is left.
namespace TestFiles {

// A file that can't be read gives a marker no test file holds, so that "missing" and "empty"
// stay apart.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

// The permission bits of the name itself (a link's own, not its target's); -1 when it is missing.
inline int modeOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

inline void makeFifo(const QString &path)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

// Gives a file or folder to a user who is not the one running the test; false where that can't
// be done (only root may give files away), so the caller skips and says why.
inline bool giveToAnotherUser(const QString &path)
{
    constexpr uid_t nobody = 65534;
    return ::geteuid() == 0 && ::chown(QFile::encodeName(path).constData(), nobody, nobody) == 0;
}

} // namespace TestFiles
