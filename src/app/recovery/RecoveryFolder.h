#pragma once

#include "app/recovery/WriterIdentity.h"

#include <QDateTime>
#include <QList>
#include <QString>

// A recovery copy that its writer left behind: the program that wrote it is no longer running.
struct LeftCopy
{
    QString path;
    QDateTime savedAt; // when it was last written
};

// The folder of recovery copies: one RTF file for each running window with unsaved changes,
// named after the process that writes it ("copy-<pid>-<start>-<boot>.rtf"), so that a later
// start can tell the copies of running programs from those left behind.
class RecoveryFolder
{
public:
    explicit RecoveryFolder(QString path);

    // $XDG_STATE_HOME/corvala/recovery, or ~/.local/state/corvala/recovery when the variable is
    // unset or not an absolute path (as the XDG base directory rules say).
    static QString defaultPath();

    const QString &path() const { return m_path; }
    QString copyPath(const WriterIdentity &writer) const;

    // The copies are the user's unsaved documents: the folder and the program's folder above
    // it are the user's own folders, not links, and no one else's to read, write or enter
    // (0700). Makes them so when they are missing, or when they are the user's folders with
    // wider permissions; false, with the reason, when they can't be made so (a link, a file,
    // another user's folder, a folder shared like /tmp, or a file system that refuses).
    bool make(QString *reason) const;

    // The copies whose writers no longer run, newest first: regular files of the user's own,
    // never a link, and only from a folder that make() can vouch for. A copy that is being
    // replaced when its writer stops leaves a temporary file beside it, never a whole copy:
    // those of writers that are gone are removed here.
    QList<LeftCopy> leftCopies() const;

    // Throws Failure unless `copyPath` is still a copy that may be read (see leftCopies).
    static void checkLeftCopy(const QString &copyPath);

    // Removes a copy together with any unfinished temporary file of its writer.
    static void removeCopy(const QString &copyPath);

private:
    bool makePrivate(bool create, QString *reason) const;

    QString m_path;
};
