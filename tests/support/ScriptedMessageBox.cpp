#include "support/ScriptedMessageBox.h"

int ScriptedMessageBox::show(const QString &prompt, int style, const QString &title, QWidget *owner)
{
    shown.append({prompt, style, title, owner});
    return answers.isEmpty() ? answerWhenUnscripted : answers.takeFirst();
}
