// print_to_pdf IN.rtf OUT.pdf: opens an RTF file in the editing area as Open does and prints the
// whole document to a PDF file as Print does, at the printer's resolution, on A4 paper.
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>
#include <QPrinter>

#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: print_to_pdf IN.rtf OUT.pdf\n");
        return 2;
    }
    QApplication app(argc, argv);
    try {
        RichTextBox box;
        box.LoadFile(QString::fromLocal8Bit(argv[1]));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(argv[2]));
        printer.setPageSize(QPageSize(QPageSize::A4));
        box.SelPrint(&printer);
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "print_to_pdf: %s\n", failure.what());
        return 1;
    }
    return 0;
}
