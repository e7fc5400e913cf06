// The program as it starts, for the test of its stop signals: the main window keeps recovery
// copies and answers the stop signals as corvala does. It puts the text given on its command
// line in the document, says "edited" on its output and waits to be stopped. Its copies are
// written only when the signal comes.
#include "app/recovery/StopSignals.h"
#include "mainwindow/Form1.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/QtDialogHost.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QtMessageBoxService messages;
    QtDialogHost dialogs;
    Form1 form(messages, dialogs);
    StopSignals::install(&form, [&form] { form.Recovery->writeNow(); });
    form.Form_Load();
    form.show();
    form.StartRecovery({3600 * 1000, 3600 * 1000});
    form.txtEdit->setText(QCoreApplication::arguments().value(1));
    std::puts("edited");
    std::fflush(stdout);
    return app.exec();
}
