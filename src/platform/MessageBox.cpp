#include "platform/MessageBox.h"

#include "platform/App.h"

#include <QApplication>
#include <QMessageBox>

int MessageBoxService::MsgBox(const QString &prompt, int style, const QString &title)
{
    return show(prompt, style, title.isEmpty() ? App::Title() : title);
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

} // namespace

int QtMessageBoxService::show(const QString &prompt, int style, const QString &title)
{
    // The original boxes write line ends as "\r\n" or a bare "\r"; on Linux only "\n" breaks.
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(iconOf(style), title, text, buttonsOf(style), QApplication::activeWindow());
    return resultOf(box.exec());
}
