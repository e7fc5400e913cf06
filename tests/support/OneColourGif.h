#pragma once

#include <QByteArray>
#include <QColor>

// A GIF file of one colour: Qt reads GIF but cannot write it. Every pixel is a code of its own,
// with a clear code after every two, so the codes stay three bits wide.
inline QByteArray oneColourGif(int width, int height, QColor colour)
{
    QByteArray gif("GIF89a");
    auto word = [&gif](int v) { gif.append(char(v & 0xFF)).append(char(v >> 8)); };
    word(width);
    word(height);
    gif.append(char(0x81)).append('\0').append('\0'); // a table of 4 colours
    gif.append(char(colour.red())).append(char(colour.green())).append(char(colour.blue()));
    gif.append(9, '\0');
    gif.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append('\0').append('\2');
    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    auto code = [&](int c) {
        bits |= quint32(c) << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8)
            codes.append(char(bits & 0xFF));
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % 2 == 0)
            code(4);
        code(0);
    }
    code(5);
    if (count > 0)
        codes.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    return gif.append('\0').append(';');
}
