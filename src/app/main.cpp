// Corvala Software: starts the main window and runs until it is closed. The program reads no
// command line and stores no settings.
#include "mainwindow/Form1.h"
#include "platform/QtDialogHost.h"
#include "platform/MessageBox.h"
#include "platform/RichTextBox.h"

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
    form.Form_Load();
    form.show();
    form.txtEdit->setFocus();
    return app.exec();
}
