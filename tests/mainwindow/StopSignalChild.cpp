// The program as it starts, for the test of its stop signals: the main window keeps recovery
// copies and answers the stop signals as corvala does. It puts the text given on its command
// line in the document, says "edited" on its output and waits to be stopped. Its copies are
// written only when the signal comes.
//
// With a second argument, "busy", the copy of that text is written first; then a change that
// no copy holds is made and the window's thread stays busy for ever, as in a paste that takes
// minutes, so that the signal never reaches the event loop.
#include "app/recovery/StopSignals.h"
#include "mainwindow/Form1.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/QtDialogHost.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>
#include <QEventLoop>

#include <cstdio>
#include <unistd.h>

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
    const bool busy = QCoreApplication::arguments().value(2) == QLatin1String("busy");
    if (busy) {
        QEventLoop written;
        QObject::connect(form.Recovery.get(), &RecoveryKeeper::copyWritten, &written, &QEventLoop::quit);
        form.Recovery->writeDueCopy();
        written.exec();
        form.txtEdit->setText(QStringLiteral("a change that no copy holds"));
    }
    std::puts("edited");
    std::fflush(stdout);
    if (busy) {
        for (;;)
            ::pause();
    }
    return app.exec();
}
