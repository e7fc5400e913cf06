// Recovery copies: the question at start-up about work a program left behind when it did not
// close properly, and the one report of the run when a copy can't be kept.
#include "mainwindow/Form1.h"

#include "base/Failure.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QDir>
#include <QFile>

namespace {

QString savedAt(const LeftCopy &copy) { return copy.savedAt.toString(QStringLiteral("HH:mm")); }

} // namespace

bool Form1::StartRecovery(RecoveryKeeper::Timing timing)
{
    Recovery->start(RecoveryFolder(RecoveryFolder::defaultPath()), timing);
    // Newest first; a copy not taken stays for the next start unless the user deletes it.
    for (const LeftCopy &copy : Recovery->folder()->leftCopies()) {
        if (OfferLeftCopy(copy))
            return true;
    }
    return false;
}

bool Form1::OfferLeftCopy(const LeftCopy &copy)
{
    const int answer = m_messages.MsgBox(
        QStringLiteral("Corvala did not close properly. Do you want to recover the document you were "
                       "editing (saved at %1)?").arg(savedAt(copy)),
        vbYesNo);
    if (answer == vbNo) {
        // One key must not throw work away: the copy goes only on a second, explicit Yes.
        const int confirmed = m_messages.MsgBox(
            QStringLiteral("Do you want to delete the document saved at %1? It cannot be recovered afterwards.")
                .arg(savedAt(copy)),
            vbYesNo | vbExclamation);
        if (confirmed == vbYes)
            RecoveryFolder::removeCopy(copy.path);
        return false;
    }
    if (answer != vbYes)
        return false; // Escape: kept for the next start
    try {
        // Read as Open reads a file: the window's document changes only when the whole copy
        // was read, and the change notification marks it as changed, so closing asks to save it.
        // The copy is looked at again: the question may have waited a long time for its answer.
        RecoveryFolder::checkLeftCopy(copy.path);
        txtEdit->LoadFile(copy.path, rtfRTF);
    } catch (const Failure &failure) {
        m_messages.MsgBox(QStringLiteral("The document saved at %1 cannot be recovered.\n%2\nIt is kept in \"%3\".")
                              .arg(savedAt(copy), failure.description(), QDir::toNativeSeparators(copy.path)),
                          vbOKOnly | vbExclamation);
        return false;
    }
    Recovery->adopt(copy.path);
    return true;
}

void Form1::ReportRecoveryFailure(const QString &reason)
{
    m_messages.MsgBox(QStringLiteral("Corvala cannot keep a recovery copy of your work.\n%1\nEditing goes on; "
                                     "save your document to keep your changes. Copies will be tried again as "
                                     "you go on editing.")
                          .arg(reason),
                      vbOKOnly | vbExclamation);
}
