#include "app/recovery/RecoveryKeeper.h"

#include "app/recovery/CopyFiles.h"
#include "base/Failure.h"

#include <QFile>

RecoveryKeeper::RecoveryKeeper(std::function<const QTextDocument *()> document,
                               std::function<void(const QString &)> reportFailure, QObject *parent)
    : QObject(parent), m_document(std::move(document)), m_reportFailure(std::move(reportFailure))
{
    m_pause.setSingleShot(true);
    m_longest.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &RecoveryKeeper::writeDueCopy);
    connect(&m_longest, &QTimer::timeout, this, &RecoveryKeeper::writeDueCopy);
    connect(&m_writer, &CopyWriter::finished, this, &RecoveryKeeper::writerFinished);
}

// A window that goes without finish() (the program is being stopped, or a test ends) leaves
// its copy where it is.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::start(const RecoveryFolder &folder, Timing timing)
{
    m_folder = folder;
    m_pause.setInterval(timing.pauseMs);
    m_longest.setInterval(timing.longestMs);
}

QString RecoveryKeeper::copyPath() const
{
    return m_folder ? m_folder->copyPath(WriterIdentity::current()) : QString();
}

void RecoveryKeeper::documentChanged()
{
    if (!m_folder || m_failed)
        return;
    m_pending = true;
    m_pause.start();
    if (!m_longest.isActive())
        m_longest.start();
}

void RecoveryKeeper::writeDueCopy()
{
    if (!m_folder || !m_pending || m_failed)
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
    Q_EMIT copyWritten();
    // Changes made while the copy was being written are written at once if their time came
    // meanwhile; otherwise their timers are still running.
    if (m_dueAfterWrite)
        writeDueCopy();
}

void RecoveryKeeper::fail(const QString &reason)
{
    if (m_failed)
        return;
    m_failed = true;
    m_pause.stop();
    m_longest.stop();
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
    m_folder.reset();
}
