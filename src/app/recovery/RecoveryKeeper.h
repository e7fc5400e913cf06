#pragma once

#include "app/recovery/CopyWriter.h"
#include "app/recovery/RecoveryFolder.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class QTextDocument;

// When copies are written.
struct RecoveryTiming
{
    int pauseMs = 2000;    // a copy after this long without a change
    // and at the latest this long after the first change it lacks: with a write of well under a
    // second, steady typing is never more than about 5 s ahead of the copy on the disk
    int longestMs = 4000;
    // After the second failed copy in a row, none is tried for this long, twice as long after
    // each further failure, up to the last
    int retryMs = 5000;
    int retryLongestMs = 300000;
};

// Keeps a recovery copy of a window's document while it has changes that no save holds: the
// copy is written after a pause in editing, and at the latest a while after the first change
// that no copy holds yet, however long the editing goes on. The copy goes away when the
// document is saved or replaced, and when the program ends normally. It asks nothing and shows
// nothing: the first failure of the run is handed to `reportFailure`; a failed copy is tried
// again at the next change, after a pause that grows while the failures go on.
class RecoveryKeeper : public QObject
{
    Q_OBJECT

public:
    using Timing = RecoveryTiming;

    RecoveryKeeper(std::function<const QTextDocument *()> document,
                   std::function<void(const QString &reason)> reportFailure, QObject *parent = nullptr);
    ~RecoveryKeeper() override;

    // Begins keeping copies in `folder`, under this process's name there.
    void start(const RecoveryFolder &folder, Timing timing = {});
    bool started() const { return m_folder.has_value(); }
    const RecoveryFolder *folder() const { return m_folder ? &*m_folder : nullptr; }
    // This window's copy, written or not yet.
    QString copyPath() const;

    // The document changed: a copy is due.
    void documentChanged();
    // Starts writing the copy now if one is due and none is being written; the timers call it.
    void writeDueCopy();
    // The document was saved, or replaced by another (New, Open): its copy is no longer needed
    // and goes away, until the next change.
    void discard();
    // A left copy has just been read into the window: it becomes the window's own copy, as it
    // holds exactly the document the window now shows.
    void adopt(const QString &leftCopy);
    // The program is being stopped: the copy is brought up to date here and now.
    void writeNow();
    // The program ends normally: the copy goes away and no other is written.
    void finish();

    bool writing() const { return m_writer.busy(); }
    // The process writing the copy, 0 when none is.
    qint64 writerProcess() const { return m_writer.process(); }

Q_SIGNALS:
    // A copy was written and is in place (tests and the benchmark wait for it).
    void copyWritten();

private:
    void writerFinished(bool written, const QString &reason);
    void fail(const QString &reason);
    bool otherThreadsAtWork() const;

    std::function<const QTextDocument *()> m_document;
    std::function<void(const QString &)> m_reportFailure;
    std::optional<RecoveryFolder> m_folder;
    CopyWriter m_writer;
    QTimer m_pause;
    QTimer m_longest;
    QTimer m_retryPause;   // after repeated failures: no copy is tried until it ends
    QTimer m_threadsAtWork; // a due copy waits for the program's other threads to be idle
    Timing m_timing;
    bool m_pending = false;  // a change that no copy, written or being written, holds
    bool m_dueAfterWrite = false; // its time came while another copy was being written
    bool m_changedSinceFailure = true; // a failed copy is tried again only after a change
    int m_failuresInARow = 0;
    bool m_reported = false; // a failure was reported: once a run is enough
};
