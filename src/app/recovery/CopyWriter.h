#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
class QTextDocument;

// Writes a document as RTF to a file, atomically (a temporary file, flushed to the disk, then
// renamed over the old one), without holding up the window. Writing the RTF of a big document
// takes far longer than a key may wait, and the document belongs to the window's thread, so the
// write is done by a child process forked at the moment it starts: the child holds the
// document exactly as it was then (the system shares the memory and copies only the pages the
// window changes afterwards), writes it with the writer Save As uses, and leaves; the window
// goes on taking keys.
class CopyWriter : public QObject
{
    Q_OBJECT

public:
    explicit CopyWriter(QObject *parent = nullptr);
    ~CopyWriter() override; // ends an unfinished write

    bool busy() const { return m_child > 0; }
    qint64 process() const { return m_child; }

    // Starts writing the document as it is now; finished() follows. When no child can be made,
    // the document is written here and now, and finished() follows all the same.
    void start(const QTextDocument &document, const QString &path);

    // Ends an unfinished write at once, without finished(). The copy it was writing is either
    // the old one or the new one, never a torn one; a temporary file may be left beside it.
    void cancel();

    // Writes here and now, the same way; throws Failure with the reason.
    static void write(const QTextDocument &document, const QString &path);

Q_SIGNALS:
    void finished(bool written, const QString &reason);

private:
    void readChild();
    void reapChild();

    qint64 m_child = 0;
    int m_pipe = -1; // the child's report: empty when it wrote the copy, else the reason
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_report;
};
