#include "platform/dialogs/QtDialogHost.h"

#include <QApplication>
#include <QFileDialog>

QWidget *QtDialogHost::parentWindow() const
{
    return m_owner ? m_owner->window() : QApplication::activeWindow();
}

FileDialogAnswer QtDialogHost::ChooseFile(const FileDialogRequest &request)
{
    QFileDialog dialog(parentWindow(), request.title);
    // Qt's own dialog, so that the options below mean the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open && request.fileMustExist ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
    dialog.setNameFilters(request.nameFilters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.nameFilters.size())
        dialog.selectNameFilter(request.nameFilters.at(request.filterIndex - 1));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    // A name typed without an extension gets the chosen type's, before the dialog's own
    // question about replacing a file looks at it.
    const auto useExtensionOf = [&dialog, &request](const QString &nameFilter) {
        const qsizetype type = request.nameFilters.indexOf(nameFilter);
        dialog.setDefaultSuffix(type >= 0 && type < request.extensions.size()
                                    ? request.extensions.at(type).mid(1) : QString());
    };
    useExtensionOf(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useExtensionOf);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const int chosenType = int(request.nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
    return {dialog.selectedFiles().constFirst(), chosenType > 0 ? chosenType : request.filterIndex};
}
