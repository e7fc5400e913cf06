#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <bitset>
#include <functional>

// The bytes of an RTF file as they are written: control words with their delimiters, text with
// its escapes, picture data in hex. Everything written is 7-bit ASCII, so the file reads the same
// under any code page.
class RtfOutput
{
public:
    explicit RtfOutput(qsizetype expectedSize = 0) { m_bytes.reserve(expectedSize); }

    // Structure: braces, ';', line ends. Whatever follows a control word here delimits it.
    void raw(QByteArrayView bytes)
    {
        m_bytes.append(bytes.data(), bytes.size());
        m_pendingDelimiter = false;
    }

    // `\name` or `\nameN`. The delimiting space is added only before text, where the reader
    // would otherwise take a following letter, digit or '-' as part of the word.
    void controlWord(const char *name);
    void controlWord(const char *name, int value);
    // Control words written before, ending in a word whose delimiter is still due.
    void controlWords(QByteArrayView words)
    {
        raw(words);
        m_pendingDelimiter = !words.isEmpty();
    }

    // Text of one paragraph, every character outside printable ASCII as an escape, so that
    // nothing depends on the reader's code page. The ASCII characters of `asUnicode` go out as
    // \uN too: those the font of the text reads as others from their bytes (a symbol font's
    // symbols, the yen sign of a Japanese code page at '\\').
    using AsciiSet = std::bitset<128>;
    void text(QStringView text, const AsciiSet &asUnicode = {});
    // A font's name in the font table: text, except that what would end the name (';') or
    // has no place in one (\tab, \~, ...) goes out as \uN.
    void fontName(QStringView name, const AsciiSet &asUnicode = {});

    // Bytes as hexadecimal digits in lines of a fixed length, as picture data is written.
    void hex(QByteArrayView bytes);

    const QByteArray &bytes() const { return m_bytes; }
    QByteArray take() { return std::move(m_bytes); }

    // From now on the bytes are handed to `sink` a piece at a time (passOnIfFull, passOnRest)
    // instead of being kept; an empty sink drops them.
    using Sink = std::function<void(QByteArrayView)>;
    void passOn(Sink sink)
    {
        m_sink = std::move(sink);
        m_passingOn = true;
    }
    // Hands the bytes written so far on once they make up a piece.
    void passOnIfFull()
    {
        if (m_passingOn && m_bytes.size() >= pieceBytes)
            passOnRest();
    }
    void passOnRest();

private:
    void needDelimiter() { m_pendingDelimiter = true; }
    void flushDelimiterBefore(char next);
    void appendNumber(int value);

    static constexpr qsizetype pieceBytes = 1 << 20;
    QByteArray m_bytes;
    bool m_pendingDelimiter = false;
    bool m_passingOn = false;
    Sink m_sink;
};
