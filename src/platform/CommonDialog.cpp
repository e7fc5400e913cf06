#include "platform/CommonDialog.h"

#include "platform/DialogHost.h"
#include "platform/Failure.h"

#include <QFileInfo>

QStringList CommonDialog::NameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        const QString &pattern = parts.at(i + 1);
        if (description.isEmpty() && pattern.isEmpty())
            continue;
        // The dialog takes its patterns from the parentheses at the end of a name filter; a
        // description that already ends in its own pattern is shown exactly as written.
        const QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        nameFilters.append(description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                               ? description
                               : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return nameFilters;
}

namespace {

bool isExistingFile(const QString &name)
{
    const QFileInfo info(name);
    return !name.isEmpty() && info.exists() && !info.isDir();
}

} // namespace

void CommonDialog::ShowOpen() { showFileDialog(true); }
void CommonDialog::ShowSave() { showFileDialog(false); }

void CommonDialog::showFileDialog(bool open)
{
    FileDialogRequest request;
    request.open = open;
    request.title = DialogTitle;
    request.nameFilters = NameFilters(Filter);
    request.filterIndex = std::max(1, FilterIndex);
    request.fileName = FileName;
    const bool confirmOverwrite = !open && (Flags & cdlOFNOverwritePrompt);
    request.confirmOverwrite = confirmOverwrite && !ConfirmReplace;
    request.fileMustExist = open && (Flags & cdlOFNFileMustExist);

    FileDialogAnswer answer = m_host.ChooseFile(request);
    // Anything but Yes to the question goes back to the dialog, which starts with that name.
    while (confirmOverwrite && ConfirmReplace && isExistingFile(answer.fileName)
           && !ConfirmReplace(answer.fileName)) {
        request.fileName = answer.fileName;
        request.filterIndex = answer.filterIndex;
        answer = m_host.ChooseFile(request);
    }
    if (answer.fileName.isEmpty()) {
        if (CancelError)
            throw Failure(QStringLiteral("Cancel was selected."));
        return;
    }
    FileName = answer.fileName;
    FilterIndex = answer.filterIndex;
}
