#include "support/ScriptedMessageBox.h"

int ScriptedMessageBox::show(const QString &prompt, int style, const QString &title)
{
    shown.append({prompt, style, title});
    return answers.isEmpty() ? answerWhenUnscripted : answers.takeFirst();
}
