#include "rtf/write/RtfOutput.h"

#include <algorithm>
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

void RtfOutput::passOnRest()
{
    if (m_sink)
        m_sink(m_bytes);
    m_bytes.resize(0); // the capacity stays, for the next piece
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

void RtfOutput::text(QStringView text, const AsciiSet &asUnicode)
{
    if (text.isEmpty())
        return;
    flushDelimiterBefore(' ');
    // Room for the longest escape of every character ("\\u-32768?"), written in place and cut
    // back after: one growth of the buffer for the whole run instead of one per character.
    const qsizetype start = m_bytes.size();
    m_bytes.resize(start + text.size() * 9);
    char *const begin = m_bytes.data();
    char *out = begin + start;
    // A control word ("\\tab") is delimited before whatever character follows it, as before
    // the text's first: the same text is written alike in one piece or in two.
    bool pendingDelimiter = false;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        const bool ownByte = c >= asUnicode.size() || !asUnicode.test(c);
        const Escape *escape = ownByte ? escapeFor(c) : nullptr;
        // Other control characters have no place in a paragraph's text, and an object's
        // placeholder that is not a picture has nothing to stand for in RTF.
        if (!escape && (c < 0x20 || c == 0x7f || c == 0xfffc))
            continue;
        if (pendingDelimiter) {
            *out++ = ' ';
            pendingDelimiter = false;
        }
        if (isPlainAscii(c) && ownByte) {
            *out++ = char(c);
        } else if (escape) {
            out = std::copy(escape->rtf.begin(), escape->rtf.end(), out);
            pendingDelimiter = escape->endsInWord;
        } else {
            // Everything else as its UTF-16 code unit, signed as RTF numbers are, with '?' for
            // readers that know no Unicode. A surrogate pair goes out as its two halves.
            *out++ = '\\';
            *out++ = 'u';
            out = std::to_chars(out, out + 8, int(int16_t(c))).ptr;
            *out++ = '?';
        }
    }
    m_bytes.resize(out - begin);
    m_pendingDelimiter = pendingDelimiter;
}

void RtfOutput::fontName(QStringView name, const AsciiSet &asUnicode)
{
    // The font table reads \\, \{ and \} as the characters; the other escapes are words and
    // symbols that mean nothing there. Characters the font's code page reads otherwise go as
    // \uN too.
    const auto special = [&asUnicode](QChar c) {
        return c == u';' || (c.unicode() < asUnicode.size() && asUnicode.test(c.unicode()))
            || (escapeFor(c.unicode()) && c != u'\\' && c != u'{' && c != u'}');
    };
    qsizetype from = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!special(name[i]))
            continue;
        text(name.sliced(from, i - from));
        flushDelimiterBefore('\\');
        m_bytes.append("\\u");
        appendNumber(int(int16_t(name[i].unicode())));
        m_bytes.append('?');
        from = i + 1;
    }
    text(name.sliced(from));
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
