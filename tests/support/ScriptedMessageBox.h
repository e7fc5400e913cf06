#pragma once

#include "platform/dialogs/MessageBox.h"

#include <QList>
#include <QString>

// Records every message box (prompt, style, title as shown, the window it belongs to) and
// answers from a script; with the script used up it answers `answerWhenUnscripted`.
class ScriptedMessageBox : public MessageBoxService
{
public:
    struct Shown {
        QString prompt;
        int style;
        QString title;
        QWidget *owner;
    };

    // The answer of Escape or a question's close box.
    static constexpr int dismissed = vbCancel;

    QList<int> answers; // taken from the front, one a box
    int answerWhenUnscripted = vbOK;
    QList<Shown> shown;

protected:
    int show(const QString &prompt, int style, const QString &title, QWidget *owner) override;
};
