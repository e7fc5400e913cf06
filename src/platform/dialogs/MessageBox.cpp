#include "platform/dialogs/MessageBox.h"

#include "platform/App.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

int MessageBoxService::MsgBox(const QString &prompt, int style, const QString &title, QWidget *owner)
{
    return show(prompt, style, title.isEmpty() ? App::Title() : title, owner ? owner : Owner());
}

namespace {

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttonsOf(int style)
{
    switch (style & 0x7) {
    case vbOKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case vbYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case vbYesNo: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

int resultOf(int button)
{
    switch (button) {
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    case QMessageBox::Cancel: return vbCancel;
    default: return vbOK;
    }
}

// Qt lets Escape and the close box of a Yes/No box press No, which for "save changes?" throws
// the changes away. Here they close the box with no button pressed, and the caller decides
// what that means.
class QuestionBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel))
            reject();
        else
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override { QDialog::closeEvent(event); }
};

} // namespace

int QtMessageBoxService::show(const QString &prompt, int style, const QString &title, QWidget *owner)
{
    // The original boxes write line ends as "\r\n" or a bare "\r"; on Linux only "\n" breaks.
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QWidget *parent = owner ? owner->window() : QApplication::activeWindow();
    if ((style & 0x7) == vbYesNo) {
        QuestionBox box(iconOf(style), title, text, buttonsOf(style), parent);
        box.exec();
        return box.clickedButton() ? resultOf(box.standardButton(box.clickedButton())) : vbCancel;
    }
    QMessageBox box(iconOf(style), title, text, buttonsOf(style), parent);
    return resultOf(box.exec());
}
