// Feeds arbitrary bytes to the RTF reader: it must read them or throw Failure, and never
// crash, hang or grow without bound.
#include "base/Failure.h"
#include "rtf/read/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
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
    try {
        const auto document = documentFromRtf(rtf);
        (void)document->characterCount();
    } catch (const Failure &) {
    }
    return 0;
}
