// Corvala Software: starts the main window, offers the work a program that did not close
// properly left behind, opens the file named on the command line if any ("Open with" from a file
// manager), and runs until the window is closed. It stores no settings; it keeps a recovery copy
// of unsaved work while it runs.
#include "app/recovery/StopSignals.h"
#include "mainwindow/Form1.h"
#include "platform/dialogs/QtDialogHost.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/LargeBuffers.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>

int main(int argc, char **argv)
{
    LargeBuffers::keepInTheirOwnPages();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvala"));
    QApplication::setDesktopFileName(QStringLiteral("corvala"));
    // The main window's close handling decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    QtMessageBoxService messages;
    QtDialogHost dialogs;
    Form1 form(messages, dialogs);
    dialogs.setOwner(&form);
    // Told to stop (a logout, a closed terminal, a shutdown), the program first brings its
    // recovery copy up to date, so that the next start offers the work.
    StopSignals::install(&form, [&form] { form.Recovery->writeNow(); });
    form.Form_Load();
    form.show();
    form.txtEdit->setFocus();
    // A recovered document is what the user chose to see: the named file waits for Open.
    if (!form.StartRecovery())
        form.OpenCommandLine(QCoreApplication::arguments());
    return app.exec();
}
