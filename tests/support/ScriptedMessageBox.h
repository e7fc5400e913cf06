#pragma once

#include "platform/MessageBox.h"

#include <QList>
#include <QString>

// Records every message box (prompt, style, title as shown) and answers from a script; with the
// script used up it answers `answerWhenUnscripted`.
class ScriptedMessageBox : public MessageBoxService
{
public:
    struct Shown {
        QString prompt;
        int style;
        QString title;
    };

    QList<int> answers; // taken from the front, one a box
    int answerWhenUnscripted = vbOK;
    QList<Shown> shown;

protected:
    int show(const QString &prompt, int style, const QString &title) override;
};
