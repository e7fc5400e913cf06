#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

// The files of recovery copies, made, checked and moved without ever following a symbolic link:
// a link planted under a copy's name, whatever it points to, is never written, read or renamed
// through, so it can't turn a copy into a write over one of the user's files.
namespace CopyFiles {

// Writes `size` bytes as the copy `copyPath`: into a file of its own, created under a new name
// beside it (a name that is taken, by a link or anything else, is never opened), readable by
// the user alone, flushed to the disk, then renamed over the copy (a rename replaces a link
// under that name; it never writes through it). Nothing but system calls on the given bytes:
// no lock and no allocation, so that a child forked from a process with threads may call it.
// 0 when the copy is in place, else the system's error number; a failed write leaves the old copy.
int writeBytes(const char *copyPath, const char *bytes, std::size_t size) noexcept;

// The same; throws Failure with the system's reason.
void write(const QString &copyPath, const QByteArray &bytes);

// Whether the name itself (not what a link points to) is a regular file that the user owns:
// the only kind of file offered, read or adopted as a copy.
bool isOwnFile(const QString &path);

// Renames an own file (see isOwnFile) to `to`; false, changing nothing, for anything else.
bool renameOwnFile(const QString &from, const QString &to);

} // namespace CopyFiles
