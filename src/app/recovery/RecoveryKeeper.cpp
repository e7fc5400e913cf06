#include "app/recovery/RecoveryKeeper.h"

#include "app/recovery/CopyFiles.h"
#include "base/Failure.h"

#include <QFile>
#include <QThreadPool>

#include <algorithm>

namespace {

// How soon a due copy looks again whether the other threads are idle.
constexpr int threadsAtWorkPollMs = 100;

} // namespace

RecoveryKeeper::RecoveryKeeper(std::function<const QTextDocument *()> document,
                               std::function<void(const QString &)> reportFailure, QObject *parent)
    : QObject(parent), m_document(std::move(document)), m_reportFailure(std::move(reportFailure))
{
    for (QTimer *timer : {&m_pause, &m_longest, &m_retryPause, &m_threadsAtWork}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &RecoveryKeeper::writeDueCopy);
    }
    m_threadsAtWork.setInterval(threadsAtWorkPollMs);
    connect(&m_writer, &CopyWriter::finished, this, &RecoveryKeeper::writerFinished);
}

// A window that goes without finish() (the program is being stopped, or a test ends) leaves
// its copy where it is.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::start(const RecoveryFolder &folder, Timing timing)
{
    m_folder = folder;
    m_timing = timing;
    m_pause.setInterval(timing.pauseMs);
    m_longest.setInterval(timing.longestMs);
}

QString RecoveryKeeper::copyPath() const
{
    return m_folder ? m_folder->copyPath(WriterIdentity::current()) : QString();
}

void RecoveryKeeper::documentChanged()
{
    if (!m_folder)
        return;
    m_pending = true;
    m_changedSinceFailure = true;
    m_pause.start();
    if (!m_longest.isActive())
        m_longest.start();
}

// The copy is written by a child forked from this process, which has other threads. The child
// has only the thread that forked: a lock another thread held at that instant stays locked in
// it for ever. The child's work takes no lock that the X connection's or D-Bus's threads take;
// the program's own background work (the spelling dictionary's loading) runs on the thread
// pool and could, so no copy starts while a task of the pool runs.
bool RecoveryKeeper::otherThreadsAtWork() const { return QThreadPool::globalInstance()->activeThreadCount() > 0; }

void RecoveryKeeper::writeDueCopy()
{
    if (!m_folder || !m_pending || !m_changedSinceFailure || m_retryPause.isActive())
        return;
    m_pause.stop();
    m_longest.stop();
    // A write already under way holds an older state: the next starts as soon as it is done.
    if (m_writer.busy()) {
        m_dueAfterWrite = true;
        return;
    }
    m_dueAfterWrite = false;
    const QTextDocument *document = m_document();
    if (!document)
        return;
    if (otherThreadsAtWork()) {
        m_threadsAtWork.start();
        return;
    }
    QString reason;
    if (!m_folder->make(&reason)) {
        fail(reason);
        return;
    }
    m_pending = false;
    m_writer.start(*document, copyPath());
}

void RecoveryKeeper::writerFinished(bool written, const QString &reason)
{
    if (!written) {
        fail(reason);
        return;
    }
    m_failuresInARow = 0;
    Q_EMIT copyWritten();
    // Changes made while the copy was being written are written at once if their time came
    // meanwhile; otherwise their timers are still running.
    if (m_dueAfterWrite)
        writeDueCopy();
}

// A copy that failed (a full disk, a writer killed by the system for its memory or stopped by
// its alarm) leaves its changes to the next copy. That is tried at the next change; failures
// in a row wait longer and longer, so a disk that stays full costs little.
void RecoveryKeeper::fail(const QString &reason)
{
    m_pending = true;
    m_dueAfterWrite = false;
    m_changedSinceFailure = false;
    m_pause.stop();
    m_longest.stop();
    m_threadsAtWork.stop();
    ++m_failuresInARow;
    if (m_failuresInARow >= 2) {
        const int doublings = std::min(m_failuresInARow - 2, 16);
        m_retryPause.start(int(std::min<qint64>(qint64(m_timing.retryMs) << doublings, m_timing.retryLongestMs)));
    }
    if (m_reported)
        return;
    m_reported = true;
    if (m_reportFailure)
        m_reportFailure(reason);
}

void RecoveryKeeper::discard()
{
    if (!m_folder)
        return;
    m_writer.cancel();
    m_pause.stop();
    m_longest.stop();
    m_threadsAtWork.stop();
    m_pending = false;
    m_dueAfterWrite = false;
    RecoveryFolder::removeCopy(copyPath());
}

void RecoveryKeeper::adopt(const QString &leftCopy)
{
    if (!m_folder)
        return;
    discard();
    // When the rename fails the left copy stays where it was and is offered again at the next
    // start; this window writes its own copy at its next change.
    CopyFiles::renameOwnFile(leftCopy, copyPath());
}

void RecoveryKeeper::writeNow()
{
    if (!m_folder)
        return;
    const bool copyBehind = m_pending || m_writer.busy();
    m_writer.cancel();
    m_pause.stop();
    m_longest.stop();
    m_retryPause.stop();
    m_threadsAtWork.stop();
    const QTextDocument *document = m_document();
    if (!copyBehind || !document || !m_folder->make(nullptr))
        return;
    try {
        CopyWriter::write(*document, copyPath());
        m_pending = false;
    } catch (const Failure &) {
        // The program is ending: an older copy, if any, is what is left.
    }
}

void RecoveryKeeper::finish()
{
    discard();
    m_retryPause.stop();
    m_folder.reset();
}
