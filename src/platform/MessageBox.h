#pragma once

#include <QString>

class QWidget;

// Style and result values of a message box, with the numbers the program's callers use:
// buttons in the low bits, the icon in the next.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};

enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbYes = 6,
    vbNo = 7,
};

// Every message box of the program goes through one service, so that tests can answer them.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;

    // Shows a modal box and returns the button chosen. An empty title means the application
    // title, as every box without a title of its own shows it.
    int MsgBox(const QString &prompt, int style = vbOKOnly, const QString &title = QString());

protected:
    virtual int show(const QString &prompt, int style, const QString &title) = 0;
};

// The real boxes, owned by whichever window is active.
class QtMessageBoxService : public MessageBoxService
{
protected:
    int show(const QString &prompt, int style, const QString &title) override;
};
