#pragma once

// Documents of unusual shape for the benchmark, which Qt's layout once took minutes to open:
// one long table of two-cell rows, tables nested inside each other's cells, and a list item
// whose stored marker is one word of a megabyte; and a text of many short lines, where Replace
// All once took seconds for every ten thousand replacements.
#include <QByteArray>

#include <algorithm>

namespace HostileShapes {

// Rows of two cells, as many as make about `bytes` bytes, between two paragraphs.
inline QByteArray longTable(qsizetype bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\fs20\n\\pard before the table\\par\n";
    rtf.reserve(bytes + 256);
    for (int row = 0; rtf.size() < bytes; ++row) {
        const QByteArray number = QByteArray::number(row);
        rtf += "\\trowd\\cellx3000\\cellx6000\\pard\\intbl row " + number + " left\\cell row " + number
            + " right\\cell\\row\n";
    }
    return rtf + "\\pard after the table\\par}\n";
}

// A table in the one cell of a table, `depth` deep, each level's cell holding a line of text
// before the table inside it, written as Word writes nested tables (\itap, \nestcell,
// \nesttableprops).
inline QByteArray nestedTables(int depth)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\fs20\n\\pard before the tables\\par\n"
                     "\\trowd\\cellx9000\n";
    for (int level = 1; level <= depth; ++level)
        rtf += "\\pard\\intbl\\itap" + QByteArray::number(level) + " level " + QByteArray::number(level)
            + "\\par\n";
    for (int level = depth; level > 1; --level) {
        rtf += "\\pard\\intbl\\itap" + QByteArray::number(level) + " end of level "
            + QByteArray::number(level) + "\\nestcell{\\*\\nesttableprops\\trowd\\cellx"
            + QByteArray::number(9000 - 8000 * level / depth) + "\\nestrow}{\\nonesttables\\par}\n";
    }
    return rtf + "\\pard\\intbl\\itap1 end of level 1\\cell\\row\n\\pard after the tables\\par}\n";
}

// A numbered list of three items, the first with a stored marker (\\listtext) of about `bytes`
// bytes, all one word.
inline QByteArray longStoredMarker(qsizetype bytes)
{
    const QByteArray item = "\\pard\\ls1\\ilvl0\\fi-360\\li720 ";
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n"
           "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
           "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\n"
           "\\pard before the list\\par\n{\\listtext " + QByteArray(std::max<qsizetype>(bytes, 1), '1') + ".\\tab}"
        + item + "first item\\par\n{\\listtext 2.\\tab}" + item + "second item\\par\n"
        + "{\\listtext 3.\\tab}" + item + "third item\\par\n\\pard after the list\\par}\n";
}

// Lines of about 72 characters, each a paragraph of its own, as many as make about `bytes`
// bytes: a plain text of a few megabytes as a text file holds it. `marker` is in every line,
// twice in every fifth, so that Replace All of it changes every paragraph.
inline QByteArray shortLines(qsizetype bytes, const QByteArray &marker)
{
    static const char *const words[] = {"the", "invoice", "was", "sent", "to", "our", "office", "on",
                                        "Monday", "and", "paid", "within", "ten", "days", "by", "bank"};
    constexpr int wordCount = int(sizeof(words) / sizeof(words[0]));
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\fs20\n";
    rtf.reserve(bytes + 256);
    for (int line = 0; rtf.size() < bytes; ++line) {
        QByteArray text = QByteArray::number(line) + ' ' + marker;
        for (int word = line; text.size() < 66; ++word) {
            text += ' ';
            text += words[word % wordCount];
            if (line % 5 == 0 && word == line + 4)
                text += ' ' + marker;
        }
        rtf += "\\pard " + text + "\\par\n";
    }
    return rtf + "}\n";
}

} // namespace HostileShapes
