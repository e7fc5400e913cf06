// rtfconvert IN OUT: reads IN as the editor's Open does and writes OUT as its Save As does,
// rich text for a name ending in .rtf and plain text for one ending in .txt.
// Exit status: 0 done, 1 a file could not be read or written, 2 wrong usage.
#include "base/Failure.h"
#include "rtf/files/DocumentFiles.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

namespace {

const char usageText[] =
    "usage: rtfconvert IN.rtf OUT.rtf|OUT.txt\n"
    "  reads IN as rich text and writes OUT as rich text (.rtf) or plain text (.txt)\n";

int usage(const char *message)
{
    std::fprintf(stderr, "rtfconvert: %s\n%s", message, usageText);
    return 2;
}

// Asked for, the usage is the answer rather than an error: it goes to standard output.
int help()
{
    std::fputs(usageText, stdout);
    std::fputs("exit status: 0 done, 1 a file could not be read or written, 2 wrong usage\n", stdout);
    return 0;
}

// Qt's start-up notes (a missing XDG_RUNTIME_DIR and the like) are not the tool's to report.
void quietDuringStartup(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int fail(const char *what, const QString &path, const Failure &failure)
{
    std::fprintf(stderr, "rtfconvert: cannot %s %s: %s\n", what, qPrintable(path),
                 qPrintable(failure.description()));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Fonts and pictures need a GUI application, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previous = qInstallMessageHandler(quietDuringStartup);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(previous);

    const QStringList arguments = app.arguments();
    if (arguments.size() == 2 && (arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h")))
        return help();
    if (arguments.size() != 3)
        return usage("expected two file names");
    const QString in = arguments[1];
    const QString out = arguments[2];
    RichTextFileType outType;
    if (out.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive))
        outType = rtfRTF;
    else if (out.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
        outType = rtfText;
    else
        return usage("the output name must end in .rtf or .txt");

    std::unique_ptr<QTextDocument> document;
    try {
        document = loadDocument(in, rtfRTF, ReadableKinds::PipesToo);
    } catch (const Failure &failure) {
        return fail("read", in, failure);
    }
    try {
        saveDocument(*document, out, outType);
    } catch (const Failure &failure) {
        return fail("write", out, failure);
    }
    // Taking a large document apart piece by piece costs a tenth of the whole run; the process
    // ends here and gives all of its memory back at once.
    (void)document.release();
    return 0;
}
