#include "app/recovery/WriterIdentity.h"

#include <QFile>
#include <QRegularExpression>

#include <csignal>
#include <cerrno>
#include <unistd.h>

namespace {

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(4096);
}

QString currentBootId()
{
    // Without the kernel's boot id (a system without /proc) every identity shares one boot.
    static const QString id = [] {
        const QString read = QString::fromLatin1(readSmallFile(QStringLiteral("/proc/sys/kernel/random/boot_id"))).trimmed();
        static const QRegularExpression uuid(QStringLiteral("^[0-9a-f-]{8,64}$"));
        return uuid.match(read).hasMatch() ? read : QStringLiteral("0");
    }();
    return id;
}

struct ProcessState
{
    char state = '?';
    quint64 startTicks = 0;
};

// The state and the start time of a process, from /proc/PID/stat. The command name in
// parentheses may hold spaces and parentheses itself, so the fields are counted after its last
// closing parenthesis: the state is the third field, the start time the twenty-second.
std::optional<ProcessState> readProcessState(qint64 pid)
{
    const QByteArray stat = readSmallFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(nameEnd + 1).simplified().split(' ');
    if (fields.size() < 20 || fields[0].size() != 1)
        return std::nullopt;
    bool ok = false;
    ProcessState result{fields[0][0], fields[19].toULongLong(&ok)};
    return ok ? std::optional(result) : std::nullopt;
}

} // namespace

WriterIdentity WriterIdentity::current()
{
    static const WriterIdentity self = [] {
        WriterIdentity identity{qint64(::getpid()), 0, currentBootId()};
        if (const auto state = readProcessState(identity.pid))
            identity.startTicks = state->startTicks;
        return identity;
    }();
    return self;
}

std::optional<WriterIdentity> WriterIdentity::ofProcess(qint64 pid)
{
    const auto state = readProcessState(pid);
    if (!state)
        return std::nullopt;
    return WriterIdentity{pid, state->startTicks, currentBootId()};
}

bool WriterIdentity::isRunning() const
{
    if (bootId != currentBootId() || pid <= 0)
        return false;
    if (const auto state = readProcessState(pid))
        return state->startTicks == startTicks && state->state != 'Z' && state->state != 'X';
    // No /proc to ask: whether the number is in use is all there is to know.
    if (!QFile::exists(QStringLiteral("/proc/self/stat")))
        return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
    return false;
}

QString WriterIdentity::toName() const
{
    return QStringLiteral("%1-%2-%3").arg(pid).arg(startTicks).arg(bootId);
}

std::optional<WriterIdentity> WriterIdentity::fromName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,10})-([0-9]{1,20})-([0-9a-f-]{1,64})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    bool pidOk = false, startOk = false;
    WriterIdentity identity{match.captured(1).toLongLong(&pidOk), match.captured(2).toULongLong(&startOk),
                            match.captured(3)};
    if (!pidOk || !startOk)
        return std::nullopt;
    return identity;
}
