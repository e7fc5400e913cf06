// The font, colour and printer dialogs of the program's dialog host.
#include "platform/dialogs/QtDialogHost.h"

#include "platform/Colors.h"
#include "platform/dialogs/FontDialog.h"

#include <QColorDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

FontDialogAnswer QtDialogHost::ChooseFont(const FontDialogRequest &request)
{
    FontDialog dialog(request.font, request.effects, parentWindow());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return {true, dialog.Choice()};
}

ColorDialogAnswer QtDialogHost::ChooseColor(const ColorDialogRequest &request)
{
    QColorDialog dialog(Colors::toQColor(request.color), parentWindow());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return {true, Colors::fromQColor(dialog.selectedColor())};
}

bool QtDialogHost::ChoosePrinter(const PrinterDialogRequest &request)
{
    // The dialog reads the range to show from the printer when it is made.
    request.printer->setPrintRange(request.selectionChosen ? QPrinter::Selection : QPrinter::AllPages);
    QPrintDialog dialog(request.printer, parentWindow());
    dialog.setOption(QAbstractPrintDialog::PrintSelection, request.selectionChosen);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.pageRangeAllowed);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setWindowTitle(request.title);
    if (!request.pageRangeAllowed) {
        // Qt's dialog turns its page-range choices back on whenever it is shown, whatever its
        // options say, so they are turned off once it is up.
        QTimer::singleShot(0, &dialog, [&dialog] {
            for (const char *name : {"printRange", "pagesRadioButton", "from", "to"})
                if (auto *choice = dialog.findChild<QWidget *>(QString::fromLatin1(name)))
                    choice->setEnabled(false);
        });
    }
    return dialog.exec() == QDialog::Accepted;
}
