#pragma once

#include <QByteArrayView>

// Splits RTF bytes into groups, control words, control symbols, hex bytes and runs of text,
// without copying the input: every token points into the bytes it was given.
class RtfTokenizer
{
public:
    // The value of one hexadecimal digit, or -1 for any other character; \'hh bytes and
    // picture data are both written this way.
    static int hexDigitValue(char c);

    enum class Kind { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text };

    struct Token
    {
        Kind kind = Kind::End;
        QByteArrayView text;   // the word's name, or the run of text
        int parameter = 0;     // clamped to 32 bits
        bool hasParameter = false;
        char symbol = 0;       // a control symbol's character
        unsigned char byte = 0;   // a hex byte's value
    };

    explicit RtfTokenizer(QByteArrayView data) : m_data(data) {}

    Token next();

    // The raw bytes after \binN: never read as text, whatever they hold.
    QByteArrayView takeBinary(qsizetype count);

    qsizetype position() const { return m_pos; }
    qsizetype remaining() const { return m_data.size() - m_pos; }

private:
    Token readControl();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
