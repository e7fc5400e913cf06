// Windows code pages over glibc's iconv, which always carries them (Qt's own codecs depend on
// whether Qt was built with ICU). Single-byte pages become a 256-entry table built once, so
// reading RTF text costs a lookup per byte; multi-byte pages go through iconv per call.
#include "rtf/CodePages.h"

#include <QHash>

#include <array>
#include <cerrno>
#include <clocale>
#include <iconv.h>
#include <langinfo.h>
#include <memory>
#include <mutex>
#include <vector>

namespace CodePages {
namespace {

const char *iconvName(int codePage)
{
    switch (codePage) {
    case 437: return "CP437";
    case 737: return "CP737";
    case 775: return "CP775";
    case 850: return "CP850";
    case 852: return "CP852";
    case 855: return "CP855";
    case 857: return "CP857";
    case 860: return "CP860";
    case 861: return "CP861";
    case 862: return "CP862";
    case 863: return "CP863";
    case 864: return "CP864";
    case 865: return "CP865";
    case 866: return "CP866";
    case 869: return "CP869";
    case 874: return "CP874";
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    case 10001: return "SHIFT_JIS";
    case 10002: return "BIG5";
    case 10003: return "EUC-KR";
    case 10007: return "MAC-CYRILLIC";
    case 10008: return "EUC-CN";
    case 10029: return "MAC-CENTRALEUROPE";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 20932: return "EUC-JP";
    case 21866: return "KOI8-U";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28595: return "ISO-8859-5";
    case 28597: return "ISO-8859-7";
    case 28605: return "ISO-8859-15";
    case 54936: return "GB18030";
    default: return nullptr;
    }
}

bool isMultiByte(int codePage)
{
    switch (codePage) {
    case 932: case 936: case 949: case 950: case 1361: case 10001: case 10002: case 10003:
    case 10008: case 20932: case 54936: case 65001:
        return true;
    default:
        return false;
    }
}

struct IconvHandle
{
    explicit IconvHandle(const char *to, const char *from) : handle(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (valid())
            iconv_close(handle);
    }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;
    bool valid() const { return handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle;
};

struct SingleBytePage
{
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, unsigned char> fromUnicode;
};

// A byte the page leaves undefined reads as the character of the same number, as Windows
// does for 1252's five holes, rather than vanishing.
std::unique_ptr<SingleBytePage> buildSingleBytePage(const char *name)
{
    IconvHandle decoder("UTF-16LE", name);
    if (!decoder.valid())
        return nullptr;
    auto page = std::make_unique<SingleBytePage>();
    for (int byte = 0; byte < 256; ++byte) {
        char in = char(byte);
        char out[8];
        char *inPtr = &in;
        char *outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(decoder.handle, nullptr, nullptr, nullptr, nullptr);
        const size_t done = iconv(decoder.handle, &inPtr, &inLeft, &outPtr, &outLeft);
        char16_t ch = char16_t(byte);
        if (done != size_t(-1) && outLeft == sizeof out - 2)
            ch = char16_t(uchar(out[0]) | (uchar(out[1]) << 8));
        page->toUnicode[byte] = ch;
    }
    for (int byte = 255; byte >= 0; --byte)   // the lowest byte wins for duplicates
        page->fromUnicode.insert(page->toUnicode[byte], uchar(byte));
    return page;
}

const SingleBytePage *singleBytePage(int codePage)
{
    static std::mutex mutex;
    static QHash<int, std::shared_ptr<SingleBytePage>> pages;
    if (isMultiByte(codePage))
        return nullptr;
    const char *name = iconvName(codePage);
    if (!name)
        return nullptr;
    std::lock_guard lock(mutex);
    auto it = pages.find(codePage);
    if (it == pages.end())
        it = pages.insert(codePage, std::shared_ptr<SingleBytePage>(buildSingleBytePage(name)));
    return it->get();
}

// The rows that double-byte pages leave to users' own characters. Windows reads each pair of
// them as one private-use character, numbered from U+E000 in order of rows, so a file written
// with such characters keeps one character for each, in the font that draws it.
struct PrivateRows
{
    unsigned char firstLead, lastLead;
    char16_t first;   // the character of the first pair of the first row
};

bool isTrailOf(int codePage, unsigned char trail, int *index)
{
    switch (codePage) {
    case 932:   // 0x40-0x7E, 0x80-0xFC
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
            return false;
        *index = trail - 0x40 - (trail > 0x7F);
        return true;
    case 950:   // 0x40-0x7E, 0xA1-0xFE
        if (trail >= 0x40 && trail <= 0x7E)
            *index = trail - 0x40;
        else if (trail >= 0xA1 && trail <= 0xFE)
            *index = trail - 0xA1 + 63;
        else
            return false;
        return true;
    default:    // 936, 949: 0xA1-0xFE
        if (trail < 0xA1 || trail > 0xFE)
            return false;
        *index = trail - 0xA1;
        return true;
    }
}

char16_t privateUseCharacter(int codePage, unsigned char lead, unsigned char trail)
{
    static const PrivateRows rows936[] = {{0xAA, 0xAF, 0xE000}, {0xF8, 0xFE, 0xE234}};
    static const PrivateRows rows932[] = {{0xF0, 0xF9, 0xE000}};
    static const PrivateRows rows950[] = {{0xFA, 0xFE, 0xE000}, {0x8E, 0xA0, 0xE311}, {0x81, 0x8D, 0xEEB8}};
    static const PrivateRows rows949[] = {{0xC9, 0xC9, 0xE000}, {0xFE, 0xFE, 0xE05E}};
    if (codePage == 936 && lead >= 0xA1 && lead <= 0xA7 && trail >= 0x40 && trail <= 0xA0 && trail != 0x7F)
        return char16_t(0xE4C6 + (lead - 0xA1) * 96 + trail - 0x40 - (trail > 0x7F));   // 96 a row
    const PrivateRows *begin = nullptr, *end = nullptr;
    int trailsPerRow = 94;
    switch (codePage) {
    case 936: begin = std::begin(rows936); end = std::end(rows936); break;
    case 932: begin = std::begin(rows932); end = std::end(rows932); trailsPerRow = 188; break;
    case 950: begin = std::begin(rows950); end = std::end(rows950); trailsPerRow = 157; break;
    case 949: begin = std::begin(rows949); end = std::end(rows949); break;
    default: return 0;
    }
    int index = 0;
    if (!isTrailOf(codePage, trail, &index))
        return 0;
    for (const PrivateRows *rows = begin; rows != end; ++rows) {
        if (lead >= rows->firstLead && lead <= rows->lastLead)
            return char16_t(rows->first + (lead - rows->firstLead) * trailsPerRow + index);
    }
    return 0;
}

// Undecodable bytes become U+FFFD one at a time, so one bad byte costs one character. A lead
// byte with a trail byte is one character, a private-use one or U+FFFD, and the trail byte
// never shows as a stray letter of its own.
QString decodeMultiByte(QByteArrayView bytes, int codePage)
{
    IconvHandle decoder("UTF-16LE", iconvName(codePage));
    if (!decoder.valid())
        return QString::fromLatin1(bytes);
    QString result(bytes.size(), Qt::Uninitialized);
    char *inPtr = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char *outStart = reinterpret_cast<char *>(result.data());
    char *outPtr = outStart;
    size_t outLeft = size_t(bytes.size()) * 2;   // never more characters than bytes
    while (inLeft > 0) {
        if (iconv(decoder.handle, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        if (errno == E2BIG || outLeft < 2)
            break;
        // EILSEQ or a lead byte cut off at the end
        const auto lead = uchar(inPtr[0]);
        char16_t unit = u'\uFFFD';
        size_t used = 1;
        if (inLeft >= 2 && isLeadByte(codePage, lead) && uchar(inPtr[1]) >= 0x40) {
            const auto trail = uchar(inPtr[1]);
            if (const char16_t privateUse = privateUseCharacter(codePage, lead, trail)) {
                unit = privateUse;
                used = 2;
            } else if (trail != 0x7F && trail != 0xFF) {
                used = 2;
            }
        }
        *reinterpret_cast<char16_t *>(outPtr) = unit;
        outPtr += 2;
        outLeft -= 2;
        inPtr += used;
        inLeft -= used;
    }
    result.truncate(int((outPtr - outStart) / 2));
    return result;
}

QByteArray encodeMultiByte(QStringView text, const char *name, bool *lossless)
{
    IconvHandle encoder(name, "UTF-16LE");
    if (!encoder.valid())
        return text.toLatin1();
    QByteArray result(text.size() * 4 + 4, Qt::Uninitialized);
    char *inPtr = reinterpret_cast<char *>(const_cast<QChar *>(text.data()));
    size_t inLeft = size_t(text.size()) * 2;
    char *outPtr = result.data();
    size_t outLeft = size_t(result.size());
    while (inLeft > 0) {
        if (iconv(encoder.handle, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1))
            break;
        if (errno == E2BIG || outLeft < 1)
            break;
        if (lossless)
            *lossless = false;
        *outPtr++ = '?';
        --outLeft;
        const char16_t unit = *reinterpret_cast<const char16_t *>(inPtr);
        const size_t skip = (QChar::isHighSurrogate(unit) && inLeft >= 4) ? 4 : 2;
        inPtr += skip;
        inLeft -= std::min(skip, inLeft);
    }
    result.truncate(int(outPtr - result.data()));
    return result;
}

} // namespace

const char16_t *singleByteTable(int codePage)
{
    const SingleBytePage *page = singleBytePage(codePage);
    return page ? page->toUnicode.data() : nullptr;
}

bool isLeadByte(int codePage, unsigned char byte)
{
    switch (codePage) {
    case 932: case 10001:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936: case 949: case 950: case 10002: case 10003: case 10008: case 54936:
        return byte >= 0x81 && byte <= 0xFE;
    case 1361:
        return (byte >= 0x84 && byte <= 0xD3) || (byte >= 0xD8 && byte <= 0xF9);
    default:
        return false;
    }
}

QString toUnicode(QByteArrayView bytes, int codePage)
{
    if (codePage == 65001)
        return QString::fromUtf8(bytes);
    if (!isSupported(codePage))
        codePage = 1252;
    if (const char16_t *table = singleByteTable(codePage)) {
        QString result(bytes.size(), Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(result.data());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            out[i] = table[uchar(bytes[i])];
        return result;
    }
    return decodeMultiByte(bytes, codePage);
}

QByteArray fromUnicode(QStringView text, int codePage, bool *lossless)
{
    if (lossless)
        *lossless = true;
    if (codePage == 65001)
        return text.toUtf8();
    if (!isSupported(codePage))
        codePage = 1252;
    if (const SingleBytePage *page = singleBytePage(codePage)) {
        QByteArray result(text.size(), Qt::Uninitialized);
        qsizetype length = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t ch = text[i].unicode();
            auto it = page->fromUnicode.constFind(ch);
            if (it != page->fromUnicode.constEnd()) {
                result[length++] = char(*it);
                continue;
            }
            if (lossless)
                *lossless = false;
            result[length++] = '?';
            if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;   // one question mark for the whole character
        }
        result.truncate(length);
        return result;
    }
    return encodeMultiByte(text, iconvName(codePage), lossless);
}

bool isSupported(int codePage)
{
    if (codePage == 65001)
        return true;
    if (!isMultiByte(codePage))
        return singleBytePage(codePage) != nullptr;
    const char *name = iconvName(codePage);
    return name && IconvHandle("UTF-16LE", name).valid();
}

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 77: return 10000;
    case 78: return 10001;
    case 79: return 10003;
    case 80: return 10008;
    case 81: return 10002;
    case 89: return 10007;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;   // 1 default, 2 symbol and the rest imply no code page
    }
}

int systemCodePage()
{
    struct Known { const char *codeset; int codePage; };
    static const Known known[] = {
        {"ISO-8859-1", 28591}, {"ISO-8859-15", 28605}, {"ISO-8859-2", 28592},
        {"ISO-8859-5", 28595}, {"KOI8-R", 20866},      {"KOI8-U", 21866},
        {"CP1251", 1251},      {"CP1252", 1252},       {"EUC-JP", 20932},
        {"SHIFT_JIS", 932},    {"GBK", 936},           {"GB2312", 936},
        {"BIG5", 950},         {"EUC-KR", 949},        {"GB18030", 54936},
    };
    const char *codeset = nl_langinfo(CODESET);
    if (codeset) {
        for (const Known &entry : known)
            if (qstricmp(codeset, entry.codeset) == 0)
                return entry.codePage;
    }
    return 65001;   // UTF-8, and the C locale, which Qt reads as UTF-8 as well
}

} // namespace CodePages
