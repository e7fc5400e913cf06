// Feeds arbitrary bytes to the RTF reader: it must read them or throw Failure, and never
// crash, hang or grow without bound. What it read must also survive saving: a document saved,
// opened and saved again gives the same file, byte for byte.
#include "base/Failure.h"
#include "rtf/files/DocumentFiles.h"
#include "rtf/read/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Documents and images want a GUI application; the offscreen platform needs no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    // Broken pictures make the image readers talk; the fuzzer's own output is what matters.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray rtf = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    std::unique_ptr<QTextDocument> document;
    try {
        document = documentFromRtf(rtf);
    } catch (const Failure &) {
        return 0;
    }
    (void)document->characterCount();
    // The writer's own output is RTF: reading it never fails.
    const QByteArray saved = rtfFromDocument(*document);
    const QByteArray savedAgain = rtfFromDocument(*documentFromRtf(saved));
    if (saved != savedAgain) {
        std::fprintf(stderr, "saving what was read back changed the file:\n--- first save\n%s\n--- second save\n%s\n",
                     saved.constData(), savedAgain.constData());
        std::abort();
    }
    return 0;
}
