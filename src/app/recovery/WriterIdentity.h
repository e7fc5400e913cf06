#pragma once

#include <QString>

#include <optional>

// Who wrote a recovery copy: the process, the moment it started and the machine's boot. A
// process number alone says little, since the system hands it out again; with the start time
// and the boot, a later start can tell whether the writer of a copy is still running, or the
// copy was left behind when it stopped.
struct WriterIdentity
{
    qint64 pid = 0;
    quint64 startTicks = 0; // the process's start, in clock ticks after the boot
    QString bootId;         // differs at every boot of the machine

    // This process.
    static WriterIdentity current();
    // The process `pid` as the system describes it now; nothing when there is none.
    static std::optional<WriterIdentity> ofProcess(qint64 pid);

    // Whether the process that wrote under this identity is still there (a process left over as
    // a zombie has stopped: it writes nothing more).
    bool isRunning() const;

    // The identity as a part of a file name, and back: "<pid>-<start>-<boot>".
    QString toName() const;
    static std::optional<WriterIdentity> fromName(const QString &name);

    bool operator==(const WriterIdentity &) const = default;
};
