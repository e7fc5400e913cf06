// make_big_rtf OUT [MEGABYTES [structure]]: writes a large RTF file of varied content for the
// benchmark: several fonts and sizes, bold, italic, underline, colours, Cyrillic as \'hh bytes
// in a Windows-1251 font, \u characters, tabs, line breaks, alignments and a few PNG pictures.
// With "structure", every few dozen paragraphs a short bulleted or numbered list (\ls with a
// \listtable and \listtext) or a small table (\trowd ... \cell ... \row) comes in between, as
// in a real long document. The content follows a fixed pseudo-random sequence, so every run
// writes the same file.
//
// make_big_rtf OUT MEGABYTES rows: one table of two-cell rows instead (HostileShapes.h);
// make_big_rtf OUT 0 nested DEPTH: tables nested DEPTH deep;
// make_big_rtf OUT MEGABYTES marker: a list item whose stored marker is one word that long;
// make_big_rtf OUT MEGABYTES lines: short lines, each a paragraph with "zebra" in it.
#include "HostileShapes.h"
#include "Sequence.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

const char *const latinWords[] = {"the", "editor", "reads", "rich", "text", "quickly", "and", "writes",
                                  "it", "back", "without", "losing", "a", "single", "character", "of",
                                  "formatting", "paragraph", "document", "benchmark"};
// Windows-1251 bytes of Russian words: "привет", "мир", "текст", "документ", "быстро".
const char *const cyrillicWords[] = {"\\'ef\\'f0\\'e8\\'e2\\'e5\\'f2", "\\'ec\\'e8\\'f0",
                                     "\\'f2\\'e5\\'ea\\'f1\\'f2",
                                     "\\'e4\\'ee\\'ea\\'f3\\'ec\\'e5\\'ed\\'f2",
                                     "\\'e1\\'fb\\'f1\\'f2\\'f0\\'ee"};
const char *const unicodeWords[] = {"\\u20013?\\u25991?", "\\u8212?", "\\u26085?\\u26412?\\u-30050?",
                                    "\\u955?\\u945?", "\\u-10179?\\u-8704?"};
const char *const alignments[] = {"\\ql", "\\qc", "\\qr", "\\qj"};
const char *const styles[] = {"", "\\b", "\\i", "\\ul", "\\b\\i", "\\strike"};

QByteArray pictureGroup(int seed)
{
    QImage image(160, 120, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < image.height(); ++y)
        painter.fillRect(0, y, image.width(), 1, QColor::fromHsv((seed * 40 + y) % 360, 160, 230));
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray group = "{\\pict\\pngblip\\picw160\\pich120\\picwgoal2400\\pichgoal1800\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128)
        group += hex.mid(i, 128) + '\n';
    return group + '}';
}

// The list definitions: \ls1 bullets, \ls2 numbers.
const char listTable[] =
    "{\\*\\listtable"
    "{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01\\u8226 ?;}"
    "{\\levelnumbers;}\\fi-360\\li720}\\listid1}"
    "{\\list\\listtemplateid2{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
    "{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid2}}\n"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid2\\listoverridecount0\\ls2}}\n";

QByteArray words(Sequence &random, unsigned count)
{
    QByteArray text;
    for (unsigned word = 0; word < count; ++word)
        text += QByteArray(word ? " " : "") + latinWords[random.next(20)];
    return text;
}

QByteArray list(Sequence &random)
{
    const bool numbered = random.next(2) == 1;
    QByteArray rtf;
    const unsigned items = 2 + random.next(4);
    for (unsigned item = 1; item <= items; ++item) {
        rtf += numbered ? "\\pard\\ls2\\fi-360\\li720{\\listtext " + QByteArray::number(item) + ".\\tab}"
                        : QByteArray("\\pard\\ls1\\fi-360\\li720{\\listtext \\u8226 ?\\tab}");
        rtf += words(random, 3 + random.next(10)) + "\\par\n";
    }
    return rtf;
}

QByteArray table(Sequence &random)
{
    QByteArray rtf;
    const unsigned rows = 2 + random.next(3), columns = 2 + random.next(3);
    for (unsigned row = 0; row < rows; ++row) {
        rtf += "\\trowd\\trgaph108";
        for (unsigned column = 1; column <= columns; ++column)
            rtf += "\\cellx" + QByteArray::number(column * 2400);
        rtf += '\n';
        for (unsigned column = 0; column < columns; ++column)
            rtf += "\\pard\\intbl " + QByteArray(row == 0 ? "{\\b " : "{") + words(random, 1 + random.next(5)) + "}\\cell ";
        rtf += "\\row\n";
    }
    return rtf + "\\pard\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_big_rtf OUT [MEGABYTES [structure|headers]]\n");
        return 2;
    }
    const qsizetype target = qsizetype((argc > 2 ? std::atof(argv[2]) : 4.0) * 1024 * 1024);
    const bool structure = argc > 3 && QByteArray(argv[3]) == "structure";
    // A header and a footer on every page, with the page number and count in fields.
    const bool headers = argc > 3 && QByteArray(argv[3]) == "headers";
    const QByteArray shapeName = argc > 3 ? QByteArray(argv[3]) : QByteArray();
    if (shapeName == "rows" || shapeName == "nested" || shapeName == "marker" || shapeName == "lines") {
        const QByteArray shape = shapeName == "rows" ? HostileShapes::longTable(target)
            : shapeName == "marker"                  ? HostileShapes::longStoredMarker(target)
            : shapeName == "lines"                   ? HostileShapes::shortLines(target, "zebra")
                                                     : HostileShapes::nestedTables(argc > 4 ? std::atoi(argv[4]) : 16);
        QFile file(QString::fromLocal8Bit(argv[1]));
        return file.open(QIODevice::WriteOnly) && file.write(shape) == shape.size() ? 0 : 1;
    }
    QByteArray rtf;
    rtf.reserve(target + 65536);
    rtf += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
           "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}"
           "{\\f2\\fmodern\\fcharset0 Courier New;}{\\f3\\froman\\fcharset204 Times New Roman Cyr;}}\n"
           "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green128\\blue0;"
           "\\red0\\green0\\blue192;\\red255\\green255\\blue0;}\n";
    if (structure)
        rtf += listTable;
    if (headers)
        rtf += "{\\header\\pard\\qc\\f1\\fs18 Quarterly figures, page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} of "
               "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}\\par}\n"
               "{\\footer\\pard\\qr{\\f0\\fs16\\i Corvala Software} \\chpgn\\par}\n";
    Sequence random;
    int pictures = 0;
    const int pictureCount = 4;
    Sequence structures;
    while (rtf.size() < target) {
        if (structure && structures.next(30) == 0)
            rtf += structures.next(2) == 0 ? list(structures) : table(structures);
        rtf += "\\pard";
        rtf += alignments[random.next(4)];
        if (random.next(4) == 0)
            rtf += "\\fi360\\li720";
        rtf += '\n';
        const unsigned runs = 3 + random.next(6);
        for (unsigned run = 0; run < runs; ++run) {
            const unsigned kind = random.next(10);
            rtf += "{\\f" + QByteArray::number(kind < 2 ? 3 : int(random.next(3)));
            rtf += "\\fs" + QByteArray::number(16 + 2 * random.next(10));
            rtf += styles[random.next(6)];
            if (random.next(3) == 0)
                rtf += "\\cf" + QByteArray::number(1 + random.next(4));
            if (random.next(12) == 0)
                rtf += "\\highlight5";
            rtf += ' ';
            const unsigned words = 4 + random.next(12);
            for (unsigned word = 0; word < words; ++word) {
                if (kind < 2)
                    rtf += cyrillicWords[random.next(5)];
                else if (kind == 2 && word % 3 == 0)
                    rtf += unicodeWords[random.next(5)];
                else
                    rtf += latinWords[random.next(20)];
                const unsigned gap = random.next(30);
                rtf += gap == 0 ? "\\tab " : gap == 1 ? "\\line " : gap == 2 ? "\\{x\\} " : " ";
            }
            rtf += '}';
        }
        if (pictures < pictureCount && rtf.size() > (pictures + 1) * target / (pictureCount + 1))
            rtf += pictureGroup(pictures++);
        rtf += "\\par\n";
    }
    rtf += "}\n";

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size()) {
        std::fprintf(stderr, "make_big_rtf: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
