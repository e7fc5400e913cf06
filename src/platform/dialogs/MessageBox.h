#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

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

// A Yes/No question closed with Escape or its close box answers vbCancel: neither Yes nor No,
// so that each question can take the answer that loses nothing.
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
    // title, as every box without a title of its own shows it. The box belongs to `owner`, or
    // to Owner() when none is given: it is centred over that window and shows its icon.
    int MsgBox(const QString &prompt, int style = vbOKOnly, const QString &title = QString(),
               QWidget *owner = nullptr);

    // The window the boxes are about unless a caller names another. Which window is active
    // can't say it: right after a file dialog, none is.
    void setOwner(QWidget *owner) { m_owner = owner; }
    QWidget *Owner() const { return m_owner; }

protected:
    virtual int show(const QString &prompt, int style, const QString &title, QWidget *owner) = 0;

private:
    QPointer<QWidget> m_owner;
};

// The real boxes.
class QtMessageBoxService : public MessageBoxService
{
protected:
    int show(const QString &prompt, int style, const QString &title, QWidget *owner) override;
};
