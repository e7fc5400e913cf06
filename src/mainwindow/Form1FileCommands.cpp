// The File commands: New, Open, Save, Save As and Exit.
#include "mainwindow/Form1.h"

#include "app/ErrorReport.h"
#include "app/PathQueries.h"
#include "app/TitleRule.h"
#include "base/Failure.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/ProductIcon.h"
#include "platform/richtextbox/RichTextBox.h"
#include "rtf/PlainTextLoss.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kOpenFilter = QStringLiteral("RTF Files(*.rtf)|*.rtf|");
const QString kSaveAsFilter = QStringLiteral("RTF Files(*.rtf)|*.rtf|Text Files(*.txt)|*.txt|");

// Read-only box ticked, explorer-style, long names, and a question before the Save dialog
// replaces an existing file: one wrong name must not cost another document. Nothing insists
// that the file exists.
constexpr int kFileDialogFlags = CommonDialog::cdlOFNReadOnly | CommonDialog::cdlOFNOverwritePrompt
                                 | CommonDialog::cdlOFNExplorer | CommonDialog::cdlOFNLongNames;

} // namespace

QString Form1::ShowFileDialog(bool openDialog, const QString &title, const QString &filter)
{
    CD1.DialogTitle = title;
    CD1.Filter = filter;
    CD1.Flags = kFileDialogFlags;
    if (openDialog)
        CD1.ShowOpen();
    else
        CD1.ShowSave();
    m_chosenFilterIndex = CD1.FilterIndex;
    const QString chosen = CD1.FileName;
    // The next dialog starts with an empty name, and a Cancel gives an empty result.
    CD1.FileName.clear();
    return chosen;
}

bool Form1::ConfirmReplace(const QString &fileName)
{
    const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                 .arg(QFileInfo(fileName).fileName());
    return m_messages.MsgBox(question, vbYesNo | vbExclamation, QStringLiteral("Confirm Save As")) == vbYes;
}

bool Form1::ConfirmPlainText()
{
    if (!plainTextLosesContent(*txtEdit->document()))
        return true;
    return m_messages.MsgBox(QStringLiteral("Save as plain text? Formatting, pictures, tables and lists will be lost."),
                             vbYesNo) == vbYes;
}

void Form1::mnuNew_Click()
{
    if (m_messages.MsgBox(QStringLiteral("Do you want to start a new document."), vbYesNo) == vbYes) {
        txtEdit->setText(QString());
        Recovery->discard();
    }
}

bool Form1::MayReplaceDocument()
{
    const auto step = [](int, const std::function<void()> &action) { action(); };
    return !m_modified || SaveChangesFirst(step);
}

void Form1::mnuOpen_Click()
{
    // The document Open would replace may hold the only copy of the user's work: the same
    // question as closing comes first, and Open goes on only when nothing would be lost.
    if (!MayReplaceDocument())
        return;
    const QString name = ShowFileDialog(true, QStringLiteral("Open"), kOpenFilter);
    if (name.isEmpty() || !modRTF::PathExists(name))
        return;
    OpenDocument(name);
}

void Form1::OpenCommandLine(const QStringList &arguments)
{
    // The first argument after the program's name that is no option names the file, as the
    // desktop passes it ("corvala %f"); after "--" every argument is a name.
    bool options = true;
    for (const QString &argument : arguments.mid(1)) {
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (!options || !argument.startsWith(QLatin1Char('-'))) {
            // A file that can't be read is reported as Open reports it; the document stays empty.
            runCommand([&] { OpenDocument(QFileInfo(argument).absoluteFilePath()); });
            return;
        }
    }
}

void Form1::OpenDocument(const QString &name)
{
    setWindowTitle(kProductName);
    setWindowIcon(productIcon());
    ApplyTitleRule();
    try {
        txtEdit->LoadFile(name, rtfRTF);
        Recovery->discard();
        m_modified = false;
    } catch (const Failure &failure) {
        // The document is replaced only once the whole file has been read, so it is still
        // there; the user learns which file could not be opened and why.
        throw Failure(QStringLiteral("Cannot open \"%1\".\n%2")
                          .arg(QDir::toNativeSeparators(name), failure.description()));
    }
}

void Form1::mnuSave_Click() { mnuSaveAs_Click(); }

bool Form1::mnuSaveAs_Click()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.mnuSaveAs_Click "));

    QString name;
    proc.Step(106, [&] { name = ShowFileDialog(false, QStringLiteral("Save As"), kSaveAsFilter); });
    if (proc.Test(108, [&] { return name.isEmpty(); }))
        return false;

    proc.Step(112, [&] { setWindowTitle(kProductName); });
    proc.Step(112, [&] { setWindowIcon(productIcon()); });
    proc.Step(112, [&] { ApplyTitleRule(); });

    // The file type chosen in the dialog decides the format, never the name's extension.
    bool written = false;
    if (proc.Test(114, [&] { return m_chosenFilterIndex == 1; }))
        written = proc.Step(116, [&] { txtEdit->SaveFile(name, rtfRTF); });
    else
        written = proc.Step(118, [&] { txtEdit->SaveFile(name, rtfText); });

    // A write that failed leaves the mark set: the document was not saved, so closing still asks.
    if (written) {
        proc.Step(120, [&] { m_modified = false; });
        Recovery->discard();
    }
    return written;
}

void Form1::mnuExit_Click() { close(); }
