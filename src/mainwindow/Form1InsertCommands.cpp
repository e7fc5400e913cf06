// The Insert commands: the date or time as text, and a picture from a file.
#include "mainwindow/Form1.h"

#include "app/PictureClipboard.h"
#include "dialogs/DateDialogState.h"
#include "dialogs/frmDate.h"
#include "editor/mTxtHelper.h"
#include "platform/Pictures.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QGuiApplication>
#include <QScopeGuard>

namespace {

const QString kPictureFilter =
    QStringLiteral("Picture Files(*.bmp)|*.bmp|GIF Files(*.gif)|*.gif|JPEG Files(*.jpg)|*.jpg|");

} // namespace

void Form1::mnuDateTime_Click()
{
    if (!DateDialog)
        DateDialog = new frmDate(m_messages, this);
    const QPointer<frmDate> dialog = DateDialog;
    dialog->ShowModal();
    delete dialog.data();

    // An empty text would only delete the selection: nothing has ever been chosen to insert.
    if (DateDialogResult == DateDialogInsert && !DateDialogText.isEmpty())
        txtEdit->setSelText(DateDialogText);
    DateDialogResult = DateDialogConsumed;
}

void Form1::mnuPic_Click()
{
    const QString name = ShowFileDialog(true, QStringLiteral("Picture"), kPictureFilter);
    if (name.isEmpty())
        return;
    // The picture is held only while it goes to the clipboard, whatever happens on the way.
    const auto clearPicture = qScopeGuard([this] { PicData.Picture = {}; });
    // A photo of many megapixels takes a moment to decode.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    // A file that is no picture fails here, before the clipboard or the document is touched.
    PicData.Picture = Pictures::LoadPictureFile(name);
    PutPictureOnClipboard(PicData.Picture, vbCFBitmap);
    helper().Paste();
}
