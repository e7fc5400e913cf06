#include "app/recovery/CopyWriter.h"

#include "app/recovery/CopyFiles.h"
#include "base/Failure.h"
#include "rtf/files/DocumentFiles.h"

#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Far longer than any document takes to write, even to a slow disk.
constexpr unsigned writeSecondsAtMost = 120;

void writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t count = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        done += count;
    }
}

// The child's whole life: write the copy, report, leave.
[[noreturn]] void runChild(const QTextDocument &document, const QString &path, int report)
{
    // The window's signal handlers and its exit are not the child's: a stop signal ends the
    // child as it would end any process, and _exit leaves without running the window's
    // destructors, exit handlers or buffered output a second time.
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGHUP, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGALRM, SIG_DFL);
    // The user's keys come first wherever the two compete for a processor.
    (void)::setpriority(PRIO_PROCESS, 0, 10);
    // The child is a copy of a process with threads: a lock that another thread held at the
    // fork stays locked here. The writer takes none that another thread can hold (no font
    // database, image plugin or D-Bus; pictures are encoded by pngFromImage; no copy starts
    // while the thread pool works). Should it wait on one all the same, the alarm ends the
    // child, and the window hears of a failed copy, tried again later, instead of waiting for
    // it for ever.
    ::alarm(writeSecondsAtMost);
    QByteArray reason;
    try {
        CopyWriter::write(document, path);
    } catch (const Failure &failure) {
        reason = failure.description().toUtf8();
    } catch (const std::exception &failure) {
        reason = failure.what();
    } catch (...) {
        reason = "Unknown error";
    }
    if (!reason.isEmpty())
        writeAll(report, reason);
    ::_exit(reason.isEmpty() ? 0 : 1);
}

} // namespace

CopyWriter::CopyWriter(QObject *parent) : QObject(parent) {}

CopyWriter::~CopyWriter() { cancel(); }

void CopyWriter::write(const QTextDocument &document, const QString &path)
{
    CopyFiles::write(path, rtfFromDocument(document));
}

void CopyWriter::start(const QTextDocument &document, const QString &path)
{
    cancel();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) == 0) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(fds[0]);
            runChild(document, path, fds[1]);
        }
        ::close(fds[1]);
        if (child > 0) {
            m_child = child;
            m_pipe = fds[0];
            ::fcntl(m_pipe, F_SETFL, ::fcntl(m_pipe, F_GETFL) | O_NONBLOCK);
            m_notifier = new QSocketNotifier(m_pipe, QSocketNotifier::Read, this);
            connect(m_notifier, &QSocketNotifier::activated, this, &CopyWriter::readChild);
            return;
        }
        ::close(fds[0]);
    }
    // No child to be had (the system is out of processes or memory): the copy is still worth
    // more than the moment it takes here.
    try {
        write(document, path);
        Q_EMIT finished(true, QString());
    } catch (const Failure &failure) {
        Q_EMIT finished(false, failure.description());
    }
}

void CopyWriter::readChild()
{
    char buffer[512];
    for (;;) {
        const ssize_t count = ::read(m_pipe, buffer, sizeof buffer);
        if (count > 0) {
            m_report.append(buffer, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno == EAGAIN)
            return; // more to come
        break; // the child has closed its end: it is leaving
    }
    reapChild();
}

void CopyWriter::reapChild()
{
    int status = 0;
    while (::waitpid(pid_t(m_child), &status, 0) < 0 && errno == EINTR) {
    }
    QString reason = QString::fromUtf8(m_report);
    const bool written = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!written && reason.isEmpty())
        reason = WIFSIGNALED(status) ? QStringLiteral("The writing process was stopped by signal %1.").arg(WTERMSIG(status))
                                     : QStringLiteral("The writing process failed.");
    m_child = 0;
    cancel();
    Q_EMIT finished(written, reason);
}

void CopyWriter::cancel()
{
    if (m_child > 0) {
        ::kill(pid_t(m_child), SIGKILL);
        while (::waitpid(pid_t(m_child), nullptr, 0) < 0 && errno == EINTR) {
        }
        m_child = 0;
    }
    delete m_notifier;
    m_notifier = nullptr;
    if (m_pipe >= 0)
        ::close(m_pipe);
    m_pipe = -1;
    m_report.clear();
}
