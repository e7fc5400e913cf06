// insert_big_picture [DIR]: times Insert > Image with an 8000 x 6000 photo, as the user meets
// it: the command itself (read, decode, clipboard, paste), the first paint of the editing area
// with the picture in view, a keystroke typed next to it, Save As and Open. Runs on whatever
// platform QT_QPA_PLATFORM names (offscreen for a headless run). Prints milliseconds.
#include "ScriptedAnswers.h"
#include "editor/mTxtHelper.h"
#include "app/PictureClipboard.h"
#include "mainwindow/Form1.h"
#include "platform/dialogs/DialogHost.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QRandomGenerator>

#include <cstdio>

namespace {

// A photo-like picture: soft gradients with fine grain, which JPEG compresses as it does photos.
QImage photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(0.5, QColor(230, 200, 150));
    sky.setColorAt(1, QColor(30, 80, 40));
    painter.fillRect(image.rect(), sky);
    painter.end();
    QRandomGenerator grain(2026);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int d = int(grain.bounded(24)) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + d, 255), qBound(0, qGreen(p) + d, 255), qBound(0, qBlue(p) + d, 255));
        }
    }
    return image;
}

double step(const char *what, const std::function<void()> &action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("%-44s %9.0f ms\n", what, ms);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const QString jpg = dir + QStringLiteral("/big-photo.jpg");
    const QString rtf = dir + QStringLiteral("/big-photo.rtf");
    if (!QFileInfo::exists(jpg) && !photo(8000, 6000).save(jpg, "JPEG", 85)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(jpg));
        return 1;
    }
    std::printf("picture: %s, 8000 x 6000, %lld bytes\n", qPrintable(jpg), QFileInfo(jpg).size());

    AnswerYes messages;
    AnswerFiles dialogs;
    Form1 form(messages, dialogs);
    form.Form_Load();
    form.show();
    form.txtEdit->setText(QStringLiteral("A photo: "));
    form.txtEdit->setSelStart(9);
    form.txtEdit->viewport()->repaint();

    // The command's steps one by one, then the command as the menu runs it.
    StdPicture picture;
    step("  read and decode the file", [&] { picture = Pictures::LoadPictureFile(jpg); });
    step("  put it on the clipboard", [&] { PutPictureOnClipboard(picture, vbCFBitmap); });
    step("  paste", [&] { form.TxtHelper->Paste(); });
    form.txtEdit->setText(QStringLiteral("A photo: "));
    form.txtEdit->setSelStart(9);
    picture = {};

    dialogs.answers = {{jpg, 3}, {rtf, 1}, {rtf, 1}};
    step("Insert > Image (all of the above)", [&] { form.mnuPic_Click(); });
    step("first paint with the picture in view", [&] { form.txtEdit->viewport()->grab(); });
    step("a keystroke and its paint", [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(form.txtEdit, &press);
        form.txtEdit->viewport()->grab();
    });
    step("Save As (RTF)", [&] { form.mnuSaveAs_Click(); });
    std::printf("RTF written: %lld bytes\n", QFileInfo(rtf).size());
    step("Open", [&] { form.mnuOpen_Click(); });
    step("first paint after Open", [&] { form.txtEdit->viewport()->grab(); });
    return 0;
}
