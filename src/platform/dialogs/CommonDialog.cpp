#include "platform/dialogs/CommonDialog.h"

#include "platform/dialogs/DialogHost.h"
#include "base/Failure.h"

#include <QFileInfo>
#include <QPrinter>

CommonDialog::CommonDialog(DialogHost &host) : m_host(host) {}

CommonDialog::~CommonDialog() = default;

namespace {

// The filter's file types, as "description|pattern" pairs; an empty pair is no type.
QList<std::pair<QString, QString>> fileTypes(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<std::pair<QString, QString>> types;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts.at(i).isEmpty() || !parts.at(i + 1).isEmpty())
            types.append({parts.at(i), parts.at(i + 1)});
    }
    return types;
}

} // namespace

QStringList CommonDialog::NameFilters(const QString &filter)
{
    QStringList nameFilters;
    for (const auto &[description, pattern] : fileTypes(filter)) {
        // The dialog takes its patterns from the parentheses at the end of a name filter; a
        // description that already ends in its own pattern is shown exactly as written.
        const QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        nameFilters.append(description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                               ? description
                               : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return nameFilters;
}

QStringList CommonDialog::TypeExtensions(const QString &filter)
{
    QStringList extensions;
    for (const auto &type : fileTypes(filter)) {
        const QString first = type.second.section(QLatin1Char(';'), 0, 0).trimmed();
        const QString extension = first.startsWith(QLatin1String("*.")) ? first.mid(1) : QString();
        const bool concrete = extension.size() > 1 && !extension.contains(QLatin1Char('*'))
                              && !extension.contains(QLatin1Char('?'));
        extensions.append(concrete ? extension : QString());
    }
    return extensions;
}

QString CommonDialog::WithTypeExtension(const QString &fileName, const QString &extension)
{
    if (fileName.isEmpty() || extension.isEmpty() || QFileInfo(fileName).fileName().contains(QLatin1Char('.')))
        return fileName;
    return fileName + extension;
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
    // A file type remembered from a dialog with more types than this one has opens on the first.
    request.filterIndex = FilterIndex >= 1 && FilterIndex <= request.nameFilters.size() ? FilterIndex : 1;
    request.fileName = FileName;
    if (!open)
        request.extensions = TypeExtensions(Filter);
    const bool confirmOverwrite = !open && (Flags & cdlOFNOverwritePrompt);
    request.confirmOverwrite = confirmOverwrite && !ConfirmReplace;
    request.fileMustExist = open && (Flags & cdlOFNFileMustExist);

    // The name is completed before anything looks at it, so the question about replacing a file
    // names the file that would be written.
    const auto choose = [&] {
        FileDialogAnswer chosen = m_host.ChooseFile(request);
        if (!open && chosen.filterIndex >= 1 && chosen.filterIndex <= request.extensions.size())
            chosen.fileName = WithTypeExtension(chosen.fileName, request.extensions.at(chosen.filterIndex - 1));
        return chosen;
    };
    const auto accepted = [&](const FileDialogAnswer &chosen) {
        if (confirmOverwrite && ConfirmReplace && isExistingFile(chosen.fileName) && !ConfirmReplace(chosen.fileName))
            return false;
        return open || !ConfirmSave || ConfirmSave(chosen.fileName, chosen.filterIndex);
    };
    FileDialogAnswer answer = choose();
    // Anything but Yes to a question goes back to the dialog, which starts with that name and type.
    while (!answer.fileName.isEmpty() && !accepted(answer)) {
        request.fileName = answer.fileName;
        request.filterIndex = answer.filterIndex;
        answer = choose();
    }
    if (answer.fileName.isEmpty()) {
        cancelled();
        return;
    }
    FileName = answer.fileName;
    FilterIndex = answer.filterIndex;
}

bool CommonDialog::cancelled() const
{
    if (CancelError)
        throw Failure(QStringLiteral("Cancel was selected."));
    return false;
}

bool CommonDialog::ShowFont()
{
    FontDialogRequest request;
    request.font = {FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, Color};
    request.effects = Flags & cdlCFEffects;
    const FontDialogAnswer answer = m_host.ChooseFont(request);
    if (!answer.accepted)
        return cancelled();
    FontName = answer.font.name;
    FontSize = answer.font.size;
    FontBold = answer.font.bold;
    FontItalic = answer.font.italic;
    FontUnderline = answer.font.underline;
    FontStrikethru = answer.font.strikethru;
    Color = answer.font.color;
    return true;
}

bool CommonDialog::ShowColor()
{
    const ColorDialogAnswer answer = m_host.ChooseColor(ColorDialogRequest{Color});
    if (!answer.accepted)
        return cancelled();
    Color = answer.color;
    return true;
}

bool CommonDialog::ShowPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrinterDialogRequest request;
    request.title = DialogTitle;
    request.printer = m_printer.get();
    request.selectionChosen = Flags & cdlPDSelection;
    request.pageRangeAllowed = !(Flags & cdlPDNoPageNums);
    // A cancelled dialog gives no printer to print to.
    m_hDC = nullptr;
    if (!m_host.ChoosePrinter(request))
        return cancelled();
    if (Flags & cdlPDReturnDC)
        m_hDC = m_printer.get();
    return true;
}
