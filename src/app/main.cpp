// Corvala Software: starts the main window, opens the file named on the command line if any
// ("Open with" from a file manager), and runs until the window is closed. It stores no settings.
#include "mainwindow/Form1.h"
#include "platform/dialogs/QtDialogHost.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvala"));
    QApplication::setDesktopFileName(QStringLiteral("corvala"));
    // The main window's close handling decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);

    QtMessageBoxService messages;
    QtDialogHost dialogs;
    Form1 form(messages, dialogs);
    dialogs.setOwner(&form);
    form.Form_Load();
    form.show();
    form.txtEdit->setFocus();
    form.OpenCommandLine(QCoreApplication::arguments());
    return app.exec();
}
