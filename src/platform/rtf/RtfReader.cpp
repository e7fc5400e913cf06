// Temporary stand-in until the reader lands.
#include "platform/rtf/DocumentFiles.h"

#include "platform/Failure.h"

#include <QTextDocument>

std::unique_ptr<QTextDocument> documentFromRtf(const QByteArray &)
{
    throw Failure(QStringLiteral("Not a rich text file"));
}
