#pragma once

#include "platform/dialogs/DialogHost.h"

#include <QList>
#include <QPrinter>

// Answers the common dialogs from a script and records what each was asked to show. With the
// script used up, a dialog is cancelled.
class ScriptedDialogHost : public DialogHost
{
public:
    QList<FileDialogAnswer> fileAnswers; // taken from the front, one a dialog
    QList<FileDialogRequest> fileRequests;

    // Queues the answer "this name, with this file type" for the next file dialog.
    void answerFile(const QString &fileName, int filterIndex = 1) { fileAnswers.append(FileDialogAnswer{fileName, filterIndex}); }
    void cancelFile() { fileAnswers.append(FileDialogAnswer{}); }

    FileDialogAnswer ChooseFile(const FileDialogRequest &request) override
    {
        fileRequests.append(request);
        return fileAnswers.isEmpty() ? FileDialogAnswer{} : fileAnswers.takeFirst();
    }

    QList<FontDialogAnswer> fontAnswers;
    QList<FontDialogRequest> fontRequests;
    void answerFont(const FontChoice &font) { fontAnswers.append(FontDialogAnswer{true, font}); }
    void cancelFont() { fontAnswers.append(FontDialogAnswer{}); }

    FontDialogAnswer ChooseFont(const FontDialogRequest &request) override
    {
        fontRequests.append(request);
        return fontAnswers.isEmpty() ? FontDialogAnswer{} : fontAnswers.takeFirst();
    }

    QList<ColorDialogAnswer> colorAnswers;
    QList<ColorDialogRequest> colorRequests;
    void answerColor(int color) { colorAnswers.append(ColorDialogAnswer{true, color}); }
    void cancelColor() { colorAnswers.append(ColorDialogAnswer{}); }

    ColorDialogAnswer ChooseColor(const ColorDialogRequest &request) override
    {
        colorRequests.append(request);
        return colorAnswers.isEmpty() ? ColorDialogAnswer{} : colorAnswers.takeFirst();
    }

    // A printer dialog accepted with this PDF file as the printer's output; an empty name
    // cancels the dialog.
    QStringList printerAnswers;
    QList<PrinterDialogRequest> printerRequests;
    void answerPrinterToPdf(const QString &pdfFile) { printerAnswers.append(pdfFile); }
    void cancelPrinter() { printerAnswers.append(QString()); }

    bool ChoosePrinter(const PrinterDialogRequest &request) override
    {
        printerRequests.append(request);
        const QString pdfFile = printerAnswers.isEmpty() ? QString() : printerAnswers.takeFirst();
        if (pdfFile.isEmpty())
            return false;
        request.printer->setOutputFormat(QPrinter::PdfFormat);
        request.printer->setOutputFileName(pdfFile);
        return true;
    }
};
