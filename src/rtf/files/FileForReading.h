#pragma once

#include <QString>

// What a file name may name for reading.
enum class ReadableKinds {
    FilesOnly, // a regular file: the window never waits on a pipe or reads a device
    PipesToo,  // pipes and devices as well, read until they end (a command-line tool's input)
};

// A file opened for reading, checked on the opened descriptor itself: what is read is what was
// checked, even when the name is changed meanwhile. Opening never waits: a named pipe with no
// writer, a socket or a device (a link to /dev/zero as much as /dev/zero) is refused at once when
// only files are wanted, before a byte is read. Throws Failure with the reason.
class FileForReading
{
public:
    FileForReading(const QString &path, ReadableKinds kinds);
    ~FileForReading();
    FileForReading(const FileForReading &) = delete;
    FileForReading &operator=(const FileForReading &) = delete;

    // The size of a regular file as it was opened; -1 for a pipe or a device, which has none.
    qint64 size() const { return m_size; }

    // Up to `max` bytes; 0 at the end. Throws Failure.
    qint64 read(char *buffer, qint64 max);

private:
    int m_fd = -1;
    qint64 m_size = -1;
};
