#include "platform/rtf/RtfOutput.h"

#include <array>
#include <charconv>

namespace {

// Characters with an escape of their own. The reader knows the same words, so each of these
// comes back as the character it was written for.
struct Escape
{
    char16_t character;
    QByteArrayView rtf;
    bool endsInWord;   // ends in a control word, whose delimiter a following letter would need
};

constexpr std::array escapes{
    Escape{u'\\', "\\\\", false},
    Escape{u'{', "\\{", false},
    Escape{u'}', "\\}", false},
    Escape{u'\t', "\\tab", true},
    Escape{u'\u2028', "\\line", true},   // a line break inside a paragraph
    Escape{u'\u00a0', "\\~", false},     // no-break space
    Escape{u'\u00ad', "\\-", false},     // soft hyphen
    Escape{u'\u2011', "\\_", false},     // no-break hyphen
};

const Escape *escapeFor(char16_t c)
{
    for (const Escape &escape : escapes) {
        if (escape.character == c)
            return &escape;
    }
    return nullptr;
}

bool isPlainAscii(char16_t c)
{
    return c >= 0x20 && c < 0x7f && c != u'\\' && c != u'{' && c != u'}';
}

constexpr char hexDigits[] = "0123456789abcdef";
constexpr qsizetype hexLineBytes = 64;   // 128 digits a line keeps the file readable in an editor

} // namespace

void RtfOutput::appendNumber(int value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    m_bytes.append(digits, result.ptr - digits);
}

void RtfOutput::controlWord(const char *name)
{
    m_bytes.append('\\');
    m_bytes.append(name);
    needDelimiter();
}

void RtfOutput::controlWord(const char *name, int value)
{
    m_bytes.append('\\');
    m_bytes.append(name);
    appendNumber(value);
    needDelimiter();
}

void RtfOutput::flushDelimiterBefore(char)
{
    if (m_pendingDelimiter) {
        m_bytes.append(' ');
        m_pendingDelimiter = false;
    }
}

void RtfOutput::text(QStringView text)
{
    const char16_t *data = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        qsizetype runEnd = i;
        while (runEnd < size && isPlainAscii(data[runEnd]))
            ++runEnd;
        if (runEnd > i) {
            flushDelimiterBefore(char(data[i]));
            const qsizetype start = m_bytes.size();
            m_bytes.resize(start + (runEnd - i));
            char *out = m_bytes.data() + start;
            for (; i < runEnd; ++i)
                *out++ = char(data[i]);
            continue;
        }
        const char16_t c = data[i++];
        if (const Escape *escape = escapeFor(c)) {
            m_bytes.append(escape->rtf.data(), escape->rtf.size());
            m_pendingDelimiter = escape->endsInWord;
        } else if (c < 0x20 || c == 0x7f || c == 0xfffc) {
            // Other control characters have no place in a paragraph's text, and an object's
            // placeholder that is not a picture has nothing to stand for in RTF.
            continue;
        } else {
            // Everything else as its UTF-16 code unit, signed as RTF numbers are, with '?' for
            // readers that know no Unicode. A surrogate pair goes out as its two halves.
            m_bytes.append("\\u", 2);
            appendNumber(int(int16_t(c)));
            m_bytes.append('?');
            m_pendingDelimiter = false;
        }
    }
}

void RtfOutput::hex(QByteArrayView bytes)
{
    flushDelimiterBefore('0');
    const qsizetype start = m_bytes.size();
    m_bytes.resize(start + bytes.size() * 2 + bytes.size() / hexLineBytes + 1);
    char *out = m_bytes.data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i % hexLineBytes == 0)
            *out++ = '\n';
        const auto byte = static_cast<unsigned char>(bytes[i]);
        *out++ = hexDigits[byte >> 4];
        *out++ = hexDigits[byte & 0xf];
    }
    m_bytes.resize(out - m_bytes.data());
}
