// Temporary stand-in: UTF-8 and Latin-1 only, until the code page tables land.
#include "platform/rtf/CodePages.h"

namespace CodePages {

QString toUnicode(QByteArrayView bytes, int codePage)
{
    return codePage == 65001 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QByteArray fromUnicode(QStringView text, int codePage, bool *lossless)
{
    if (lossless)
        *lossless = true;
    return codePage == 65001 ? text.toUtf8() : text.toLatin1();
}

bool isSupported(int codePage) { return codePage == 65001 || codePage == 1252; }
int codePageForCharset(int) { return 1252; }
int systemCodePage() { return 65001; }

} // namespace CodePages
