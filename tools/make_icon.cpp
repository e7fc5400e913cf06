// make_icon OUTPUT_DIR [SIZE...]: writes the product icon into
// OUTPUT_DIR/<size>x<size>/apps/corvala.png at each size given (every size it is drawn at when
// none is given). That is the layout of an icon theme, so the build installs the tree as it
// stands and the desktop menu finds the icon by its name.
#include "platform/ProductIcon.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT_DIR [SIZE...]\n");
        return 2;
    }
    QList<int> sizes;
    for (int i = 2; i < argc; ++i) {
        bool number = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&number);
        if (!number || size < 1 || size > 1024) {
            std::fprintf(stderr, "make_icon: not an icon size: %s\n", argv[i]);
            return 2;
        }
        sizes.append(size);
    }
    if (sizes.isEmpty())
        sizes = productIconSizes();

    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int size : sizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = output.filePath(folder + QStringLiteral("/corvala.png"));
        if (!output.mkpath(folder) || !drawProductIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
