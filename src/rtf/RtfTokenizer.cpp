#include "rtf/RtfTokenizer.h"

#include <algorithm>
#include <climits>

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

RtfTokenizer::Token tokenOf(RtfTokenizer::Kind kind)
{
    RtfTokenizer::Token token;
    token.kind = kind;
    return token;
}

} // namespace

int RtfTokenizer::hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfTokenizer::Token RtfTokenizer::next()
{
    const qsizetype size = m_data.size();
    const char *data = m_data.data();
    while (m_pos < size) {
        const char c = data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return tokenOf(Kind::GroupStart);
        case '}':
            ++m_pos;
            return tokenOf(Kind::GroupEnd);
        case '\\':
            return readControl();
        case '\r':
        case '\n':
        case '\0':
            // Line ends are only there to keep lines short; they are not text.
            ++m_pos;
            continue;
        default: {
            const qsizetype start = m_pos;
            while (m_pos < size) {
                const char d = data[m_pos];
                if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n' || d == '\0')
                    break;
                ++m_pos;
            }
            Token token = tokenOf(Kind::Text);
            token.text = m_data.sliced(start, m_pos - start);
            return token;
        }
        }
    }
    return tokenOf(Kind::End);
}

RtfTokenizer::Token RtfTokenizer::readControl()
{
    const qsizetype size = m_data.size();
    const char *data = m_data.data();
    ++m_pos;   // the backslash
    if (m_pos >= size)
        return tokenOf(Kind::End);
    const char c = data[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            // \'hh: a byte in the code page of the current font. One bad digit leaves the
            // byte as far as it was read instead of swallowing what follows.
            int value = 0;
            int digits = 0;
            for (; digits < 2 && m_pos < size; ++digits) {
                const int v = hexDigitValue(data[m_pos]);
                if (v < 0)
                    break;
                value = value * 16 + v;
                ++m_pos;
            }
            if (digits == 0) {
                Token token = tokenOf(Kind::ControlSymbol);
                token.symbol = '\'';   // no byte at all: nothing to show
                return token;
            }
            Token token = tokenOf(Kind::HexByte);
            token.byte = static_cast<unsigned char>(value);
            return token;
        }
        Token token = tokenOf(Kind::ControlSymbol);
        token.symbol = (c == '\r' || c == '\n') ? '\n' : c;
        return token;
    }
    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(data[m_pos]))
        ++m_pos;
    Token token = tokenOf(Kind::ControlWord);
    token.text = m_data.sliced(start, m_pos - start);
    bool negative = false;
    if (m_pos + 1 < size && data[m_pos] == '-' && isDigit(data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(data[m_pos])) {
        // Parameters are 32-bit; longer digit strings saturate instead of overflowing.
        long long value = 0;
        while (m_pos < size && isDigit(data[m_pos])) {
            value = std::min<long long>(value * 10 + (data[m_pos] - '0'), 1LL << 32);
            ++m_pos;
        }
        if (negative)
            value = -value;
        token.parameter = int(std::clamp<long long>(value, INT_MIN, INT_MAX));
        token.hasParameter = true;
    }
    // A control word's delimiting space belongs to the word.
    if (m_pos < size && data[m_pos] == ' ')
        ++m_pos;
    return token;
}

QByteArrayView RtfTokenizer::takeBinary(qsizetype count)
{
    count = std::clamp<qsizetype>(count, 0, m_data.size() - m_pos);
    const QByteArrayView bytes = m_data.sliced(m_pos, count);
    m_pos += count;
    return bytes;
}
